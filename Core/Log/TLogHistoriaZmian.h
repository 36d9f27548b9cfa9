#pragma once
// TLogHistoriaZmian: the store's change history, table HistoriaZmian. Each
// entry says who (Core::User) changed what and when: a section of the
// application, the kind of object, a key naming the change, the operation
// type, the ids of the object and of its product, and a text for people.
// An entry is written in the caller's session, so it stays or goes with the
// change it describes.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

class TOWARY_EXPORT TLogHistoriaZmian {
public:
    struct Item {
        std::string section;     // "Operacje"
        std::string objectKind;  // "Towar"
        std::string key;         // "NCENYSPECJALNE"
        int operationType = 0;
        long long objectId = 0;
        long long productId = 0;
        std::string text;
    };

    static void logItem(const Item& item, TSessionHolder session);
};
