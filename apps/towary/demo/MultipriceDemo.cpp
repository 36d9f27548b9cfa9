// Multi-price wares brought in by a headquarters file: one made new, an
// ordinary product turned into a ware, a ware moved to another family and
// one dissolved, with the import's log; then sale conditions of a ware,
// each going to the element of its price, and the ware shown.

#include <fstream>
#include <ostream>
#include <string_view>

#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/products/MultipriceShow.h"
#include "apps/towary/products/ProductImport.h"
#include "apps/towary/products/SaleConditions.h"

namespace Towary::Host::Demo {
namespace {

// Against the products step's store: yoghurt is new; O'Connor's milk (000102)
// was ordinary, and one of its codes, 5901234123457, is the other milk's;
// the bread ware (000104) moves to the cheese family; kefir comes as a ware
// and later in the file as an ordinary product again.
constexpr std::string_view kWaresFile =
    R"(sNazwa,sKrNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,bWieleCen,nJmSprz,sPLU,byStatus,nJm
Jogurt naturalny Mleczna Dolina 400 g,Jogurt 400 g,030101001,000201,6,4,9,1,1,,,
,,,,,,,,,5901234123488,1,1
"Mleko UHT 2% O'Connor's 1 l",Mleko UHT 1 l,030101001,000102,6,4,9,1,1,,,
,,,,,,,,,5901234123471,1,1
,,,,,,,,,5901234123457,1,1
Chleb wiejski Złoty Kłos,Chleb wiejski,030101002,000104,6,4,9,1,1,,,
Kefir Mleczna Dolina 1 l,Kefir 1 l,030101001,000202,6,4,9,1,1,,,
,,,,,,,,,5901234123495,1,1
Kefir Mleczna Dolina 1 l,Kefir 1 l,030101001,000202,6,4,9,0,1,,,
)";

constexpr std::string_view kConditionsFile = R"(towar,dCenaSprzed,dataOd,dataDo
/000201,4.49,2026-01-01,2026-12-31
/000201,3.99,2026-03-01,2026-03-31
/000201,4.49,2027-01-01,2027-12-31
)";

}  // namespace

void multiprice(std::ostream& out) {
    const auto wares = Core::Store::directory() / "przyklad-wielocenowe.csv";
    std::ofstream(wares, std::ios::binary) << kWaresFile;
    TSessionHolder session;
    const auto counts = Products::importProducts(wares, session, true);
    out << "towary products import " << wares.filename().string()
        << " (obsługa towarów wielocenowych włączona), dziennik importu:\n";
    for (const auto& line : counts.log) out << "  " << line << '\n';
    out << "Towary wielocenowe: utworzone " << counts.waresCreated << ", zamienione ze zwykłych "
        << counts.waresConverted << ", przeniesione " << counts.waresMoved << ", rozwiązane "
        << counts.waresDissolved << '\n';

    const auto conditions = Core::Store::directory() / "przyklad-warunki.csv";
    std::ofstream(conditions, std::ios::binary) << kConditionsFile;
    const auto stored = Products::importConditions(conditions, session, true);
    out << "towary conditions import " << conditions.filename().string() << ": warunki " << stored.conditions
        << ", nowe elementy " << stored.elementsCreated << '\n';
    out << "towary multiprice show /000201:\n";
    Products::showMultiPriceWare(out, "/000201", session);
}

}  // namespace Towary::Host::Demo
