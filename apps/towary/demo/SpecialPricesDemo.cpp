// A special-price code for a product of the products step, with its labels
// and change-history entry, and the code's lock taken by one session and
// refused to another until the first rolls back.

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Modules/Towary/Tools/plu/CBlokujPlu.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/plu/SpecialPriceCode.h"

#include <ostream>
#include <string>

namespace Towary::Host::Demo {

void specialPrices(std::ostream& out) {
    TSessionHolder session;
    const std::string code = SpecialPrices::addSpecialPriceCode("/000103", 24.99, 2, session);
    out << "Nowy kod ceny specjalnej towaru o indeksie 000103 (Gouda) po 24.99 zł: " << code << '\n';
    DBKernel::Sql::OpenedQuery stored(
        "select s.lIlosc, h.sOpis from plu p, SpecCenDruk s, HistoriaZmian h"
        " where p.sPLU = '" +
            code + "' and s.lPluRef = p.lPluRef and h.lObiektRef = p.lPluRef",
        session);
    out << "  etykiet do wydruku: " << stored["lIlosc"].asString() << "; historia zmian: " << stored["sOpis"].asString()
        << '\n';

    const ::Plu::CBlokujPlu lock;
    TSessionHolder first = TSessionHolder::open();
    TSessionHolder second = TSessionHolder::open();
    int firstRef = 0;
    int secondRef = 0;
    out << "Blokada kodu w pierwszej sesji: wynik " << int{lock(code, first, firstRef)} << " (zablokowany, id "
        << firstRef << ")\n";
    out << "Blokada tego kodu w drugiej sesji: wynik " << int{lock(code, second, secondRef)}
        << " (odmowa od razu: kod zablokowany)\n";
    first.Rollback();
    out << "Po wycofaniu transakcji pierwszej sesji druga blokuje: wynik " << int{lock(code, second, secondRef)}
        << '\n';
    second.Rollback();
}

}  // namespace Towary::Host::Demo
