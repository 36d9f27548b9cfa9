#include "tests/support/TowaryStore.h"

#include <fstream>

namespace {

using TestSupport::runTowary;

// A store made by `towary init` and a scratch directory beside it for files and other stores.
class ProductsCommand : public TestSupport::TowaryStore {
protected:
    std::string file(const std::string& name, const std::string& text = "") const {
        const auto path = (scratch_.path() / name).string();
        if (!text.empty()) std::ofstream(path) << text;
        return path;
    }
};

TEST_F(ProductsCommand, GenerateExportAndImportAsAUser) {
    const auto generated = file("wygenerowany");
    const auto made = runTowary({"generate", generated, "--products", "200", "--seed", "3"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out.find("Założono sklep w " + generated + " (ziarno 3): grupy "), 0u) << made.out;
    EXPECT_NE(made.out.find("towary 200 (wagowe "), std::string::npos) << made.out;

    const auto all = runTowary({"products", "export", generated});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out.find("lTowarRef,sNazwa,"), 0u);

    const auto csv = file("towary.csv");
    const auto toFile = runTowary({"products", "export", generated, csv});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(toFile.out.find("Wyeksportowano do " + csv + ": towary i grupy "), 0u) << toFile.out;
    EXPECT_EQ(TestSupport::readFile(csv), all.out);

    const auto imported = run("products", {"import", csv});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out.find("Zaimportowano z " + csv + ": towary i grupy "), 0u) << imported.out;
    EXPECT_EQ(run("products", {"export"}).out, all.out) << "the copy holds the same rows";
}

TEST_F(ProductsCommand, RefusalsAndBadUsage) {
    const auto csv = file("plik.csv", "sNazwa,byVAT\nMleko,1\nChleb,x\n");
    expectFailure(run("products", {"import", csv}), csv + ", wiersz 3: kolumna byVAT: \"x\" nie jest liczbą całkowitą");
    EXPECT_EQ(sql("select count(*) n from towar").out, "n\n0\n");

    EXPECT_EQ(run("products", {"import"}).exitCode, 2) << "the file is missing";
    EXPECT_EQ(runTowary({"products", dir_}).exitCode, 2) << "import or export must be named";
    EXPECT_EQ(runTowary({"generate", file("nowy")}).exitCode, 2) << "--products is required";
    EXPECT_EQ(runTowary({"generate", file("nowy"), "--products", "0"}).exitCode, 2);
    const auto existing = runTowary({"generate", dir_, "--products", "10"});
    EXPECT_EQ(existing.exitCode, 1) << "generate makes a new store and never fills an existing one";
    EXPECT_NE(existing.err.find("nie jest pusty"), std::string::npos) << existing.err;
    EXPECT_EQ(runTowary({"products", "export", file("brak")}).exitCode, 1);
}

TEST_F(ProductsCommand, ShowFindsAProductByIdIndexCodeOrNameWithItsCodes) {
    const auto csv = file("towary.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,dCenaSprzed,sPLU,nJm,byStatus\n"
                                        "7,Kawa ziarnista,0101,000007,6,4,13,24.99,,,\n"
                                        ",,,,,,,,5901234123457,1,1\n"
                                        ",,,,,,,,2007,1,3\n"
                                        "8,Kawa O'Neil,0101,000008,6,4,13,9.5,,,\n");
    ASSERT_EQ(run("products", {"import", csv}).exitCode, 0);

    const std::string kawa = "Towar ID 7: Kawa ziarnista\n  indeks 000007, grupa 0101, poziom 6, typ 4, VAT 13, cena 24.99\n"
                             "  kod 5901234123457, jm 1, status 1\n  kod 2007, jm 1, status 3 (usunięty)\n";
    for (const char* identifier : {"7", "/000007", "5901234123457", "ziarn"})
        expectOutput(run("products", {"show", identifier}), kawa);
    EXPECT_NE(run("products", {"show", "KAWA"}).out.find("Towar ID 8: Kawa O'Neil\n"), std::string::npos);

    expectFailure(run("products", {"show", "O'Brien"}), "Nie istnieje towar zawierający frazę O''Brien.");
    expectFailure(run("products", {"show", "/x' or t.sartindex = '000008"}),
                  "Nie istnieje towar o indeksie x' or t.sartindex = '000008.");
    EXPECT_EQ(run("products", {"show", "99"}).err, "towary: Brak towaru o ID = 99\n");
    EXPECT_EQ(run("products", {"show"}).exitCode, 2);
}

}  // namespace
