#include "Modules/Towary/Tools/devices/ScaleSettings.h"

#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "schema/routines/StoreRoutines.h"

namespace Towar {

int maxScaleNumber() {
    const auto key = Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry sklepu", "Towary", "Sekcje wagowe", "Maksymalna liczba towarów w sekcji"});
    // No number past what the store's free-number function hands out.
    return Core::Setup::valueInRange(key, 1, static_cast<int>(DBKernel::Schema::kLargestScaleNumber));
}

}  // namespace Towar
