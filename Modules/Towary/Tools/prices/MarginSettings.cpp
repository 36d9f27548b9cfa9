#include "Modules/Towary/Tools/prices/MarginSettings.h"

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

// An ordinary margin of 100 % or more has no sale price, so a ceiling of 100 %
// already caps nothing a price can be computed with; one above it would only
// let isMaxMarzaPrzekroczona pass margins that price at 0. A NaN one would cap
// nothing at all.
double maxMarzaProcentowa() {
    return Core::Setup::valueInRange(marginKey("Maksymalna marża procentowa"), 0.0, 100.0);
}

}  // namespace Towary::ProductTools
