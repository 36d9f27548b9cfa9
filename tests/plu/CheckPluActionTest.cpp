#include "Core/Action/ActionContainer.h"
#include "Core/EveningProcessing/RunArguments.h"
#include "Core/Plu/Plu.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "Modules/Towary/Tools/plu/PluSearch.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/plu/PluStore.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"

#include <set>
#include <stdexcept>

namespace {

class CheckPluEvening : public PluStore {
protected:
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
        DBKernel::Sql::OpenedQuery live("select sPLU from plu where byStatus in (1, 2)", session_);
        while (live.next()) {
            const auto text = live["sPLU"].asString();
            try {
                codes.insert(Plu::TPlu(text, config).raw());
            } catch (const Plu::EInvalidPlu&) {
                codes.insert(text);
            }
        }
        return codes;
    }
};

TEST_F(CheckPluEvening, RepairsAtOnceAndLogsWhatItDidAndWhatItLeft) {
    addMalformedCodes();
    const std::string log = repair();
    EXPECT_EQ(log.rfind("Znalezione błędne kody plu:\n  005901234123457 (powinno być: 5901234123457) Kawa 000003\n"
                        "Znalezione błędne kody plu do poprawy:\n",
                        0),
              0u)
        << log;
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

    run("delete from DokPozPlu");
    run("delete from plu where lPluRef in (40, 50, 60, 70)");
    EXPECT_EQ(repair(), "Nie znaleziono błędnych kodów plu.");
}

TEST_F(CheckPluEvening, WithoutTheCanonicalCodeTheFirstFoundIsCorrectedAndTheRestDeleted) {
    addProduct(1, "Mleko", "000001");
    addCode(10, "0017", 1, 1);
    addCode(11, "00017", 1, 2);
    addCode(12, "000017", 1, 1);
    const auto result = PLU::checkPlu(session_);
    ASSERT_EQ(result.toCorrect.size(), 1u);
    ASSERT_EQ(result.toDelete.size(), 2u);
    EXPECT_EQ(*result.toCorrect.front()->corrected, "17");
    const std::set<std::string> all{result.toCorrect.front()->plu, result.toDelete[0]->plu, result.toDelete[1]->plu};
    EXPECT_EQ(all, (std::set<std::string>{"0017", "00017", "000017"}));
    EXPECT_TRUE(result.conflicts.empty());
}

TEST_F(CheckPluEvening, ACorrectionThatWouldMakeACodeLiveTwiceFailsWholeAndIsListed) {
    // The correction revives the deleted rows by their text: both of them, which the store refuses.
    addProduct(3, "Kawa", "000003");
    addCode(30, "005901234123457", 3, 1);
    addCode(31, "5901234123457", 3, 3);
    addCode(32, "5901234123457", 3, 3);
    addProduct(1, "Mleko", "000001");
    addCode(10, "0017", 1, 2);
    const std::string log = repair();
    EXPECT_NE(log.find("  BŁĄD: Liczba kodów niepoprawionych z powodu powiązań - 1\n"
                       "  005901234123457 (powinno być: 5901234123457) Kawa 000003"),
              std::string::npos)
        << log;
    EXPECT_EQ(codes(), "10 17 1 1\n30 005901234123457 1 3\n31 5901234123457 3 3\n32 5901234123457 3 3\n")
        << "the failed correction left nothing half done; the next code was corrected";
}

TEST_F(CheckPluEvening, AFailureOfTheRunIsReportedWithTheStepsOwnWords) {
    addProduct(1, "Mleko", "000001");
    addCode(10, "0017", 1, 1);
    TestSupport::replaceSettingsFile("# no PLU masks\n");
    const std::string failure = TestSupport::failure<std::runtime_error>([this] { repair(); });
    EXPECT_EQ(failure.rfind("Błąd poczas usuwania lub poprawiania kodów plu:\n", 0), 0u) << failure;
}

TEST_F(CheckPluEvening, AGeneratedStoreIsRepairedWithoutLosingALiveCode) {
    Towary::Host::Products::generateProducts({2000, 7, 5.0}, session_);
    const auto before = liveCanonicalCodes();
    ASSERT_FALSE(PLU::checkPlu(session_).toCorrect.empty());
    repair();
    const auto after = PLU::checkPlu(session_);
    EXPECT_TRUE(after.toCorrect.empty());
    EXPECT_TRUE(after.toDelete.empty());
    EXPECT_FALSE(after.notCodes.empty()) << "texts that are no code stay";
    EXPECT_EQ(liveCanonicalCodes(), before);
}

}  // namespace
