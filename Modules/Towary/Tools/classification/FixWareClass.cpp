#include "Modules/Towary/Tools/classification/FixWareClass.h"

namespace Towar {

void fixWareClass(TTowar& ware, const boost::optional<std::string>& className, unsigned attributeValues,
                  unsigned attributeMask, const ImportLog& log, const TowarKlasy::OpisKlasyTowaru& stored,
                  TSessionHolder session) {
    const TowarKlasy::OpisKlasyZmiany change(className.value_or(stored.nazwa), attributeValues, attributeValues,
                                             attributeValues, attributeMask, attributeMask, attributeMask);
    const auto fixed = TowarKlasy::CTowarKlasyModifier(std::move(session))(stored, change);
    if (fixed.klasaRef == 0)
        ware.SetNullKlasaRef();
    else
        ware.SetKlasaRef(fixed.klasaRef);
    // The product keeps one word of each: the first.
    ware.SetAtrWart(static_cast<int>(fixed.wart[0]));
    ware.SetAtrMask(static_cast<int>(fixed.mask[0]));
    if (fixed.nazwa != stored.nazwa && stored.klasaRef != 0)
        log("Towar '" + ware.GetNazwa() + "' o indeksie '" + ware.GetArtIndex() + "' zmienił klasę z '" +
                stored.nazwa + "' na '" + fixed.nazwa + "'.",
            true);
}

}  // namespace Towar
