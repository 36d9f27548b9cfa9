#include "Core/Database/Session.h"
#include "Core/tools/FileLock.h"
#include "tests/support/TowaryStore.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using TestSupport::runTowary;
namespace fs = std::filesystem;

using ProductsCommand = TestSupport::TowaryStore;

TEST_F(ProductsCommand, GenerateExportAndImportAsAUser) {
    const auto generated = file("wygenerowany");
    const auto generate = [&] { return runTowary({"generate", generated, "--products", "200", "--seed", "3"}); };
    const auto made = generate();
    EXPECT_EQ(made.out.rfind("Założono sklep w " + generated + " (ziarno 3): grupy ", 0), 0u) << made.out;
    expectContains(made, {"towary 200 (wagowe "});
    const auto all = runTowary({"products", "export", generated});
    expectContains(all, {"lTowarRef,sNazwa,"});
    const auto csv = file("towary.csv");
    expectContains(runTowary({"products", "export", generated, csv}), {"Wyeksportowano do " + csv + ": towary i grupy "});
    EXPECT_EQ(TestSupport::readFile(csv), all.out);
    expectContains(run("products", {"import", csv}), {"Zaimportowano z " + csv + ": towary i grupy "});
    EXPECT_EQ(run("products", {"export"}).out, all.out) << "the copy holds the same rows";

    // A generate killed while it filled the store leaves it marked: refused, and replaced by the next generate.
    std::ofstream(generated + "/.towary-niedokonczony").close();
    expectFailure(runTowary({"products", "export", generated}),
                  "Sklep w " + generated + " nie jest gotowy: przerwano polecenie, które go zakładało i wypełniało. "
                  "Uruchom towary generate ponownie (zastąpi ten sklep) albo usuń katalog.");
    {
        // While a generate holds the mark, its fill is running: nobody replaces it, and others are told to wait.
        Core::FileLock filling(generated + "/.towary-niedokonczony");
        const std::string wait = "Sklep w " + generated + " jest właśnie zakładany i wypełniany przez inne polecenie "
                                 "towary. Poczekaj, aż się zakończy.";
        expectFailure(runTowary({"products", "export", generated}), wait);
        expectFailure(generate(), wait);
    }
    expectSuccess(generate());
    EXPECT_EQ(runTowary({"products", "export", generated}).out, all.out) << "the same seed gives the same store";
    EXPECT_FALSE(fs::exists(generated + "/.towary-niedokonczony"));
    expectSuccess(runTowary({"generate", file("inny"), "--products", "200", "--seed", "4"}));
    EXPECT_NE(runTowary({"products", "export", file("inny")}).out, all.out) << "another seed, another store";
}

// A refused file is named and nothing is written; an export that cannot be written fails and leaves no file.
TEST_F(ProductsCommand, RefusalsNameTheFileAndWriteNothing) {
    // What a product file may hold is the import's (tests/towary/products).
    const auto csv = file("plik.csv", "sNazwa,byVAT\nMleko,1\nChleb,x\n");
    const std::string own = TestSupport::onServer() ? "baza.toml" : "towary.db";
    const auto database = dir_ + "/" + own;
    const auto before = TestSupport::readFile(database);
    fs::create_symlink(database, file("link.csv"));
    const auto ownFile = [](const std::string& path, const std::string& name) {
        return "Plik " + path + " jest plikiem sklepu (" + name + "); plik towarów musi być innym plikiem.";
    };
    expectCases("products", {{{"import", csv}, csv + ", wiersz 3: kolumna byVAT: \"x\" nie jest liczbą całkowitą"},
                             // The store's own files are no product files, whatever the path says.
                             {{"export", database}, ownFile(database, own)},
                             {{"import", file("link.csv")}, ownFile(file("link.csv"), own)},
                             {{"export", dir_ + "/./towary.toml"}, ownFile(dir_ + "/./towary.toml", "towary.toml")}});
    EXPECT_EQ(TestSupport::readFile(database), before);
    EXPECT_EQ(sql("select count(*) n from towar").out, "n\n0\n");
    // The seed's own range is generate's; that it never fills an existing store is the store creation's, which init
    // and demo share with it (TowaryCommandTest).
    expectBadUsage(runTowary({"generate", file("nowy"), "--products", "10", "--seed", "-1"}),
                   "Ziarno \"-1\": liczba nie może być ujemna.");
    EXPECT_FALSE(fs::exists(file("nowy")));

    exec("insert into towar (lTowarRef, sNazwa) values (7, 'Mleko')");
    const auto err = file("stderr.txt");
    const int status = std::system(("'" TOWARY_BIN_DIR "/towary' products export '" + dir_ + "' >/dev/full 2>'" + err +
                                    "'").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(TestSupport::readFile(err),
              "towary: Nie można zapisać wyniku polecenia na standardowe wyjście: brak miejsca na dysku.\n");
    expectFailure(run("products", {"export", "/dev/full"}), "Nie można zapisać pliku /dev/full: brak miejsca na dysku.");

    // A store that cannot be opened: a database file that is none, a server file that names no server.
    std::ofstream(database, std::ios::trunc) << "to nie jest baza";
    const auto exported = file("eksport.csv");
    EXPECT_EQ(run("products", {"export", exported}).exitCode, 1);
    EXPECT_FALSE(fs::exists(exported)) << "a failed export leaves no file behind";
    // The store, plik.csv, link.csv and stderr.txt.
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch_.path()), {}), 4) << "nor a temporary one";
}

// What a clerk without the right to write meets: a store read and its writes refused in Polish, and a store whose
// last changes wait in its write-ahead log, which only a writer can read, refused rather than read as it was before.
TEST_F(ProductsCommand, AStoreThatMayNotBeWrittenIsReadAndWritesAreRefusedInPolish) {
    if (TestSupport::onServer()) GTEST_SKIP() << "a store file's permissions and its write-ahead log are SQLite's";
    const auto csv = file("towary.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode\n7,Mleko,0101,000007,6\n");
    expectSuccess(run("products", {"import", csv}));
    const auto copy = scratch_.path() / "kopia";
    fs::create_directories(copy / "log");
    {
        // A writer that committed a change and has not closed the store, as a killed one leaves it.
        const auto session = DBKernel::Session::open(fs::path(dir_) / "towary.db");
        session->connection().runScript("update towar set sNazwa = 'Chleb' where lTowarRef = 7");
        for (const char* name : {"towary.toml", "towary.db", "towary.db-wal"}) fs::copy_file(fs::path(dir_) / name, copy / name);
    }
    ASSERT_GT(fs::file_size(copy / "towary.db-wal"), 0u);
    using fs::perms;
    fs::permissions(scratch_.path(), perms::owner_all | perms::group_exec | perms::others_exec);
    fs::permissions(dir_, perms::owner_read | perms::owner_exec | perms::others_read | perms::others_exec);
    for (const char* name : {"/towary.db", "/towary.toml"}) fs::permissions(dir_ + name, perms::owner_read | perms::others_read);
    using TestSupport::runTowaryUnprivileged;

    expectContains(runTowaryUnprivileged({"find", dir_, "Chleb"}), {"Chleb"});
    expectContains(runTowaryUnprivileged({"products", "export", dir_}), {"Chleb"});
    expectFailureWith(runTowaryUnprivileged({"products", "import", dir_, csv}),
                      "towary: Sklep można tylko czytać: brak uprawnień do zapisu");
    expectError(runTowaryUnprivileged({"init", dir_ + "/nowy"}),
                "towary: Nie można założyć sklepu w " + dir_ + "/nowy (katalog " + dir_ + "): brak uprawnień.\n");
    fs::permissions(dir_, perms::owner_all);

    const auto database = (copy / "towary.db").string();
    expectError(runTowaryUnprivileged({"find", copy.string(), "Mleko"}),
                "towary: Nie można odczytać bazy danych sklepu " + database + ": jej ostatnie zmiany są jeszcze w pliku " +
                    database + "-wal (program, który ostatnio ją zmieniał, nie zamknął jej), a odczytać je można tylko "
                               "z prawem zapisu do katalogu " + copy.string() +
                    ". Uruchom dowolne polecenie towary na tym sklepie raz z prawem zapisu do katalogu.\n");
    // With the directory writable the change is read.
    expectContains(runTowary({"find", copy.string(), "Chleb"}), {"Chleb"});
}

TEST_F(ProductsCommand, ImportReadsStandardInputAndPipes) {
    const auto import = [this](const std::string& input) { return runTowary({"products", "import", dir_, "-"}, input); };
    expectOutput(import("sNazwa,sArtIndex,sPLU,byStatus\nMleko,000001,,\n,,5900001,1\n"),
                 "Zaimportowano ze standardowego wejścia: towary i grupy 1, kody 1.\n");
    expectFailure(import(""), "standardowe wejście: plik jest pusty; jego pierwszy wiersz to nagłówek z nazwami kolumn");

    // A pipe gives its text once: the import must not read it twice.
    const auto out = file("wynik.txt");
    FILE* pipe =
        popen(("\"" TOWARY_BIN_DIR "/towary\" products import \"" + dir_ + "\" /dev/stdin > \"" + out + "\" 2>&1").c_str(), "w");
    ASSERT_NE(pipe, nullptr);
    std::fputs("sNazwa,sArtIndex\nChleb,000002\n", pipe);
    EXPECT_EQ(pclose(pipe), 0) << TestSupport::readFile(out);
    EXPECT_EQ(TestSupport::readFile(out), "Zaimportowano z /dev/stdin: towary i grupy 1, kody 0.\n");
    EXPECT_EQ(sql("select count(*) n from towar").out, "n\n2\n");
}

// How each form of an identifier is looked up is the module's (tests/products); here what show prints of it.
TEST_F(ProductsCommand, ShowPrintsAProductWithItsCodes) {
    expectSuccess(run("products", {"import", file("towary.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,"
                                                                "dCenaSprzed,sPLU,nJm,byStatus\n"
                                                                "7,Kawa ziarnista,0101,000007,6,4,13,24.99,,,\n"
                                                                ",,,,,,,,5901234123457,1,1\n,,,,,,,,2007,1,3\n")}));
    // Imported alone: codes take ids past the greatest in their file.
    expectSuccess(run("products", {"import", file("herbata.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byCode\n"
                                                                 "2147483647,Herbata,0101,000009,6\n")}));
    // Ids of ten digits are ids still, up to the greatest an int holds; past it a number can only be a code.
    expectCases("products", {{{"show", "/000007"}, "Towar ID 7: Kawa ziarnista\n  indeks 000007, grupa 0101, poziom 6, "
                                                   "typ 4, VAT 13, cena 24.99\n  kod 5901234123457, jm 1, status 1\n"
                                                   "  kod 2007, jm 1, status 3 (usunięty)\n", 0},
                             {{"show", "99"}, "Brak towaru o ID = 99"},
                             {{"show", "2147483648"}, "Nie istnieje towar z przypisanym kodem plu 2147483648."}});
    expectContains(run("products", {"show", "2147483647"}), {"Towar ID 2147483647: Herbata\n"});

    // A price no amount can hold, written past the import's checks, is refused in Polish and prints nothing.
    exec("update towar set dCenaSprzed = 1e300 where lTowarRef = 7");
    expectFailure(run("products", {"show", "7"}), "Kwota 1e+300 jest poza zakresem: kwoty mają wartości od "
                                                  "-9999999999999999.99 do 9999999999999999.99.");
}

}  // namespace
