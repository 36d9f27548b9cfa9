#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/TowaryStore.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <tuple>

namespace {

using TestSupport::runTowary;
namespace fs = std::filesystem;

class TowaryCommand : public TestSupport::TowaryStore {};

// Help pages are CommandLineTexts' to check.
TEST_F(TowaryCommand, ACommandLineThatCannotBeTakenIsExplainedInPolishWithTheHelpToRead) {
    // The main command's options follow the command too.
    expectOutput(runTowary({"vat", "pending", dir_, "--yes", "--user", "1"}), "Brak zaplanowanych zmian stawek VAT.\n");
    EXPECT_EQ(runTowary({"actions"}).exitCode, 0);
    expectFailureWith(runTowary({"init", dir_}), "nie jest pusty");
    const auto dir = file("nowy");
    const std::string badDay = "Nieprawidłowa data: \"2011-02-30\". Datę podaje się jako RRRR-MM-DD.";
    for (const auto& [args, reason, command] : std::vector<std::tuple<std::vector<std::string>, std::string, std::string>>{
             {{}, "Brak polecenia: podaj jedno z poleceń.", ""},
             {{"inwentura", dir}, "Nieznane polecenie: inwentura.", ""},
             {{"products", "show"}, "Brak wymaganego argumentu DIR.", " products show"},
             {{"actions", "nadmiar"}, "Nieoczekiwane argumenty: nadmiar.", " actions"},
             {{"generate", dir, "--products"}, "Argument --products ma złą liczbę wartości (czy po nim podano wartość?).",
              " generate"},
             {{"generate", dir, "--products", "0"}, "Liczba towarów \"0\": dozwolone wartości od 1 do 100000000.", " generate"},
             {{"generate", dir, "--products", "5", "--malformed", "100.5"},
              "Odsetek kodów z błędem \"100.5\": dozwolone wartości od 0 do 100.", " generate"},
             {{"--yes", "--no", "actions"}, "Argumentów --yes i --no nie można podać razem.", " actions"},
             {{"--yes=tak", "actions"}, "Argument --yes: nieprawidłowa wartość tak.", " actions"},
             {{"vat", "pending", dir_, "--user", "0"}, "Identyfikator użytkownika \"0\": dozwolone wartości od 1 do 2147483647.",
              " vat pending"},
             {{"settings", "get", dir, "a", "--type", "float"},
              "Typ \"float\": dozwolone typy to int, double, bool, string, AnsiString.", " settings get"},
             {{"rights", "sql", dir_, "1", "--writer", "bogus"},
              "Warunek \"bogus\" nie jest żadną z wartości: visible, avail, not-avail, items, where.", " rights sql"},
             {{"rules", "duration", dir_, "foo"}, "Rodzaj warunku \"foo\" nie jest żadną z wartości: sale, purchase.",
              " rules duration"},
             // A mistyped day is bad usage for every command that takes one.
             {{"status", "plan", dir_, "24", "6", "2011-02-30"}, badDay, " status plan"},
             {{"vat", "apply", dir_, "--day", "2011-02-30"}, badDay, " vat apply"},
             {{"name", "short", dir_, "Woda", "13", "--day", "2011-02-30"}, badDay, " name short"},
             {{"evening", dir_, "--day", "2011-02-30"}, badDay, " evening"},
             {{"price", "current", dir_, "1", "--day", "2011-02-30"}, badDay, " price current"},
             {{"rules", "max-end", dir_, "2011-02-30"}, badDay, " rules max-end"},
             {{"rules", "hq-promotion-overlap", dir_, "1", "2011-01-01", "2011-02-30"}, badDay, " rules hq-promotion-overlap"}})
        expectResult(runTowary(args), {2, "", "towary: " + reason + "\nJak wywołać polecenie, pokazuje: towary" + command +
                                                  " --help\n"});
    EXPECT_FALSE(fs::exists(dir));
}

// What each step shows is its commands' to check; here one result a step computes from the sample store.
TEST_F(TowaryCommand, DemoBuildsASampleStoreAndWalksThroughIt) {
    const auto dir = file("demo");
    expectContains(runTowary({"demo", dir}),
                   {"cena sprzedaży brutto: 35.28", "\ntowary index next-article: 000003\n",
                    "towary products import przyklad-towary.csv: towary i grupy 16, kody 7\n",
                    "\ntowary --user 2 find *ieczywo\nID 12, indeks -: Pieczywo; kody: brak\nID 19, indeks -: Nabiał i "
                    "pieczywo; kody: brak\nZnaleziono: 2.\n",
                    "Po odczycie wieczornym:\n  000101  status 5 Wycofany, waga: brak  (Mleko UHT 3,2% Mleczna Dolina 1 l)\n",
                    "\nTowary wielocenowe: utworzone 2, zamienione ze zwykłych 1, przeniesione 1, rozwiązane 1\n",
                    "bez ponownego uruchamiania: można dodać przeceny mleka 000101.\n",
                    "(jego rezerwacja się nie liczy):\nStan: 24\nZarezerwowano: 2\nW serwisie: 1\n",
                    "(towary price before-promotion --lowest-30): 11.49\n",
                    "odrzucony przy zapisie: Nazwa powodu zwrotu 'Towar uszkodzony' nie jest unikalna.\n",
                    "/outbox/tills/ReturnReasons.xml:\n  <ReturnReasons><ReturnReason><Id>"});
    EXPECT_EQ(runTowary({"index", "next-group", dir, "0101"}).out, "010102\n") << "the hierarchy stays in the store";
    EXPECT_EQ(runTowary({"demo", dir}).exitCode, 1) << "the demo never overwrites a store";
}

// A store directory has the mode of a new directory, or that of the empty one prepared for it; init leaves a whole
// store or none, and a store that is not whole is refused with what to do.
TEST_F(TowaryCommand, InitLeavesAWholeStoreOrNoneAndAStoreThatIsNotWholeIsRefusedWithWhatToDo) {
    const auto mode = [](const fs::path& path) { return static_cast<unsigned>(fs::status(path).permissions()); };
    const mode_t mask = ::umask(022);
    const auto made = runTowary({"init", file("nowy")});
    // What an interrupted init left beside the store it was building.
    const auto dir = file("sklep2");
    fs::create_directories(file(".sklep2.init-Ab12Cd") + "/log");
    std::ofstream(file(".sklep2.init-Ab12Cd") + "/towary.toml") << "# przerwany\n";
    fs::create_directory(dir);
    fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const auto into = runTowary({"init", dir});
    ::umask(mask);
    expectSuccess(made);
    expectSuccess(into);
    EXPECT_EQ(mode(file("nowy")), 0755u) << "as mkdir under the umask makes it";
    EXPECT_EQ(mode(dir), 0750u);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch_.path()), {}), 4) << "init leaves nothing of its own";
    EXPECT_TRUE(fs::exists(file(".sklep2.init-Ab12Cd")));

    const auto database = fs::path(dir) / "towary.db";
    const std::string whatToDo =
        " Przywróć kopię bazy danych sklepu albo załóż nowy sklep poleceniem towary init w nowym katalogu.";
    fs::resize_file(database, 0);
    for (const auto& wal : {"towary.db-wal", "towary.db-shm"}) fs::remove(fs::path(dir) / wal);
    expectFailure(runTowary({"products", "export", dir}),
                  "Plik " + database.string() + " nie jest bazą danych sklepu: plik jest pusty." + whatToDo);
    EXPECT_EQ(fs::file_size(database), 0u) << "never rebuilt as an empty store";

    // A database with the schema but without the lists init fills, as an interrupted init of an older build left it.
    fs::remove(database);
    Core::Store::setDirectory(dir);
    DBKernel::StoreDatabase::create(database);
    expectFailure(runTowary({"price", "vat", dir}), "Baza danych sklepu " + database.string() +
                                                        " jest niekompletna: nie ma stawek VAT (tabela stawkavat jest "
                                                        "pusta)." + whatToDo);
    // Support staff can still mend it: sql and the settings do not read the lists.
    expectSuccess(runTowary({"sql", dir, "insert into stawkavat values (1, '23%', 0.23, 0, 'A')"}));
    expectSuccess(runTowary({"settings", "get", dir, "Parametry programu / Towary / Indeksy / Departament"}));
}

TEST_F(TowaryCommand, SqlQueriesAndWritesTheStoreAndAFailingStatementExitsWithOneAndTheReason) {
    expectOutput(sql("insert into towar (lTowarRef, sNazwa, sKrNazwa) select 1, 'Mleko', null from dual "
                     "union all select 2, 'Chleb', 'CHLEB' from dual"),
                 "Zmienionych wierszy: 2\n");
    expectOutput(sql("select lTowarRef, sNazwa, sKrNazwa from towar order by lTowarRef"),
                 "lTowarRef\tsNazwa\tsKrNazwa\n1\tMleko\tNULL\n2\tChleb\tCHLEB\n");
    expectOutput(sql("select sNazwa from towar where lTowarRef = 3"), "sNazwa\n");

    const auto failed = sql("select * from cennik");
    expectFailureWith(failed, TestSupport::onServer() ? "relation \"cennik\" does not exist" : "no such table: cennik");
    expectFailureWith(failed, "select * from cennik");
    EXPECT_EQ(failed.out, "");

    expectFailureWith(runTowary({"sql", file("brak"), "select 1 from dual"}), "Brak bazy danych sklepu");
    EXPECT_EQ(runTowary({"sql", dir_}).exitCode, 2) << "the statement is missing";
}

}  // namespace
