#include "Modules/Towary/Tools/products/Lookup.h"

namespace Towar {

Lookup::Lookup(std::string sql, TSessionHolder session) : Query(std::move(sql), std::move(session)) { prepare(); }

Lookup::Reply::Reply(Lookup& lookup) : lookup_(lookup) { lookup_.open(); }

Lookup::Reply::~Reply() { lookup_.close(); }

LookupIsMultiPriceWare::LookupIsMultiPriceWare(TSessionHolder session)
    : Lookup("select t.ltowarref, t.sgrindex, t.bytyp, t.batrwart, t.batrmask, t.lklasaref, (select snazwa from klasa "
             "k where k.lklasaref = t.lklasaref) snazwaklasy from towar t where t.sArtIndex = :sArtIndex",
             std::move(session)) {}

LookupWareByRef::LookupWareByRef(TSessionHolder session)
    : Lookup("select * from towar where ltowarref = :lTowarRef", std::move(session)) {}

LookupMultiPriceWareBarCodes::LookupMultiPriceWareBarCodes(TSessionHolder session)
    : Lookup("select splu, njm from plu where ltowarref = (select ltowarref from towar where sGrIndex = :sGrIndex and "
             "bWieleCen = :bWieleCen)",
             std::move(session)) {}

}  // namespace Towar
