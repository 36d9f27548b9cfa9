#pragma once
// Towar::fixWareClass: the class fix-up of an imported product. The import
// row names a class (or none) and gives an attribute value word and mask
// word; they are merged into the product's stored class description by
// TowarKlasy::CTowarKlasyModifier and the result written into the product.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Export.h"
#include "Core/System/AnsiString.h"
#include "Modules/Towary/Tools/classification/TowarKlasy.h"

#include <boost/optional.hpp>

#include <functional>
#include <string>

namespace Towar {

// An import's log: a message and whether it is to be shown.
using ImportLog = std::function<void(const System::AnsiString& message, bool show)>;

// Sets the ware's lKlasaRef (NULL for no class), bAtrWart and bAtrMask.
// Without a class name the ware keeps its stored class; the attribute bits
// that `attributeMask` sets take the values of `attributeValues`. A change of
// the stored class is logged. Throws the modifier's "Brak klasy" message for
// a class the store does not hold.
TOWARY_EXPORT void fixWareClass(TTowar& ware, const boost::optional<std::string>& className,
                                unsigned attributeValues, unsigned attributeMask, const ImportLog& log,
                                const TowarKlasy::OpisKlasyTowaru& stored, TSessionHolder session);

}  // namespace Towar
