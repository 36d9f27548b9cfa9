#include "Modules/Towary/Tools/prices/MarginSettings.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

namespace {

Orvel::TKey marginKey(const char* name) {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry programu", "Towary", "Marże", name});
}

}  // namespace

bool isMarzaKVR() {
    static bool read = false;
    static bool kvr = false;
    if (!read) {
        kvr = marginKey("Marża KVR").GetVal<bool>();
        read = true;
    }
    return kvr;
}

namespace Towary::ProductTools {

double maxMarzaProcentowa() { return marginKey("Maksymalna marża procentowa").GetVal<double>(); }

}  // namespace Towary::ProductTools
