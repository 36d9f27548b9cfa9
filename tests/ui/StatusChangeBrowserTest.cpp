// The status-change planning window on a real store: product 100 (Schab, status 1) and the group 5 (Mięso).

#include "Core/Products/ProductActivityStatuses.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/ui/StatusChangeBrowser.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreTriggers.h"
#include "tests/ui/DictionaryStore.h"

namespace {

using Towary::ProductTools::StatusChangeBrowser;
using TestSupport::failure;

class StatusChangeWindow : public DictionaryStore {
protected:
    StatusChangeWindow() {
        TestSupport::exec({}, "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nStatusAktywnosci)"
                              " values (100, 'Schab', '01', '000100', 6, 1), (5, 'Mięso', '01', null, 1, 1)");
        // Status 42 is off the store's list; the change was applied long ago.
        TestSupport::exec({}, "insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod)"
                              " values (7, 100, 42, 40000, 1, 40000.5), (8, 100, 4, " + std::to_string(tomorrow_) +
                                  ", 0, 40000)");
    }

    static std::string stored() {
        return TestSupport::rows({}, "select statuschangeid, status, changedate, applied from StatusChange"
                                     " order by statuschangeid", " ");
    }

    Core::ImplRegistration<Core::ProductActivityStatuses> statuses_;
    const int today_ = Core::DayNumber::today();
    const int tomorrow_ = today_ + 1;
};

TEST_F(StatusChangeWindow, TheRulesOfPlanningAndTheEditsTheWindowHoldsUntilSaved) {
    StatusChangeBrowser window(TSessionHolder::open());
    ASSERT_EQ(window.rows().size(), 2u);
    EXPECT_EQ(window.cell(0, "Status"), "<nieznany>");
    EXPECT_EQ(window.cell(0, "Modified"), "2009-07-06 12:00:00");
    EXPECT_EQ(window.fontColour(0), 0x808080) << "an applied change of a past day";
    EXPECT_EQ(window.backgroundColour(1), 12648447);
    EXPECT_EQ(failure([&] { window.setStatus(0, 2); }),
              "Zmiana statusu towaru 100 na dzień 2009-07-06 została już wykonana; wykonanej zmiany nie zmienia się.");

    EXPECT_EQ(failure<Sysutils::Exception>([&] { window.add(100, today_ - 1); }),
              "Nie można ustawić daty z przeszłości");
    EXPECT_EQ(failure([&] { window.add(5, tomorrow_ + 1); }),
              "Wiersz \"5\" (Mięso) nie jest towarem: status aktywności planuje się tylko dla towaru, nie grupy.");
    EXPECT_EQ(failure([&] { window.add(100, tomorrow_); }),
              "Towar 100 (Schab) ma już zaplanowaną zmianę statusu na dzień " + Core::DayNumber::toText(tomorrow_) +
                  ": zmień status tamtej zmiany.");
    EXPECT_FALSE(window.isModified()) << "refused edits change nothing";

    const auto added = window.add(100, today_);
    EXPECT_EQ(window.cell(added, "Status"), "Aktywny") << "the product's status to begin with";
    EXPECT_EQ(failure([&] { window.setChangeDate(1, today_ - 1); }), "Nie można ustawić daty z przeszłości");
    EXPECT_EQ(failure([&] { window.setStatus(added, 9); }),
              "Status 9 nie występuje na liście statusów aktywności towarów (tabela statusaktywnosci).");
    window.setStatus(added, 5);
    window.setChangeDate(1, tomorrow_ + 1);
    EXPECT_TRUE(window.isModified());
    EXPECT_EQ(window.findText("wycofany"), added);
    dialogs_->answers = {false, false};
    EXPECT_FALSE(window.refresh());
    EXPECT_FALSE(window.close());
    EXPECT_EQ(dialogs_->transcript(), "question: Wprowadzone zmiany nie zostaną zachowane. Czy odświeżyć?\n"
                                      "question: Wprowadzone zmiany nie zostaną zachowane. Czy opuścić edycję?\n");
    EXPECT_EQ(stored(), "7 42 40000 1\n8 4 " + std::to_string(tomorrow_) + " 0\n") << "nothing stored before the save";

    window.save();
    EXPECT_FALSE(window.isModified());
    ASSERT_EQ(window.rows().size(), 3u);
    EXPECT_EQ(window.cell(1, "ChangeDate"), Core::DayNumber::toText(today_));
    EXPECT_EQ(TestSupport::rows({}, "select productid, status, changedate, applied from StatusChange order by statuschangeid",
                                " "),
              "100 42 40000 1\n100 4 " + std::to_string(tomorrow_ + 1) + " 0\n100 5 " + std::to_string(today_) + " 0\n");
    EXPECT_TRUE(window.close()) << "nothing to ask once saved";
}

TEST_F(StatusChangeWindow, ASaveTheStoreRefusesStoresNothingAndKeepsTheEdits) {
    StatusChangeBrowser window(TSessionHolder::open());
    window.remove(0);
    window.setStatus(0, 5);
    window.add(100, tomorrow_ + 2);
    TestSupport::refuseWrites(store_.path(), "StatusChange", "insert", "Zapis zablokowany.",
                              "new.changedate = " + std::to_string(tomorrow_ + 2));
    EXPECT_EQ(failure<Sysutils::Exception>([&] { window.save(); }), "Nieznany błąd podczas zapisu wartości.");
    EXPECT_EQ(stored(), "7 42 40000 1\n8 4 " + std::to_string(tomorrow_) + " 0\n");
    EXPECT_TRUE(window.isModified());
    EXPECT_EQ(window.rows().size(), 2u);
}

}  // namespace
