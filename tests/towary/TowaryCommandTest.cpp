#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using TestSupport::runTowary;

// Help pages are CommandLineTexts' to check.
TEST(TowaryCommand, ActionsExitWithZeroAndInitRefusesADirectoryInUse) {
    const auto actions = runTowary({"actions"});
    EXPECT_EQ(actions.exitCode, 0) << actions.err;
    EXPECT_TRUE(actions.err.empty()) << actions.err;

    TestSupport::TempStore store;
    const auto dir = (store.path() / "sklep").string();
    const auto first = runTowary({"init", dir});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    const auto second = runTowary({"init", dir});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("nie jest pusty"), std::string::npos) << second.err;
}

TEST(TowaryCommand, ACommandLineThatCannotBeTakenIsExplainedInPolishWithTheHelpToRead) {
    TestSupport::TempStore scratch;
    const auto dir = (scratch.path() / "sklep").string();
    const auto refused = [](const std::vector<std::string>& args, const std::string& reason,
                            const std::string& command) {
        const auto result = runTowary(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "towary: " + reason + "\nJak wywołać polecenie, pokazuje: " + command + " --help\n");
    };
    refused({}, "Brak polecenia: podaj jedno z poleceń.", "towary");
    refused({"inwentura", dir}, "Nieznane polecenie: inwentura.", "towary");
    refused({"products", "show"}, "Brak wymaganego argumentu DIR.", "towary products show");
    refused({"actions", "nadmiar"}, "Nieoczekiwane argumenty: nadmiar.", "towary actions");
    refused({"generate", dir, "--products"}, "Argument --products ma złą liczbę wartości (czy po nim podano wartość?).",
            "towary generate");
    refused({"generate", dir, "--products", "0"}, "Liczba towarów \"0\": dozwolone wartości od 1 do 100000000.",
            "towary generate");
    refused({"generate", dir, "--products", "5", "--malformed", "100.5"},
            "Odsetek kodów z błędem \"100.5\": dozwolone wartości od 0 do 100.", "towary generate");
    refused({"--yes", "--no", "actions"}, "Argumentów --yes i --no nie można podać razem.", "towary actions");
    refused({"--yes=tak", "actions"}, "Argument --yes: nieprawidłowa wartość tak.", "towary actions");
    refused({"settings", "get", dir, "a", "--type", "float"},
            "Typ \"float\": dozwolone typy to int, double, bool, string, AnsiString.", "towary settings get");
    EXPECT_FALSE(std::filesystem::exists(dir));
}

// What each step shows is its commands' to check; here one result a step computes from the sample store.
TEST(TowaryCommand, DemoBuildsASampleStoreAndWalksThroughIt) {
    TestSupport::TempStore scratch;
    const auto dir = (scratch.path() / "demo").string();
    const auto demo = runTowary({"demo", dir});
    ASSERT_EQ(demo.exitCode, 0) << demo.err;
    for (const char* text :
         {"cena sprzedaży brutto: 35.28", "\ntowary index next-article: 000003\n",
          "towary products import przyklad-towary.csv: towary i grupy 16, kody 7\n",
          "\ntowary --user 2 find *ieczywo\nID 12, indeks -: Pieczywo; kody: brak\nID 19, indeks -: Nabiał i pieczywo; "
          "kody: brak\nZnaleziono: 2.\n",
          "Po odczycie wieczornym:\n  000101  status 5 Wycofany, waga: brak  (Mleko UHT 3,2% Mleczna Dolina 1 l)\n",
          "\nTowary wielocenowe: utworzone 2, zamienione ze zwykłych 1, przeniesione 1, rozwiązane 1\n",
          "bez ponownego uruchamiania: można dodać przeceny mleka 000101.\n",
          "(jego rezerwacja się nie liczy):\nStan: 24\nZarezerwowano: 2\nW serwisie: 1\n",
          "(towary price before-promotion --lowest-30): 11.49\n",
          "odrzucony przy zapisie: Nazwa powodu zwrotu 'Towar uszkodzony' nie jest unikalna.\n",
          "/outbox/tills/ReturnReasons.xml:\n  <ReturnReasons><ReturnReason><Id>"})
        EXPECT_NE(demo.out.find(text), std::string::npos) << text << "\nin:\n" << demo.out;
    EXPECT_EQ(runTowary({"index", "next-group", dir, "0101"}).out, "010102\n") << "the hierarchy stays in the store";
    EXPECT_EQ(runTowary({"demo", dir}).exitCode, 1) << "the demo never overwrites a store";
}

TEST(TowaryCommand, AStoreDirectoryHasTheModeOfANewDirectoryOrThatOfTheEmptyOnePreparedForIt) {
    namespace fs = std::filesystem;
    TestSupport::TempStore scratch;
    const auto mode = [](const fs::path& path) { return static_cast<unsigned>(fs::status(path).permissions()); };
    const mode_t mask = ::umask(022);
    const auto made = runTowary({"init", (scratch.path() / "nowy").string()});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(mode(scratch.path() / "nowy"), 0755u) << "as mkdir under the umask makes it";

    const auto prepared = scratch.path() / "przygotowany";
    fs::create_directory(prepared);
    fs::permissions(prepared, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const auto into = runTowary({"init", prepared.string()});
    ::umask(mask);
    ASSERT_EQ(into.exitCode, 0) << into.err;
    EXPECT_EQ(mode(prepared), 0750u);
}

TEST(TowaryCommand, InitLeavesAWholeStoreOrNoneAndAStoreThatIsNotWholeIsRefusedWithWhatToDo) {
    TestSupport::TempStore scratch;
    const auto beside = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    // What an interrupted init left beside the store it was building.
    std::filesystem::create_directories(scratch.path() / ".sklep.init-Ab12Cd" / "log");
    std::ofstream(scratch.path() / ".sklep.init-Ab12Cd" / "towary.toml") << "# przerwany\n";
    const auto dir = (scratch.path() / "sklep").string();
    std::filesystem::create_directory(dir);
    const auto made = runTowary({"init", dir});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(beside(), (std::vector<std::string>{".sklep.init-Ab12Cd", "sklep"})) << "init leaves nothing of its own";
    EXPECT_EQ(runTowary({"price", "vat", dir}).exitCode, 0);

    const auto database = std::filesystem::path(dir) / "towary.db";
    const std::string whatToDo =
        "Przywróć kopię bazy danych sklepu albo załóż nowy sklep poleceniem towary init w nowym katalogu.\n";
    std::filesystem::resize_file(database, 0);
    for (const auto& wal : {"towary.db-wal", "towary.db-shm"})
        std::filesystem::remove(std::filesystem::path(dir) / wal);
    const auto refused = [](const TestSupport::RunResult& result, const std::string& err) {
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "towary: " + err);
    };
    refused(runTowary({"products", "export", dir}),
            "Plik " + database.string() + " nie jest bazą danych sklepu: plik jest pusty. " + whatToDo);
    EXPECT_EQ(std::filesystem::file_size(database), 0u) << "never rebuilt as an empty store";

    // A database with the schema but without the lists init fills, as an interrupted init of an older build left it.
    std::filesystem::remove(database);
    Core::Store::setDirectory(dir);
    DBKernel::StoreDatabase::create(database);
    refused(runTowary({"price", "vat", dir}), "Baza danych sklepu " + database.string() +
                                                  " jest niekompletna: nie ma stawek VAT (tabela stawkavat jest pusta). " +
                                                  whatToDo);
    // Support staff can still mend it: sql and the settings do not read the lists.
    EXPECT_EQ(runTowary({"sql", dir, "insert into stawkavat values (1, '23%', 0.23, 0, 'A')"}).exitCode, 0);
    EXPECT_EQ(runTowary({"settings", "get", dir, "Parametry programu / Towary / Indeksy / Departament / Nazwa wyświetlana"}).exitCode,
              0);
}
