// towary scale and towary status on a store made by towary init, with products 100 (Schab) and 101
// (Boczek) and the group 5 (Mięso).

#include "Core/tools/DayNumber.h"
#include "tests/support/TowaryStore.h"

#include <algorithm>

namespace {

class ScaleStatusCommand : public TestSupport::TowaryStore {
protected:
    ScaleStatusCommand() {
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nStatusAktywnosci) values (100, "
             "'Schab', '01', '000100', 6, 1), (101, 'Boczek', '01', '000101', 6, 1), (5, 'Mięso', '01', null, 1, 1)");
        set("Parametry sklepu / Towary / Sekcje wagowe / Maksymalna liczba towarów w sekcji", "99");
    }

    const std::string today_ = Core::DayNumber::toText(Core::DayNumber::today());
    const std::string tomorrow_ = Core::DayNumber::toText(Core::DayNumber::today() + 1);
};

// The numbers' and the plans' rules are the module's (tests/devices, tests/ui); here the arguments and the replies.
TEST_F(ScaleStatusCommand, SectionsProposalAndStoringANumberAsTheProductFormDoes) {
    expectContains(run("scale", {"sections"}), {"1 Mięso\n2 Wędliny\n"});
    expectCases("scale", {{{"propose", "2"}, "1\n", 0},
                          {{"set", "100", "2", "1"}, "Towar 100 (Schab): sekcja 2, numer 1.\n", 0},
                          {{"check", "2", "1", "--product", "/000100"}, "Numer wagowy można zapisać.\n", 0},
                          {{"set", "101", "2", "1"}, "Numer wagowy: Numer wagowy w podanej sekcji jest powtórzony. Podaj inny numer."},
                          {{"set", "/000100", "0", ""}, "Towar 100 (Schab): bez sekcji i numeru wagowego.\n", 0}});
    expectOutput(sql("select nWagaSekcja, nWagaPLU from towar where lTowarRef = 100"), "nWagaSekcja\tnWagaPLU\nNULL\tNULL\n");
}

// The window's text form adds the prompt: actions a line each, a refused line ending a script, the questions
// answered by --yes or --no; the commands plan, list and delete under the window's rules.
TEST_F(ScaleStatusCommand, TheWindowAndThePlanListAndDeleteCommandsPlanStatusChanges) {
    const auto window = [this](const std::string& input, const std::string& answer) {
        return TestSupport::runTowary({"status", "window", dir_, answer}, input);
    };
    expectContains(window("dodaj /000100 " + tomorrow_ + "\nstatus 1 5\nzapisz\n", "--no"),
                   {"== Planowanie zmiany statusu towarów ==\nNr\tIndeks towaru\tNazwa towaru\tStatus\tData zmiany\t"
                    "Wykonano\tZmodyfikowano\n",
                    "1\t000100\tSchab\t5 Wycofany\t" + tomorrow_ + "\tnie\t\n", "Zapisano.\n"});
    expectContains(window("usuń 1\nF5\nwyjście\n", "--yes"),
                   {"Wprowadzone zmiany nie zostaną zachowane. Czy odświeżyć? [tak]\n", "> wyjście\n"});
    const auto kept = window("usuń 1\nwyjście\n", "--no");
    expectFailureWith(kept, "dopisz \"zapisz\" albo odpowiedz --yes.");
    expectIn(kept.out, {"Wprowadzone zmiany nie zostaną zachowane. Czy opuścić edycję? [nie]\n"});
    expectError(window("data 1 2000-01-01\nzapisz\n", "--yes"), "towary: Nie można ustawić daty z przeszłości\n");
    expectOutput(sql("select productid, status from StatusChange"), "productid\tstatus\n100\t5\n");

    // The plan of tomorrow the window saved is replaced: one change per product and day.
    exec("insert into StatusChange values (7, 100, 42, 40000, 1, 40000.5)");
    const std::string header = "Id\tIndeks towaru\tNazwa towaru\tStatus\tData zmiany\tWykonano\tZmodyfikowano\n";
    expectCases("status", {{{"plan", "100", "5", tomorrow_}, "Towar 100 (Schab): status 5 Wycofany od " + tomorrow_ + ".\n", 0},
                           {{"plan", "/000100", "4", tomorrow_}, "Towar 100 (Schab): status 4 Wycofywany od " + tomorrow_ + ".\n", 0},
                           {{"plan", "100", "2", today_}, "Towar 100 (Schab): status 2 Nowy od " + today_ + ".\n", 0}});
    // One change per product and day; an applied change of a past day is not pending.
    const auto pending = run("status", {"list"});
    expectContains(pending, {"\t000100\tSchab\t2 Nowy\t" + today_ + "\tnie\t",
                             "\t000100\tSchab\t4 Wycofywany\t" + tomorrow_ + "\tnie\t"});
    EXPECT_EQ(pending.out.rfind(header, 0), 0u) << pending.out;
    EXPECT_EQ(std::count(pending.out.begin(), pending.out.end(), '\n'), 3) << pending.out;
    expectContains(run("status", {"list", "--all"}),
                   {header + "7\t000100\tSchab\t42 <nieznany>\t2009-07-06\ttak\t2009-07-06 12:00:00\n"});
    expectCases("status", {{{"delete", "7"}, "Usunięto zaplanowaną zmianę statusu 7.\n", 0},
                           {{"delete", "7"}, "Nie ma zaplanowanej zmiany statusu o identyfikatorze 7."}});
}

}  // namespace
