// Products and their codes brought into the store from a CSV file, as a
// headquarters export would bring them, and one of them read back.

#include <fstream>
#include <ostream>
#include <string_view>

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/products/ProductImport.h"

namespace Towary::Host::Demo {
namespace {

// A department of its own beside the groups of the hierarchy step (index
// lengths 2, 2, 2, 3, 3 and article indexes of 6 digits, as in the sample
// settings), ordinary and weighed products, and a multi-price ware: the
// grouping row with the codes, two elements below it. Ids are left to the
// store; each code row follows its product.
constexpr std::string_view kSampleFile =
    R"(lTowarRef,sNazwa,sKrNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,bWagowy,bWieleCen,nJmSprz,dCenaSprzed,sPLU,byStatus,nJm
,Nabiał i pieczywo,,03,,1,,,,,,,,,
,Nabiał,,0301,,2,,,,,,,,,
,Mleko i sery,,030101,,3,,,,,,,,,
,Mleko,,030101001,,4,,,,,,,,,
,Mleko UHT,,030101001001,,5,,,,,,,,,
,"Mleko UHT 3,2% Mleczna Dolina 1 l",Mleko UHT 1 l,030101001001,000101,6,4,9,0,0,1,3.49,,,
,,,,,,,,,,,,5901234123457,1,1
,,,,,,,,,,,,5901234123464,3,1
,"Mleko UHT 2% O'Connor's 1 l",Mleko UHT 1 l,030101001001,000102,6,4,9,0,0,1,3.19,,,
,,,,,,,,,,,,5901234123471,1,1
,,,,,,,,,,,,59012344,2,1
,Sery,,030101002,,4,,,,,,,,,
,Sery żółte,,030101002001,,5,,,,,,,,,
,Ser żółty Gouda na wagę,Gouda luz,030101002001,000103,6,4,9,1,0,3,32.90,,,
,,,,,,,,,,,,2100001000004,1,3
,,,,,,,,,,,,1001,1,3
,Pieczywo,,0302,,2,,,,,,,,,
,Pieczywo świeże,,030201,,3,,,,,,,,,
,Chleb,,030201001,,4,,,,,,,,,
,Chleb wiejski Złoty Kłos,Chleb wiejski,030201001001,000104,5,9,9,0,0,1,,,,
,,,,,,,,,,,,5907654000019,1,1
,"Chleb wiejski Złoty Kłos, cena 1",Chleb wiejski,030201001001,000105,6,4,9,0,1,1,5.99,,,
,"Chleb wiejski Złoty Kłos, cena 2",Chleb wiejski,030201001001,000106,6,4,9,0,1,1,4.99,,,
)";

}  // namespace

void products(std::ostream& out) {
    const auto file = Core::Store::directory() / "przyklad-towary.csv";
    std::ofstream(file, std::ios::binary) << kSampleFile;
    TSessionHolder session;
    const auto counts = Products::importProducts(file, session);
    out << "towary products import " << file.filename().string() << ": towary i grupy " << counts.products << ", kody "
        << counts.codes << '\n';

    DBKernel::Sql::OpenedQuery product(
        "select lTowarRef, sArtIndex, sNazwa, sGrIndex, dCenaSprzed from towar where sArtIndex = '000101'", session);
    out << "Towar " << product["sArtIndex"].asString() << " (ID " << product["lTowarRef"].asInt64()
        << "): " << product["sNazwa"].asString() << ", grupa " << product["sGrIndex"].asString() << ", cena "
        << product["dCenaSprzed"].asPrice().toString() << '\n';
    DBKernel::Sql::PreparedQuery codes("select sPLU, byStatus from plu where lTowarRef = :id order by lPluRef",
                                       session);
    codes.Params["id"] = product["lTowarRef"].asInt64();
    codes.execute();
    while (codes.next())
        out << "  kod " << codes["sPLU"].asString() << ", status " << codes["byStatus"].asInt64()
            << (codes["byStatus"].asInt64() == PluStatus::kDeleted ? " (usunięty)" : "") << '\n';
}

}  // namespace Towary::Host::Demo
