#include "Core/Database/Session.h"
#include "tests/support/TowaryStore.h"

#include "Core/tools/FileLock.h"

#include <sys/wait.h>

#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using TestSupport::runTowary;

class ProductsCommand : public TestSupport::TowaryStore {};

TEST_F(ProductsCommand, GenerateExportAndImportAsAUser) {
    const auto generated = file("wygenerowany");
    // Each command's report starts with the text.
    const auto starts = [](const TestSupport::RunResult& result, const std::string& text) {
        expectSuccess(result);
        EXPECT_EQ(result.out.rfind(text, 0), 0u) << result.out;
    };
    const auto made = runTowary({"generate", generated, "--products", "200", "--seed", "3"});
    starts(made, "Założono sklep w " + generated + " (ziarno 3): grupy ");
    expectIn(made.out, {"towary 200 (wagowe "});
    const auto all = runTowary({"products", "export", generated});
    starts(all, "lTowarRef,sNazwa,");
    const auto csv = file("towary.csv");
    starts(runTowary({"products", "export", generated, csv}), "Wyeksportowano do " + csv + ": towary i grupy ");
    EXPECT_EQ(TestSupport::readFile(csv), all.out);
    starts(run("products", {"import", csv}), "Zaimportowano z " + csv + ": towary i grupy ");
    EXPECT_EQ(run("products", {"export"}).out, all.out) << "the copy holds the same rows";

    // A generate killed while it filled the store leaves it marked: refused, and replaced by the next generate.
    std::ofstream(generated + "/.towary-niedokonczony").close();
    expectFailure(runTowary({"products", "export", generated}),
                  "Sklep w " + generated + " nie jest gotowy: przerwano polecenie, które go zakładało i wypełniało. "
                  "Uruchom towary generate ponownie (zastąpi ten sklep) albo usuń katalog.");
    {
        // While a generate holds the mark, its fill is running: nobody replaces it, and others are told to wait.
        Core::FileLock filling(generated + "/.towary-niedokonczony");
        const std::string wait = "Sklep w " + generated +
                                 " jest właśnie zakładany i wypełniany przez inne polecenie towary. Poczekaj, aż się "
                                 "zakończy.";
        expectFailure(runTowary({"products", "export", generated}), wait);
        expectFailure(runTowary({"generate", generated, "--products", "200", "--seed", "3"}), wait);
    }
    expectSuccess(runTowary({"generate", generated, "--products", "200", "--seed", "3"}));
    EXPECT_EQ(runTowary({"products", "export", generated}).out, all.out);
    EXPECT_FALSE(std::filesystem::exists(generated + "/.towary-niedokonczony"));
}

TEST_F(ProductsCommand, RefusalsAndBadUsage) {
    // What a product file may hold is the import's (tests/towary/products); a refused file is named and writes nothing.
    const auto csv = file("plik.csv", "sNazwa,byVAT\nMleko,1\nChleb,x\n");
    expectFailure(run("products", {"import", csv}), csv + ", wiersz 3: kolumna byVAT: \"x\" nie jest liczbą całkowitą");
    EXPECT_EQ(sql("select count(*) n from towar").out, "n\n0\n");
    // A missing argument is bad usage as for every command (TowaryCommand); the seed's own range is generate's.
    expectBadUsage(runTowary({"generate", file("nowy"), "--products", "10", "--seed", "-1"}),
                   "Ziarno \"-1\": liczba nie może być ujemna.");
    EXPECT_FALSE(std::filesystem::exists(file("nowy")));
    // Generate makes a new store and never fills an existing one.
    expectFailureWith(runTowary({"generate", dir_, "--products", "10"}), "nie jest pusty");

    // The store's own files are no product files, whatever the path says.
    const std::string own = TestSupport::onServer() ? "baza.toml" : "towary.db";
    const auto database = dir_ + "/" + own;
    const auto before = TestSupport::readFile(database);
    std::filesystem::create_symlink(database, file("link.csv"));
    expectFailure(run("products", {"export", database}),
                  "Plik " + database + " jest plikiem sklepu (" + own + "); plik towarów musi być innym plikiem.");
    expectFailure(run("products", {"import", file("link.csv")}),
                  "Plik " + file("link.csv") + " jest plikiem sklepu (" + own + "); plik towarów musi być innym plikiem.");
    expectFailure(run("products", {"export", dir_ + "/./towary.toml"}),
                  "Plik " + dir_ + "/./towary.toml jest plikiem sklepu (towary.toml); plik towarów musi być innym "
                  "plikiem.");
    EXPECT_EQ(TestSupport::readFile(database), before);
}

TEST_F(ProductsCommand, AnExportThatCannotBeWrittenFailsAndLeavesNoFile) {
    expectSuccess(run("products", {"import", file("towary.csv", "sNazwa,sArtIndex\nMleko,000001\n")}));
    const auto err = file("stderr.txt");
    const int status = std::system(("'" + std::string(TOWARY_BIN_DIR) + "/towary' products export '" + dir_ +
                                    "' >/dev/full 2>'" + err + "'")
                                       .c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(TestSupport::readFile(err),
              "towary: Nie można zapisać wyniku polecenia na standardowe wyjście: brak miejsca na dysku.\n");
    expectFailure(run("products", {"export", "/dev/full"}), "Nie można zapisać pliku /dev/full: brak miejsca na dysku.");

    // A store that cannot be opened: a database file that is none, a server file that names no server.
    std::ofstream(dir_ + (TestSupport::onServer() ? "/baza.toml" : "/towary.db"), std::ios::trunc) << "to nie jest baza";
    const auto csv = file("eksport.csv");
    EXPECT_EQ(run("products", {"export", csv}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(csv)) << "a failed export leaves no file behind";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.path()), {}), 3) << "nor a temporary one";
}

TEST_F(ProductsCommand, AStoreThatMayNotBeWrittenIsReadAndWritesAreRefusedInPolish) {
    if (TestSupport::onServer()) GTEST_SKIP() << "a store file's permissions are SQLite's; a server grants its own";
    const auto csv = file("towary.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode\n7,Mleko,0101,000007,6\n");
    ASSERT_EQ(run("products", {"import", csv}).exitCode, 0);
    namespace fs = std::filesystem;
    fs::permissions(scratch_.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                              fs::perms::others_exec);
    for (const char* name : {"/towary.db", "/towary.toml"})
        fs::permissions(dir_ + name, fs::perms::owner_read | fs::perms::others_read);
    using TestSupport::runTowaryUnprivileged;

    expectContains(runTowaryUnprivileged({"find", dir_, "Mleko"}), {"Mleko"});
    expectContains(runTowaryUnprivileged({"products", "export", dir_}), {"Mleko"});
    const auto imported = runTowaryUnprivileged({"products", "import", dir_, csv});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_EQ(imported.err.rfind("towary: Sklep można tylko czytać: brak uprawnień do zapisu", 0), 0u) << imported.err;
    expectError(runTowaryUnprivileged({"init", dir_ + "/nowy"}),
                "towary: Nie można założyć sklepu w " + dir_ + "/nowy (katalog " + dir_ + "): brak uprawnień.\n");

    fs::permissions(dir_, fs::perms::owner_all);
}

TEST_F(ProductsCommand, AStoreWhoseLastChangesWaitInItsLogIsNotReadAsOldWhereTheLogCannotBeRead) {
    if (TestSupport::onServer()) GTEST_SKIP() << "the write-ahead log is SQLite's";
    const auto csv = file("towary.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode\n7,Mleko,0101,000007,6\n");
    expectSuccess(run("products", {"import", csv}));
    namespace fs = std::filesystem;
    const auto copy = scratch_.path() / "kopia";
    fs::create_directories(copy / "log");
    {
        // A writer that committed a change and has not closed the store, as a killed one leaves it.
        const auto session = DBKernel::Session::open(std::filesystem::path(dir_) / "towary.db");
        session->connection().runScript("update towar set sNazwa = 'Chleb' where lTowarRef = 7");
        for (const char* name : {"towary.toml", "towary.db", "towary.db-wal"})
            fs::copy_file(fs::path(dir_) / name, copy / name);
    }
    ASSERT_GT(fs::file_size(copy / "towary.db-wal"), 0u);
    fs::permissions(scratch_.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);

    const auto database = (copy / "towary.db").string();
    expectError(TestSupport::runTowaryUnprivileged({"find", copy.string(), "Mleko"}),
                "towary: Nie można odczytać bazy danych sklepu " + database + ": jej ostatnie zmiany są jeszcze w pliku " +
                    database + "-wal (program, który ostatnio ją zmieniał, nie zamknął jej), a odczytać je można tylko "
                               "z prawem zapisu do katalogu " + copy.string() +
                    ". Uruchom dowolne polecenie towary na tym sklepie raz z prawem zapisu do katalogu.\n");
    // With the directory writable the change is read.
    expectContains(runTowary({"find", copy.string(), "Chleb"}), {"Chleb"});
}

TEST_F(ProductsCommand, ImportReadsStandardInputAndPipes) {
    const std::string csv = "sNazwa,sArtIndex,sPLU,byStatus\nMleko,000001,,\n,,5900001,1\n";
    const auto import = [this](const std::string& file, const std::string& input) {
        return runTowary({"products", "import", dir_, file}, input);
    };
    expectOutput(import("-", csv), "Zaimportowano ze standardowego wejścia: towary i grupy 1, kody 1.\n");

    // A pipe gives its text once: the import must not read it twice.
    const auto out = file("wynik.txt");
    const std::string command =
        "\"" TOWARY_BIN_DIR "/towary\" products import \"" + dir_ + "\" /dev/stdin > \"" + out + "\" 2>&1";
    FILE* pipe = popen(command.c_str(), "w");
    ASSERT_NE(pipe, nullptr);
    std::fputs("sNazwa,sArtIndex\nChleb,000002\n", pipe);
    EXPECT_EQ(pclose(pipe), 0) << TestSupport::readFile(out);
    EXPECT_EQ(TestSupport::readFile(out), "Zaimportowano z /dev/stdin: towary i grupy 1, kody 0.\n");

    expectFailure(import("-", ""),
                  "standardowe wejście: plik jest pusty; jego pierwszy wiersz to nagłówek z nazwami kolumn");
    EXPECT_EQ(sql("select count(*) n from towar").out, "n\n2\n");
}

TEST_F(ProductsCommand, ShowFindsAProductByIdIndexCodeOrNameWithItsCodes) {
    const auto csv = file("towary.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,dCenaSprzed,sPLU,nJm,byStatus\n"
                                        "7,Kawa ziarnista,0101,000007,6,4,13,24.99,,,\n"
                                        ",,,,,,,,5901234123457,1,1\n"
                                        ",,,,,,,,2007,1,3\n"
                                        "8,Kawa O'Neil,0101,000008,6,4,13,9.5,,,\n");
    expectSuccess(run("products", {"import", csv}));

    // How each form of an identifier is looked up is the module's (tests/products); here that show takes each.
    const std::string kawa = "Towar ID 7: Kawa ziarnista\n  indeks 000007, grupa 0101, poziom 6, typ 4, VAT 13, cena 24.99\n"
                             "  kod 5901234123457, jm 1, status 1\n  kod 2007, jm 1, status 3 (usunięty)\n";
    for (const char* identifier : {"7", "/000007", "5901234123457", "ziarn"})
        expectOutput(run("products", {"show", identifier}), kawa);
    EXPECT_NE(run("products", {"show", "KAWA"}).out.find("Towar ID 8: Kawa O'Neil\n"), std::string::npos);
    EXPECT_EQ(run("products", {"show", "99"}).err, "towary: Brak towaru o ID = 99\n");

    // Ids of ten digits are ids still, up to the greatest an int holds; past it a number can only be a code.
    expectSuccess(run("products", {"import", file("duze.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode\n"
                                                              "2147483647,Herbata,0101,000009,6\n")}));
    EXPECT_EQ(run("products", {"show", "2147483647"}).out.find("Towar ID 2147483647: Herbata\n"), 0u);
    expectFailure(run("products", {"show", "2147483648"}), "Nie istnieje towar z przypisanym kodem plu 2147483648.");

    // A price no amount can hold, written past the import's checks, is refused in Polish and prints nothing.
    expectOutput(sql("update towar set dCenaSprzed = 1e300 where lTowarRef = 7"), "Zmienionych wierszy: 1\n");
    expectFailure(run("products", {"show", "KAWA"}), "Kwota 1e+300 jest poza zakresem: kwoty mają wartości od "
                                                     "-9999999999999999.99 do 9999999999999999.99.");
}

}  // namespace
