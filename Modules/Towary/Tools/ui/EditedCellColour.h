#pragma once
// The background of the cell being edited in the dictionary grids (return
// reasons, commission groups): the store's int setting "Parametry sklepu /
// Wygląd / Kolory / Kolor tła edytowanego pola", read at every use.

#include "Core/Export.h"

namespace Towary::ProductTools {

TOWARY_EXPORT int editedCellColour();

}  // namespace Towary::ProductTools
