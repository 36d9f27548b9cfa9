#include "Modules/Towary/Tools/ui/EditedCellColour.h"

#include "Core/Setup/Setup.h"

namespace Towary::ProductTools {

int editedCellColour() {
    return Core::SingletonImplHolder::get<Core::CSetup>()
        .GetRootKey()
        .GetSubKey({"Parametry sklepu", "Wygląd", "Kolory", "Kolor tła edytowanego pola"})
        .GetVal<int>();
}

}  // namespace Towary::ProductTools
