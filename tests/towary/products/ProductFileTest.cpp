#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "apps/towary/products/ProductExport.h"
#include "apps/towary/products/ProductImport.h"
#include "tests/support/Failure.h"
#include "tests/support/ServerDatabase.h"
#include "tests/support/StoreTriggers.h"
#include "tests/towary/products/ProductStoreSupport.h"

using TestSupport::count;
using TestSupport::rows;
using Towary::Host::Products::exportProducts;
using Towary::Host::Products::importProducts;

namespace {

class ProductFile : public ::testing::Test {
protected:
    // "imported", or the import's refusal after the file's name.
    std::string refusal(const std::string& text) const {
        const auto message = TestSupport::failure<std::runtime_error>(
            [&] { importProducts(store_.file("x.csv", text), session()); });
        return message == "no exception" ? "imported" : message.substr((store_.path() / "x.csv").string().size());
    }
    const TSessionHolder& session() const { return store_.session(); }
    std::int64_t nextId() const { return DBKernel::RefPool::instance().getRef(session()); }

    ProductTest::Store store_;
};

std::string exported(const TSessionHolder& session) {
    std::ostringstream out;
    exportProducts(out, session);
    return out.str();
}

}  // namespace

TEST_F(ProductFile, AGoodFileBringsProductsAndCodesWithTheirOwnIdsOrThePoolsOnes) {
    const auto counts = importProducts(store_.file("dostawa.csv",
                                                   "ltowarref,SNAZWA,sGrIndex,sArtIndex,byCode,dCenaSprzed,sPLU,byStatus,LPLUREF\n"
                                                   ",Nabiał,01,,1,,,,\n"
                                                   "100,\"Mleko \"\"Łaciate\"\", 2%\",01,000001,6,3.49,,,\n"
                                                   ",,,,,,5901234123457,1,\n,,,,,,5901234123464,3,250\n"
                                                   ",O'Neil,01,000002,6,,,,\n100,,,,,,1001,2,\n"),
                                       session());
    EXPECT_EQ(std::to_string(counts.products) + " " + std::to_string(counts.codes), "3 3");
    // Ids from the file, else from the pool moved past the file's greatest id (250); an empty field is NULL. Codes
    // belong to the product above them, or to the one their lTowarRef names.
    EXPECT_EQ(rows(session(), "select lTowarRef, sNazwa, sArtIndex, byCode, dCenaSprzed from towar order by lTowarRef") +
                  rows(session(), "select lPluRef, sPLU, lTowarRef, byStatus from plu order by lPluRef"),
              "100|Mleko \"Łaciate\", 2%|000001|6|3.49\n251|Nabiał|-|1|-\n253|O'Neil|000002|6|-\n"
              "250|5901234123464|100|3\n252|5901234123457|100|1\n254|1001|100|2\n");
    EXPECT_EQ(nextId(), 255) << "later ids never meet imported ones";
}

// Into a new store the import builds the search's indexes once, after its rows, in its own
// transaction: a refused import leaves them as they were, a done one leaves them filled.
TEST_F(ProductFile, OneBadRowAmongGoodOnesWritesNothingAndNamesItsLine) {
    const auto searchIndexes = [&] {
        return TestSupport::onServer() ? 2
                                       : count(session(), "sqlite_master where name in ('towar_reversed_sArtIndex', "
                                                          "'towar_upper_sNazwa')");
    };
    std::string text = "sNazwa,sArtIndex,byVAT,sPLU,byStatus\n";
    for (int line = 2; line <= 21; ++line) {
        const auto n = std::to_string(line);
        text += "Towar " + n + ",0000" + n + "," + (line == 17 ? "A" : "1") + ",,\n,,,59000" + n + ",1\n";
    }
    // Each product takes two lines: the product of line 17 stands on line 2 * 17 - 2.
    EXPECT_EQ(refusal(text), ", wiersz 32: kolumna byVAT: \"A\" nie jest liczbą całkowitą");
    EXPECT_EQ(count(session(), "towar") + count(session(), "plu"), 0);
    EXPECT_EQ(nextId(), 1) << "not even an id was taken";
    EXPECT_EQ(refusal("lTowarRef,sNazwa,sArtIndex,sPLU\n1,Żurek,000001,\n999,,,590002\n"),
              ", wiersz 3: nie ma towaru o ID = 999, do którego należy kod");
    EXPECT_EQ(searchIndexes(), 2);

    // A row the store refuses once the writing has begun undoes the rows before it.
    ASSERT_EQ(refusal("lTowarRef,sNazwa,sArtIndex\n5,Mleko,000005\n"), "imported");
    EXPECT_EQ(searchIndexes(), 2);
    EXPECT_EQ(rows(session(), "select lTowarRef from towar where upper(sNazwa) like 'MLE%' and sArtIndex like '%0005'"),
              "5\n");
    EXPECT_EQ(refusal("lTowarRef,sNazwa,sPLU\n6,Chleb,\n,,590001\n5,Masło,\n"), ", wiersz 4: towar o ID = 5 jest już w sklepie");
    EXPECT_EQ(rows(session(), "select lTowarRef from towar") + rows(session(), "select lPluRef from plu"), "5\n");

    // A rule of the store the checks before the writing do not know is told in the user's words.
    TestSupport::refuseWrites(store_.path(), "towar", "insert", "Kawy sklep nie przyjmuje.", "new.sNazwa = 'Kawa'");
    const auto refused = refusal("sNazwa\nHerbata\nKawa\n");
    EXPECT_EQ(refused.rfind(", wiersz 3: ", 0), 0u) << refused;
    EXPECT_TRUE(refused.ends_with(" Nic nie zapisano.")) << refused;
    EXPECT_EQ(refused.find("Polecenie"), std::string::npos) << "no statement for a clerk: " << refused;
}

TEST_F(ProductFile, BadRowsAreRefusedWithTheReasonAndTextsAreStoredComposed) {
    for (const auto& [text, reason] : std::vector<std::pair<std::string, std::string>>{
             {"sNazwa,sCena\n", ", wiersz 1: nieznana kolumna sCena: plik ma tylko kolumny tabel towar i plu oraz sNazwaKlasy"},
             {"sNazwa,SNAZWA\n", ", wiersz 1: kolumna sNazwa powtarza się"},
             {"sNazwa,,byCode\n", ", wiersz 1: kolumna numer 2 nie ma nazwy"},
             {"", ": plik jest pusty; jego pierwszy wiersz to nagłówek z nazwami kolumn"},
             {"sNazwa,byCode\nMleko,6,7\n", ", wiersz 2: pól jest 3, a kolumn w nagłówku 2"},
             {"sNazwa,sPLU\nMleko,\nChleb,590001\n",
              ", wiersz 3: kolumna sNazwa należy do towaru, a wiersz z kodem w sPLU opisuje kod"},
             {"sNazwa,sPLU,byStatus\nMleko,,1\n",
              ", wiersz 2: kolumna byStatus należy do kodu, a wiersz bez kodu w sPLU opisuje towar"},
             {"sPLU,byStatus\n590001,1\n",
              ", wiersz 2: kod bez towaru: kod stoi pod wierszem swojego towaru albo podaje jego lTowarRef"},
             {"lTowarRef,sNazwa\n5,Mleko\n5,Chleb\n", ", wiersz 3: towar o ID = 5 jest już w wierszu 2"},
             {"lTowarRef,lPluRef,sNazwa,sPLU\n1,,Mleko,\n,9,,590001\n,9,,590002\n", ", wiersz 4: kod o ID = 9 jest już w wierszu 3"},
             {"lTowarRef,sNazwa,sPLU\n,Mleko,\n7,,590001\n7,Chleb,\n",
              ", wiersz 3: towar o ID = 7 stoi niżej, w wierszu 4; kod stoi pod swoim towarem"},
             {"sNazwa,dCenaSprzed\nMleko,\"3,49\"\n",
              ", wiersz 2: kolumna dCenaSprzed: \"3,49\" nie jest liczbą (część dziesiętną oddziela kropka)"},
             {"sNazwa\n\"Mleko\n", ", wiersz 2: cudzysłów niezamknięty do końca pliku"}})
        EXPECT_EQ(refusal(text), reason) << text;
    for (const auto& [field, character] : std::vector<std::pair<std::string, std::string>>{
             {"Mleko\tUHT", "U+0009"}, {"\"Mleko\nUHT\"", "U+000A"}, {"\"Mleko\r\"", "U+000D"},
             {"Mleko\x01", "U+0001"}, {"Mleko\x7F", "U+007F"}, {"Mleko\xC2\x85", "U+0085"}})
        EXPECT_EQ(refusal("sNazwa\nChleb\n" + field + "\n"),
                  ", wiersz 3: kolumna sNazwa: nazwa zawiera znak sterujący " + character +
                      "; nazwy nie mogą zawierać tabulacji, końców wiersza ani innych znaków sterujących");
    EXPECT_EQ(count(session(), "towar"), 0);
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { importProducts(store_.path() / "brak.csv", session()); }),
              "Nie można otworzyć pliku " + (store_.path() / "brak.csv").string() + ".");

    // "Żółte" typed decomposed (Z and a combining dot, o and a combining acute) is stored composed.
    const std::string decomposed = "Z\xCC\x87o\xCC\x81\xC5\x82te";
    ASSERT_EQ(refusal("sNazwa,sKrNazwa\n" + decomposed + "," + decomposed + "\n"), "imported");
    EXPECT_EQ(rows(session(), "select sNazwa, sKrNazwa from towar"), "Żółte|Żółte\n");
}

TEST_F(ProductFile, AnExportImportedIntoANewStoreGivesTheSameRows) {
    DBKernel::Sql::Command(
        "insert into towar (lTowarRef, sNazwa, sKrNazwa, sGrIndex, sArtIndex, byCode, byTyp, dCenaSprzed, nMarza,"
        " czasUtworzenia, sInfo, nWagaPLU, min_stock_in_sale_unit, dLastSTNDate)"
        " select 7, 'Nabiał', null, '01', null, 1, null, null, null, 45000.25, null, null, null, null from dual"
        " union all select 12, 'Mleko \"Łaciate\", 2%', 'MLEKO', '01', '000001', 6, 4, 3.49, 0.1, 45001.5,"
        " 'wiersz pierwszy' || char(10) || 'drugi, z przecinkiem', null, 1e-07, 45100 from dual"
        " union all select 9, ' O''Neil ', 'ONEIL', '01', '000002', 6, 4, -12.5, 33.333333333333336, 45002,"
        " null, 2147483647, 2.5, null from dual",
        session()).execute();
    DBKernel::Sql::Command(
        "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus, dataOstSprzed, byBlokada, byHardTrStat)"
        " select 30, '5901234123457', 12, 1, 1, 45200.75, 0, null from dual"
        " union all select 31, '5901234123457', 9, 1, 3, null, null, 1 from dual"
        " union all select 32, '1001', 12, 3, 2, null, null, null from dual",
        session()).execute();
    const auto text = exported(session());
    EXPECT_EQ(text.find("lTowarRef,sNazwa,sKrNazwa,sGrIndex,sArtIndex,"), 0u) << "the header names the columns";
    EXPECT_LT(text.find("\n7,Nabiał,"), text.find("\n12,")) << "a group comes before what lies in it";
    EXPECT_LT(text.find("\n12,"), text.find(",5901234123457,")) << "a product is followed by its codes";

    const auto file = store_.file("eksport.csv", text);
    // Every row of both tables, each value with its type.
    const auto all = [](const TSessionHolder& session) {
        std::vector<DBKernel::Value> values;
        for (const char* sql : {"select * from towar order by lTowarRef", "select * from plu order by lPluRef"})
            for (DBKernel::Sql::OpenedQuery query(sql, session); query.next();)
                for (std::size_t i = 0; i < query.columnCount(); ++i) values.push_back(query.field(i).value());
        return values;
    };
    const auto before = all(session());
    ProductTest::Store target;
    const auto counts = importProducts(file, target.session());
    EXPECT_EQ(std::to_string(counts.products) + " " + std::to_string(counts.codes), "3 3");
    EXPECT_EQ(all(target.session()), before);
    EXPECT_EQ(exported(target.session()), text);
    EXPECT_EQ(DBKernel::RefPool::instance().getRef(target.session()), 33);
}

TEST_F(ProductFile, ACodeLiveOnTwoRowsAndAnIdAnIntCannotHoldAreRefusedNamingTheLines) {
    ASSERT_EQ(refusal("lTowarRef,lPluRef,sNazwa,sPLU,byStatus\n1,,Kawa,,\n,10,,5901234123457,1\n"), "imported");
    const std::string once = "; kod może być żywy (status 1 lub 2) tylko w jednym wierszu";
    EXPECT_EQ(refusal("sNazwa,sPLU,byStatus\nMleko,,\n,590001,1\n,590001,3\nChleb,,\n,590001,2\n"),
              ", wiersz 6: kod 590001 jest już żywy w wierszu 3" + once);
    EXPECT_EQ(refusal("sNazwa,sPLU,byStatus\nHerbata,,\n,5901234123457,3\n,5901234123457,2\n"),
              ", wiersz 4: kod 5901234123457 jest już żywy w sklepie, w kodzie o ID = 10" + once);
    // Ids are ints from 1, and every other integer column is read as an int too.
    for (const auto& [text, line, column, value, id] :
         std::vector<std::tuple<std::string, int, std::string, std::string, bool>>{
             {"lTowarRef,sNazwa,sPLU,byStatus\n4294967302,Kawa,,\n", 2, "lTowarRef", "4294967302", true},
             {"lTowarRef,sNazwa\n2,Kawa\n9223372036854775807,Herbata\n", 3, "lTowarRef", "9223372036854775807", true},
             {"lTowarRef,lPluRef,sPLU\n1,2147483648,590002\n", 2, "lPluRef", "2147483648", true},
             {"lTowarRef,sNazwa,lKlasaRef\n0,Kawa,\n", 2, "lTowarRef", "0", true},
             {"sNazwa,lKlasaRef\nKawa,-4294967302\n", 2, "lKlasaRef", "-4294967302", true},
             {"sNazwa,byCode\nKawa,6\nHerbata,4294967302\n", 3, "byCode", "4294967302", false},
             {"sNazwa,sPLU,nJm\nKawa,,\n,590003,-2147483649\n", 3, "nJm", "-2147483649", false}})
        EXPECT_EQ(refusal(text), ", wiersz " + std::to_string(line) + ": kolumna " + column + ": " +
                                     (id ? "identyfikator " : "liczba ") + value + " jest poza zakresem; " +
                                     (id ? "identyfikatory mają wartości od 1 do 2147483647"
                                         : "liczby całkowite mają wartości od -2147483648 do 2147483647"));
    // Real columns are read as amounts.
    EXPECT_EQ(refusal("sNazwa,dCenaSprzed\nKawa,1e300\n"), ", wiersz 2: kolumna dCenaSprzed: Kwota 1e+300 jest poza "
                                                          "zakresem: kwoty mają wartości od -99999999999999.9999 do "
                                                          "99999999999999.9999.");
    EXPECT_EQ(rows(session(), "select lTowarRef from towar") + rows(session(), "select lPluRef, sPLU, byStatus from plu"),
              "1\n10|5901234123457|1\n");
    EXPECT_EQ(nextId(), 11) << "the pool as the first import left it";
    ASSERT_EQ(refusal("lTowarRef,sPLU,byStatus\n1,5901234123457,3\n1,5901234123457,\n"), "imported")
        << "deleted rows and rows without a status may repeat a live code";
}
