#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

using TestSupport::runTowary;

namespace {

std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(ProductsCommand, GenerateExportAndImportAsAUser) {
    TestSupport::TempStore scratch;
    const auto generated = (scratch.path() / "wygenerowany").string();
    const auto made = runTowary({"generate", generated, "--products", "200", "--seed", "3"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out.find("Założono sklep w " + generated + " (ziarno 3): grupy "), 0u) << made.out;
    EXPECT_NE(made.out.find("towary 200 (wagowe "), std::string::npos) << made.out;

    const auto toStdout = runTowary({"products", "export", generated});
    ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out.find("lTowarRef,sNazwa,"), 0u);

    const auto file = (scratch.path() / "towary.csv").string();
    const auto toFile = runTowary({"products", "export", generated, file});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(toFile.out.find("Wyeksportowano do " + file + ": towary i grupy "), 0u) << toFile.out;
    EXPECT_EQ(slurp(file), toStdout.out);

    const auto copy = (scratch.path() / "kopia").string();
    ASSERT_EQ(runTowary({"init", copy}).exitCode, 0);
    const auto imported = runTowary({"products", "import", copy, file});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out.find("Zaimportowano z " + file + ": towary i grupy "), 0u) << imported.out;
    EXPECT_EQ(runTowary({"products", "export", copy}).out, toStdout.out) << "the copy holds the same rows";
}

TEST(ProductsCommand, RefusalsAndBadUsage) {
    TestSupport::TempStore scratch;
    const auto dir = (scratch.path() / "sklep").string();
    ASSERT_EQ(runTowary({"init", dir}).exitCode, 0);
    const auto file = (scratch.path() / "plik.csv").string();
    std::ofstream(file) << "sNazwa,byVAT\nMleko,1\nChleb,x\n";

    const auto bad = runTowary({"products", "import", dir, file});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.empty()) << bad.out;
    EXPECT_EQ(bad.err, "towary: " + file + ", wiersz 3: kolumna byVAT: \"x\" nie jest liczbą całkowitą\n");
    EXPECT_EQ(runTowary({"sql", dir, "select count(*) n from towar"}).out, "n\n0\n");

    EXPECT_EQ(runTowary({"products", "import", dir}).exitCode, 2) << "the file is missing";
    EXPECT_EQ(runTowary({"products", dir}).exitCode, 2) << "import or export must be named";
    EXPECT_EQ(runTowary({"generate", (scratch.path() / "nowy").string()}).exitCode, 2) << "--products is required";
    EXPECT_EQ(runTowary({"generate", (scratch.path() / "nowy").string(), "--products", "0"}).exitCode, 2);
    const auto existing = runTowary({"generate", dir, "--products", "10"});
    EXPECT_EQ(existing.exitCode, 1) << "generate makes a new store and never fills an existing one";
    EXPECT_NE(existing.err.find("nie jest pusty"), std::string::npos) << existing.err;
    EXPECT_EQ(runTowary({"products", "export", (scratch.path() / "brak").string()}).exitCode, 1);
}

TEST(ProductsCommand, TheDemoImportsItsSampleFileAndShowsAProduct) {
    TestSupport::TempStore scratch;
    const auto result = runTowary({"demo", (scratch.path() / "demo").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("== Towary i kody z pliku CSV ==\n"
                              "towary products import przyklad-towary.csv: towary i grupy 16, kody 7\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("  kod 5901234123464, status 3 (usunięty)\n"), std::string::npos) << result.out;
}

TEST(ProductsCommand, ShowFindsAProductByIdIndexCodeOrNameWithItsCodes) {
    TestSupport::TempStore scratch;
    const auto dir = (scratch.path() / "sklep").string();
    ASSERT_EQ(runTowary({"init", dir}).exitCode, 0);
    const auto file = (scratch.path() / "towary.csv").string();
    std::ofstream(file) << "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,dCenaSprzed,sPLU,nJm,byStatus\n"
                           "7,Kawa ziarnista,0101,000007,6,4,13,24.99,,,\n"
                           ",,,,,,,,5901234123457,1,1\n"
                           ",,,,,,,,2007,1,3\n"
                           "8,Kawa O'Neil,0101,000008,6,4,13,9.5,,,\n";
    const auto imported = runTowary({"products", "import", dir, file});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;

    const std::string kawa = "Towar ID 7: Kawa ziarnista\n  indeks 000007, grupa 0101, poziom 6, typ 4, VAT 13, cena 24.99\n"
                             "  kod 5901234123457, jm 1, status 1\n  kod 2007, jm 1, status 3 (usunięty)\n";
    for (const char* identifier : {"7", "/000007", "5901234123457", "ziarn"}) {
        const auto shown = runTowary({"products", "show", dir, identifier});
        EXPECT_EQ(shown.exitCode, 0) << identifier << ": " << shown.err;
        EXPECT_EQ(shown.out, kawa) << identifier;
    }
    const auto both = runTowary({"products", "show", dir, "KAWA"});
    EXPECT_NE(both.out.find("Towar ID 8: Kawa O'Neil\n"), std::string::npos) << both.out;

    const auto missing = runTowary({"products", "show", dir, "O'Brien"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "towary: Nie istnieje towar zawierający frazę O''Brien.\n");
    EXPECT_EQ(runTowary({"products", "show", dir, "99"}).err, "towary: Brak towaru o ID = 99\n");
    EXPECT_EQ(runTowary({"products", "show", dir}).exitCode, 2);
}
