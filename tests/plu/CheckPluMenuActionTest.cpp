#include "Core/Action/ActionContainer.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "tests/plu/PluStore.h"
#include "tests/support/StoreRows.h"

#include <functional>
#include <memory>

namespace {

class CheckPluMenu : public PluStore {
protected:
    void check() { Core::Action::CContainer::invoke<Core::IUnknown>(this, PLU::kCheckPluMenuActionGuid, nullptr); }
    std::string shown(std::size_t i) { return dialogs_->shown.at(i).kind + ": " + dialogs_->shown.at(i).text; }
};

TEST_F(CheckPluMenu, ReportsAsksAndRepairsWhatItMayInOneTransaction) {
    addMalformedCodes();
    dialogs_->answers = {true, true, true};
    check();

    ASSERT_EQ(dialogs_->shown.size(), 4u);
    // The findings' lines are the evening step's, checked there; the report adds its headings and summary.
    const std::string report = shown(0);
    EXPECT_EQ(report.rfind("viewer: Nieprawidłowe plu\nPLU do usunięcia:\n"
                           "005901234123457 (powinno być: 5901234123457) Kawa 000003\nPLU do poprawienia:\n",
                           0),
              0u)
        << report;
    EXPECT_NE(report.find("\nKonflikty do manualnego rozwiązania:\n1:\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\nTeksty, które nie są kodami PLU (pozostają bez zmian):\n12a4 Woda 000007 - "),
              std::string::npos)
        << report;
    EXPECT_TRUE(report.ends_with(
        "\nPodsumowanie: \n do usunięcia - 1\n do poprawienia - 3\n konflikty - 1\n nie są kodami - 1"))
        << report;
    EXPECT_EQ(shown(1), "question: Czy chcesz usunąć lub poprawić wszystkie błędne kody ?");
    EXPECT_EQ(shown(2), "information: Liczba kodów nieusuniętych lub niepoprawionych z powodu powiązań: 1");
    EXPECT_EQ(shown(3), "viewer: Nieusunięte lub niepoprawione plu\n1234567 (powinno być: 12345670) Chleb 000006\n");

    EXPECT_EQ(codes(), kRepairedCodes);
}

// Dialogs whose question is answered only after another process has changed the store.
class ChangedWhileAsking : public TestSupport::ScriptedDialogs {
public:
    explicit ChangedWhileAsking(std::function<void()> change) : change_(std::move(change)) {}
    bool ask(const std::string& text) override {
        change_();
        return ScriptedDialogs::ask(text);
    }

private:
    std::function<void()> change_;
};

TEST_F(CheckPluMenu, TheRepairChecksAgainUnderTheLockAndAppliesOnlyWhatWasShownAndStillStands) {
    addProduct(1, "Mleko", "000001");
    addCode(10, "0017", 1, 1);
    addProduct(3, "Kawa", "000003");
    addCode(30, "005901234123457", 3, 1);
    addCode(31, "5901234123457", 3, 3);
    auto dialogs = std::make_shared<ChangedWhileAsking>([] {
        // Another process corrects the first code and a clerk types it wrong once more.
        TSessionHolder other = TSessionHolder::open();
        DBKernel::Sql::Command("update plu set sPLU = '17' where lPluRef = 10", other).execute();
        TestSupport::addCode(other, 11, 1, "0017", 1);
    });
    dialogs->answers = {true, true};
    const auto previous = Core::setDialogs(dialogs);
    check();
    Core::setDialogs(previous);

    ASSERT_EQ(dialogs->shown.size(), 2u) << "nothing failed: " << dialogs->shown.back().text;
    EXPECT_EQ(codes(), "10 17 1 1\n11 0017 1 1\n30 005901234123457 3 3\n31 5901234123457 1 3\n")
        << "the new wrong code was not shown, so it waits for the next check";
}

TEST_F(CheckPluMenu, OnlyTextsThatAreNoCodeAreWarnedOfAsNoWrongCodeAndShownWithoutAQuestion) {
    addProduct(1, "Mleko", "000001");
    addCode(10, "12a4", 1, 1);
    dialogs_->answers = {true};
    check();
    ASSERT_EQ(dialogs_->shown.size(), 2u);
    EXPECT_EQ(shown(0), "warning: Nie znaleziono błędnych kodów plu.");
    EXPECT_EQ(dialogs_->shown[1].kind, "viewer");
    EXPECT_EQ(codes(), "10 12a4 1 1\n");
}

}  // namespace
