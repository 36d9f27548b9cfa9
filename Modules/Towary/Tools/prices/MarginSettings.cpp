#include "Modules/Towary/Tools/prices/MarginSettings.h"

#include "Core/Setup/CachedKey.h"
#include "Core/Setup/CheckedValue.h"
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

// The ceiling is the store's to choose: above 100 % it lets through margins that
// price at 0, as the comparison has it. A NaN one would cap nothing at all.
double maxMarzaProcentowa() {
    // Read for every price of a price list: the key is kept, not made at each call.
    thread_local Core::Setup::CachedKey ceiling({"Parametry programu", "Towary", "Marże", "Maksymalna marża procentowa"});
    return Core::Setup::valueInRange(ceiling.key(), 0.0, 1000000.0);
}

}  // namespace Towary::ProductTools
