// The PLU check's two actions: the evening step, which repairs at once and
// logs, and the menu action, which reports, asks and repairs under the lock.

#include "Core/Action/ActionContainer.h"
#include "Core/EveningProcessing/RunArguments.h"
#include "Core/Plu/Plu.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "Modules/Towary/Tools/plu/PluSearch.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/plu/PluStore.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"

#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

// repair() runs the evening step, check() the menu action.
class CheckPlu : public PluStore {
protected:
    void check() { Core::Action::CContainer::invoke<Core::IUnknown>(this, PLU::kCheckPluMenuActionGuid, nullptr); }
    // Runs the evening step on the test's session; returns its log.
    std::string repair() {
        auto args = std::make_shared<EveningProcessing::RunArguments>(session_, 46000, [](const std::string&) {});
        const auto result =
            Core::Action::CContainer::invoke<EveningProcessing::StepResult>(this, PLU::kCheckPluActionGuid, args);
        EXPECT_EQ(result->status(), EveningProcessing::statusDone);
        return result->message();
    }

    // The canonical forms of the live codes; texts that are no code as they stand.
    std::set<std::string> liveCanonicalCodes() {
        const auto config = Plu::pluConfig();
        std::set<std::string> codes;
        std::istringstream live(TestSupport::rows(session_, "select sPLU from plu where byStatus in (1, 2)"));
        for (std::string text; std::getline(live, text);) {
            try {
                codes.insert(Plu::TPlu(text, config).raw());
            } catch (const Plu::EInvalidPlu&) {
                codes.insert(text);
            }
        }
        return codes;
    }
};

TEST_F(CheckPlu, EveningRepairsAtOnceAndLogsWhatItDidWhatItLeftAndWhyItFailed) {
    addMalformedCodes();
    const std::string log = repair();
    EXPECT_TRUE(log.starts_with("Znalezione błędne kody plu:\n  005901234123457 (powinno być: 5901234123457) Kawa "
                                "000003\nZnalezione błędne kody plu do poprawy:\n")) << log;
    for (const char* part : {"  0017 (powinno być: 17) Mleko 000001\n",
                             "  280001700000 (powinno być: 2800017000004) Ser 000002\n",
                             "  BŁĄD: Liczba kodów niepoprawionych z powodu powiązań - 1\n"
                             "  1234567 (powinno być: 12345670) Chleb 000006\n",
                             "Konflikty do ręcznego rozwiązania:\n  1:\n"
                             "  036000291452 (powinno być: 0036000291452) Cola 000004\n"
                             "  00036000291452 (powinno być: 0036000291452) Pepsi 000005\n"
                             "Teksty, które nie są kodami PLU (pozostają bez zmian):\n"
                             "  12a4 Woda 000007 - Kod PLU \"12a4\" zawiera znaki inne niż cyfry."})
        EXPECT_NE(log.find(part), std::string::npos) << part << "\n---\n" << log;
    EXPECT_EQ(codes(), kRepairedCodes);

    exec(session_, "delete from DokPozPlu");
    exec(session_, "delete from plu where lPluRef in (40, 50, 60, 70)");
    EXPECT_EQ(repair(), "Nie znaleziono błędnych kodów plu.");

    // A failure of the run is reported in the step's own words.
    TestSupport::replaceSettingsFile("# no PLU masks\n");
    const std::string failure = TestSupport::failure<std::runtime_error>([this] { repair(); });
    EXPECT_TRUE(failure.starts_with("Błąd poczas usuwania lub poprawiania kodów plu:\n")) << failure;
}

TEST_F(CheckPlu, EveningWithoutTheCanonicalCodeCorrectsTheFirstFoundAndACorrectionMakingACodeLiveTwiceFailsWhole) {
    // Without the canonical code the first found is corrected and the rest deleted.
    addProduct(9, "Jogurt", {{90, "0018", 1}, {91, "00018", 2}, {92, "000018", 1}});
    const auto result = PLU::checkPlu(session_);
    ASSERT_EQ(std::pair(result.toCorrect.size(), result.toDelete.size()), std::pair(1ul, 2ul));
    EXPECT_EQ(*result.toCorrect.front()->corrected, "18");
    const std::set<std::string> all{result.toCorrect.front()->plu, result.toDelete[0]->plu, result.toDelete[1]->plu};
    EXPECT_EQ(all, (std::set<std::string>{"0018", "00018", "000018"}));
    EXPECT_TRUE(result.conflicts.empty());
    exec(session_, "delete from plu where lTowarRef = 9");

    // A correction that would make a code live twice fails whole and is listed.
    // The correction revives the deleted rows by their text: both of them, which the store refuses.
    addProduct(3, "Kawa", {{30, "005901234123457", 1}, {31, "5901234123457", 3}, {32, "5901234123457", 3}});
    addProduct(1, "Mleko", {{10, "0017", 2}});
    const std::string log = repair();
    EXPECT_NE(log.find("  BŁĄD: Liczba kodów niepoprawionych z powodu powiązań - 1\n"
                       "  005901234123457 (powinno być: 5901234123457) Kawa 000003"),
              std::string::npos) << log;
    EXPECT_EQ(codes(), "10 17 1 1\n30 005901234123457 1 3\n31 5901234123457 3 3\n32 5901234123457 3 3\n")
        << "the failed correction left nothing half done; the next code was corrected";
}

TEST_F(CheckPlu, EveningAGeneratedStoreIsRepairedWithoutLosingALiveCode) {
    Towary::Host::Products::generateProducts({2000, 7, 5.0}, session_);
    const auto before = liveCanonicalCodes();
    ASSERT_FALSE(PLU::checkPlu(session_).toCorrect.empty());
    repair();
    const auto after = PLU::checkPlu(session_);
    EXPECT_EQ(std::pair(after.toCorrect.size(), after.toDelete.size()), std::pair(0ul, 0ul));
    EXPECT_FALSE(after.notCodes.empty()) << "texts that are no code stay";
    EXPECT_EQ(liveCanonicalCodes(), before);
}

TEST_F(CheckPlu, MenuReportsAsksAndRepairsWhatItMayInOneTransaction) {
    addMalformedCodes();
    dialogs_->answers = {true, true, true};
    check();

    // The findings' lines are the evening step's, checked there; the report adds its headings and summary.
    const std::string shown = dialogs_->transcript();
    EXPECT_TRUE(shown.starts_with("viewer: Nieprawidłowe plu\nPLU do usunięcia:\n005901234123457 (powinno być: "
                                  "5901234123457) Kawa 000003\nPLU do poprawienia:\n")) << shown;
    for (const char* part : {"\nKonflikty do manualnego rozwiązania:\n1:\n",
                             "\nTeksty, które nie są kodami PLU (pozostają bez zmian):\n12a4 Woda 000007 - "})
        EXPECT_NE(shown.find(part), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with(
        "\nPodsumowanie: \n do usunięcia - 1\n do poprawienia - 3\n konflikty - 1\n nie są kodami - 1\n"
        "question: Czy chcesz usunąć lub poprawić wszystkie błędne kody ?\n"
        "information: Liczba kodów nieusuniętych lub niepoprawionych z powodu powiązań: 1\n"
        "viewer: Nieusunięte lub niepoprawione plu\n1234567 (powinno być: 12345670) Chleb 000006\n\n")) << shown;
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

TEST_F(CheckPlu, MenuTheRepairChecksAgainUnderTheLockAndAppliesOnlyWhatWasShownAndStillStands) {
    addProduct(1, "Mleko", {{10, "0017", 1}});
    addProduct(3, "Kawa", {{30, "005901234123457", 1}, {31, "5901234123457", 3}});
    auto dialogs = std::make_shared<ChangedWhileAsking>([] {
        // Another process corrects the first code and a clerk types it wrong once more.
        TSessionHolder other = TSessionHolder::open();
        exec(other, "update plu set sPLU = '17' where lPluRef = 10");
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

TEST_F(CheckPlu, MenuOnlyTextsThatAreNoCodeAreWarnedOfAsNoWrongCodeAndShownWithoutAQuestion) {
    addProduct(1, "Mleko", {{10, "12a4", 1}});
    dialogs_->answers = {true};
    check();
    ASSERT_EQ(dialogs_->shown.size(), 2u);
    EXPECT_TRUE(dialogs_->transcript().starts_with("warning: Nie znaleziono błędnych kodów plu.\nviewer: "));
    EXPECT_EQ(codes(), "10 12a4 1 1\n");
}

}  // namespace
