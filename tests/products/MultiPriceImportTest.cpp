// Multi-price wares through the product import in-process, with multi-price
// handling on, on a store as `towary init` makes it (level lengths 2, 2, 2, 3,
// 3; article indexes of 6 digits): what each import makes of the store's
// wares, products and codes.

#include "Core/Setup/Setup.h"
#include "apps/towary/products/ProductExport.h"
#include "apps/towary/products/ProductImport.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/towary/products/ProductStoreSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Towary::Host::Products::importProducts;

const std::string kHeader = "sNazwa,sGrIndex,sArtIndex,byTyp,byVAT,bWieleCen,sNazwaKlasy,bAtrWart,bAtrMask,sPLU,byStatus,nJm\n";
// A ware 000500 with its one code, live.
const std::string kCoffee = "Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n";
// Ordinary products 10 (Herbata, 000600) and 11 (Inny, 000601) of the family, for the code rows after it.
const std::string kTowar = "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values ";
const std::string kProducts =
    kTowar + "(10, 'Herbata', '010101001', '000600', 4, 6, 0), (11, 'Inny', '010101001', '000601', 4, 6, 0)";
const std::string kCodes = "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values ";
// A live code of each of the products.
const std::string kTwoCodes = kCodes + "(20, '5901234123457', 10, 1, 1), (21, '5901234123464', 11, 1, 1)";
// The ware 000500 of the codes of products 10 and 11 and a deleted code of its own.
const std::string kRefusedCoffee = "Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"
                                   ",,,,,,,,,5901234123464,1,1\n,,,,,,,,,5901234123495,3,1\n";
// A ware at the root: a group of its own, a department's index, with level code 1.
const std::string kAtTheRoot = "01|nowy|Kawa|4|1|6\n01|000500|Kawa|9|0|1\n--\n";

std::string withoutCodes(const std::string& name, const std::string& index, const std::string& codes) {
    return "Towar '" + name + "' o indeksie '" + index + "' został zaimportowany bez kodów '" + codes +
           "', ponieważ przynależały one w bazie do innych towarów.\n";
}

class MultiPriceImport : public ::testing::Test {
protected:
    // What the import tells of the wares, then the products and codes it wrote ("P C") and the wares it made, made
    // of ordinary products, moved and dissolved ("; M O V D").
    std::string import(const std::string& rows) const {
        const auto counts = importProducts(store_.file("import.csv", kHeader + rows), session_, true);
        std::string told;
        for (const auto& line : counts.log) told += line + "\n";
        return told + std::to_string(counts.products) + " " + std::to_string(counts.codes) + "; " +
               std::to_string(counts.waresCreated) + " " + std::to_string(counts.waresConverted) + " " +
               std::to_string(counts.waresMoved) + " " + std::to_string(counts.waresDissolved);
    }
    // The products (group, index, name, type, flag, level code), then the codes (code, owner's index, status, unit).
    // An index the generator gave is "nowy": what it is depends on the indexes it gave before in the process.
    std::string state() const {
        const std::string index = "case when t.sArtIndex < '000100' then 'nowy' else t.sArtIndex end";
        return TestSupport::rows(session_, "select t.sGrIndex, " + index + ", t.sNazwa, t.byTyp, t.bWieleCen, t.byCode "
                                           "from towar t where t.sArtIndex is not null "
                                           "order by t.sGrIndex, t.byTyp, t.bWieleCen desc, t.sNazwa") +
               "--\n" +
               TestSupport::rows(session_, "select p.sPLU, " + index + ", p.byStatus, p.nJm from plu p join towar t on "
                                           "t.lTowarRef = p.lTowarRef order by p.sPLU, p.lPluRef");
    }

    ProductTest::Store store_{true};
    Core::SetupRegistration setup_;
    const TSessionHolder& session_ = store_.session();
};

struct Case {
    const char* name;
    // Statements, and rows to import (those that end in a newline), in order; then ids up to 100 are taken.
    std::vector<std::string> before;
    std::string rows;
    std::string told;  // as import() gives it
    std::string state;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class MultiPriceImportCase : public MultiPriceImport, public ::testing::WithParamInterface<Case> {};

TEST_P(MultiPriceImportCase, LeavesTheWaresAndCodesAsTheyShould) {
    const auto& c = GetParam();
    for (const auto& step : c.before) {
        if (step.ends_with('\n')) import(step);
        else TestSupport::exec(session_, step);
    }
    TestSupport::reserveIdsThrough(store_.path(), 100);
    EXPECT_EQ(import(c.rows), c.told);
    EXPECT_EQ(state(), c.state);
}

INSTANTIATE_TEST_SUITE_P(Imports, MultiPriceImportCase, ::testing::Values(
    // A grouping row, its element and all codes on the grouping row, live with status 1.
    Case{"NewWare", {}, "Kawa mielona,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"
                        ",,,,,,,,,5901234123464,2,3\n",
         "1 2; 1 0 0 0",
         "010101001001|nowy|Kawa mielona|4|1|6\n010101001001|000500|Kawa mielona|9|0|5\n--\n"
         "5901234123457|000500|1|1\n5901234123464|000500|1|3\n"},
    // The stored product is the element now, under a generated index, with its own name and the codes not imported;
    // the grouping row takes over the imported codes it held, and another product's code is left to it.
    Case{"OrdinaryConverted", {kProducts, kCodes + "(20, '5901234123457', 10, 1, 2), (21, '5901234123464', 11, 1, 1), "
                                                   "(22, '5901234123471', 10, 1, 1)"},
         "Herbata czarna,010101001,000600,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n,,,,,,,,,5901234123464,1,1\n"
         ",,,,,,,,,5901234123488,1,1\n",
         withoutCodes("Herbata czarna", "000600", "5901234123464") + "1 2; 0 1 0 0",
         "010101001|000601|Inny|4|0|6\n010101001001|nowy|Herbata|4|1|6\n"
         "010101001001|000600|Herbata czarna|9|0|5\n--\n5901234123457|000600|1|1\n"
         "5901234123464|000601|1|1\n5901234123471|nowy|1|1\n5901234123488|000600|1|1\n"},
    // A code with a deleted row of another product beside is not taken over: it stays live on the element.
    Case{"CodeWithADeletedRowBeside", {kProducts, kCodes + "(20, '5901234123457', 10, 1, 1), "
                                                           "(21, '5901234123457', 11, 1, 3)"},
         "Herbata,010101001,000600,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n",
         withoutCodes("Herbata", "000600", "5901234123457") + "1 0; 0 1 0 0",
         "010101001|000601|Inny|4|0|6\n010101001001|nowy|Herbata|4|1|6\n"
         "010101001001|000600|Herbata|9|0|5\n--\n5901234123457|nowy|1|1\n"
         "5901234123457|000601|3|1\n"},
    // A converted product's own code with a deleted row goes whole to the grouping row, not reported as another's.
    Case{"OwnCodeWithADeletedRow", {kTowar + "(25, 'Masło', '010101001', '000625', 4, 6, 0)",
                                    kCodes + "(30, '5902251000011', 25, 1, 2), (31, '5902251000011', 25, 1, 3)"},
         "Masło,010101001,000625,4,9,1,,,,,,\n,,,,,,,,,5902251000011,1,4\n", "1 1; 0 1 0 0",
         "010101001001|nowy|Masło|4|1|6\n010101001001|000625|Masło|9|0|5\n--\n"
         "5902251000011|000625|1|4\n5902251000011|000625|3|4\n"},
    // A code another product holds live beside the ware's deleted row is left to it, as it was.
    Case{"CodeLiveOnAnother", {kCoffee, "update plu set byStatus = 3",
                               kTowar + "(900, 'Inny', '010101001', '000601', 4, 6, 0)",
                               kCodes + "(901, '5901234123457', 900, 1, 1)"},
         "Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,5\n",
         withoutCodes("Kawa", "000500", "5901234123457") + "1 0; 0 0 0 0",
         "010101001|000601|Inny|4|0|6\n010101001001|nowy|Kawa|4|1|6\n"
         "010101001001|000500|Kawa|9|0|5\n--\n5901234123457|000500|3|1\n"
         "5901234123457|000601|1|1\n"},
    Case{"MovedToAnotherFamily", {kCoffee, kTowar + "(900, 'Kawa 2', '010101001001', '000002', 4, 6, 1)"},
         "Kawa,010101002,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n", "1 1; 0 0 1 0",
         "010101002001|nowy|Kawa|4|1|6\n010101002001|nowy|Kawa 2|4|1|6\n"
         "010101002001|000500|Kawa|9|0|5\n--\n5901234123457|000500|1|1\n"},
    // The former grouping row is the ordinary product now, of the imported type, with the codes; no second product.
    Case{"ImportedAsOrdinary", {kCoffee},
         "Kawa ziarnista,010101001,000500,4,9,0,,,,,,\n,,,,,,,,,5901234123457,1,2\n,,,,,,,,,5901234123464,1,1\n",
         "1 2; 0 0 0 1",
         "010101001|nowy|Kawa|4|0|6\n010101001|000500|Kawa ziarnista|4|0|6\n--\n"
         "5901234123457|000500|1|2\n5901234123464|000500|1|1\n"},
    // Codes of several products: every code stays live on its owner, the grouping row and its element go again.
    Case{"CodesOfSeveralProducts", {kProducts, kTwoCodes},
         kRefusedCoffee, "Towar 'Kawa' o indeksie '000500' nie został zaimportowany, ponieważ powiązane z nim kody plu "
                         "przynależą w bazie do innych towarów.\n0 0; 0 0 0 0",
         "010101001|000600|Herbata|4|0|6\n010101001|000601|Inny|4|0|6\n--\n"
         "5901234123457|000600|1|1\n5901234123464|000601|1|1\n"},
    // The next ware of the family takes the group index the refused one freed, with no element of it.
    Case{"AfterARefusedWare", {kProducts, kTwoCodes, kRefusedCoffee},
         "Herbata,010101001,000510,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n,,,,,,,,,5901234123495,3,1\n",
         withoutCodes("Herbata", "000510", "5901234123457") + "1 1; 1 0 0 0",
         "010101001|000600|Herbata|4|0|6\n010101001|000601|Inny|4|0|6\n"
         "010101001001|nowy|Herbata|4|1|6\n010101001001|000510|Herbata|9|0|5\n--\n"
         "5901234123457|000600|1|1\n5901234123464|000601|1|1\n5901234123495|000510|3|1\n"},
    // A ware made at the root gets a group of its own, a department's index with level code 1; imported again it
    // stays; its level code follows its group (each level's code is groupCodeBelow's, tests/products).
    Case{"AtTheRoot", {}, "Kawa,,000500,4,9,1,,,,,,\n", "1 0; 1 0 0 0", kAtTheRoot},
    Case{"AtTheRootAgain", {"Kawa,,000500,4,9,1,,,,,,\n"}, "Kawa,,000500,4,9,1,,,,,,\n", "1 0; 0 0 0 0", kAtTheRoot},
    Case{"FromTheRootToADepartment", {"Kawa,,000500,4,9,1,,,,,,\n"}, "Kawa,02,000500,4,9,1,,,,,,\n",
         "1 0; 0 0 1 0",
         "0201|nowy|Kawa|4|1|6\n0201|000500|Kawa|9|0|2\n--\n"},
    Case{"BackToTheRoot", {"Kawa,,000500,4,9,1,,,,,,\n", "Kawa,02,000500,4,9,1,,,,,,\n"}, "Kawa,,000500,4,9,1,,,,,,\n",
         "1 0; 0 0 1 0", kAtTheRoot}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(MultiPriceImport, TheWareTakesItsClassFromTheImport) {
    TestSupport::exec(session_, "insert into klasa (lKlasaRef, sNazwa, bAtrWart) values (3, 'Świeże', 5)");
    import("Kawa,010101001,000500,4,9,1,Świeże,8,8,,,\n");
    EXPECT_EQ(TestSupport::rows(session_, "select lKlasaRef, bAtrWart, bAtrMask from towar order by sArtIndex"),
              "3|13|8\n3|13|8\n") << "the ware and its element";
}

TEST_F(MultiPriceImport, AFailedImportLeavesTheStoreAsItWas) {
    import(kCoffee);
    // Every row of both tables; not the id pool: a server's sequence moves on whatever rolls back.
    const auto dump = [this] {
        return TestSupport::rows(session_, "select * from towar order by lTowarRef") +
               TestSupport::rows(session_, "select * from plu order by lPluRef");
    };
    const auto before = dump();
    const auto refusal = [this](const std::string& rows) {
        return TestSupport::failure<std::runtime_error>([&] { import(rows); });
    };
    const auto path = (store_.path() / "import.csv").string();
    EXPECT_EQ(refusal("Herbata,010101001,000600,4,9,1,,,,,,\n,,,,,,,,,5901234123464,1,1\n"
                      "Kawa,010101002,000500,4,9,1,Nieznana,,,,,\n"),
              path + ", wiersz 4: Brak klasyNieznanaw bazie!");
    EXPECT_EQ(refusal("Herbata,010101001,000600,4,9,1,,,,,,\nCukier,01010100,000700,4,9,1,,,,,,\n"),
              path + ", wiersz 3: Błędna długość indeksu grupy (01010100).");
    // The store refuses a row after the ware was written: an id it already has.
    const auto withIds = store_.file("ids.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byTyp,bWieleCen,sPLU,byStatus\n"
                                                ",Herbata,010101001,000600,4,1,,\n,,,,,,5901234123464,1\n"
                                                "1,Cukier,010101001,000700,4,0,,\n");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { importProducts(withIds, session_, true); }),
              withIds.string() + ", wiersz 4: towar o ID = 1 jest już w sklepie");
    EXPECT_EQ(dump(), before);
}

TEST_F(MultiPriceImport, AnExportedStoreImportsAgainWithItsWaresAsTheyStand) {
    import(kCoffee + "Herbata,,000600,4,9,1,,,,,,\n");
    std::ostringstream exported;
    Towary::Host::Products::exportProducts(exported, session_);
    const ProductTest::Store copy(true);
    EXPECT_EQ(importProducts(copy.file("eksport.csv", exported.str()), copy.session(), true).products, 4);
    std::ostringstream again;
    Towary::Host::Products::exportProducts(again, copy.session());
    EXPECT_EQ(again.str(), exported.str());
}

}  // namespace
