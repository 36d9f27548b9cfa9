#pragma once
// The product types (towar.byTyp) and the labels users see for them.

#include "Core/Export.h"

#include <string>

namespace Towar {

// The label of the type code: "Zwykły" for 4; "<nieznany>" for a code that
// names no type (0, 16, 20 and above 23).
TOWARY_EXPORT std::string getProductTypeDescription(int code);

// The code of the type whose label is exactly the text (letter case counts);
// throws std::runtime_error "Brak typu towaru " and the text when none is.
TOWARY_EXPORT int getProductTypeByDescription(const std::string& label);

}  // namespace Towar
