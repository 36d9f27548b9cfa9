#include "Core/tools/DayNumber.h"
#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class StatusCommand : public TestSupport::TowaryStore {
protected:
    StatusCommand() {
        EXPECT_EQ(sql("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nStatusAktywnosci) values"
                      " (100, 'Schab', '01', '000100', 6, 1), (5, 'Mięso', '01', null, 1, 1)")
                      .exitCode,
                  0);
    }

    const std::string today_ = Core::DayNumber::toText(Core::DayNumber::today());
    const std::string tomorrow_ = Core::DayNumber::toText(Core::DayNumber::today() + 1);
};

TEST_F(StatusCommand, PlansListsAndDeletesUnderTheWindowsRules) {
    expectOutput(run("status", {"plan", "100", "5", tomorrow_}),
                 "Towar 100 (Schab): status 5 Wycofany od " + tomorrow_ + ".\n");
    expectOutput(run("status", {"plan", "/000100", "4", tomorrow_}),
                 "Towar 100 (Schab): status 4 Wycofywany od " + tomorrow_ + ".\n");
    expectOutput(run("status", {"plan", "100", "2", today_}), "Towar 100 (Schab): status 2 Nowy od " + today_ + ".\n");
    expectFailure(run("status", {"plan", "100", "2", Core::DayNumber::toText(Core::DayNumber::today() - 1)}),
                  "Nie można ustawić daty z przeszłości");
    expectFailure(run("status", {"plan", "100", "9", tomorrow_}),
                  "Status 9 nie występuje na liście statusów aktywności towarów (tabela statusaktywnosci).");
    expectFailure(run("status", {"plan", "5", "2", tomorrow_}),
                  "Wiersz \"5\" (Mięso) nie jest towarem: status aktywności planuje się tylko dla towaru, nie grupy.");
    expectOutput(sql("select count(*) n from StatusChange"), "n\n2\n");  // one change per product and day

    ASSERT_EQ(sql("insert into StatusChange values (7, 100, 42, 40000, 1, 40000.5)").exitCode, 0);
    const auto pending = run("status", {"list"});
    EXPECT_EQ(pending.exitCode, 0) << pending.err;
    const std::string header = "Id\tIndeks towaru\tNazwa towaru\tStatus\tData zmiany\tWykonano\tZmodyfikowano\n";
    EXPECT_EQ(pending.out.substr(0, header.size()), header);
    EXPECT_NE(pending.out.find("\t000100\tSchab\t2 Nowy\t" + today_ + "\tnie\t"), std::string::npos) << pending.out;
    EXPECT_NE(pending.out.find("\t000100\tSchab\t4 Wycofywany\t" + tomorrow_ + "\tnie\t"), std::string::npos);
    EXPECT_EQ(pending.out.find("<nieznany>"), std::string::npos) << "an applied change of a past day is not pending";
    const auto all = run("status", {"list", "--all"});
    EXPECT_NE(all.out.find(header + "7\t000100\tSchab\t42 <nieznany>\t2009-07-06\ttak\t2009-07-06 12:00:00\n"),
              std::string::npos)
        << all.out;

    expectOutput(run("status", {"delete", "7"}), "Usunięto zaplanowaną zmianę statusu 7.\n");
    expectFailure(run("status", {"delete", "7"}), "Nie ma zaplanowanej zmiany statusu o identyfikatorze 7.");
    ASSERT_EQ(sql("update StatusChange set applied = 1 where status = 4").exitCode, 0);
    expectFailure(
        run("status", {"plan", "100", "5", tomorrow_}),
        "Zmiana statusu towaru 100 na dzień " + tomorrow_ + " została już wykonana; wykonanej zmiany nie zmienia się.");
}

}  // namespace
