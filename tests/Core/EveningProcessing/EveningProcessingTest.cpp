#include "Core/Action/ActionContainer.h"
#include "Core/EveningProcessing/FireEnabledAction.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using EveningProcessing::RunMode;
using EveningProcessing::StepResult;

const std::string kRecorderGuid = "{E0000000-0000-0000-0000-000000000001}";
const std::string kSwitchedGuid = "{E0000000-0000-0000-0000-000000000002}";

// Writes the processing day through its session and says which session that was.
class Recorder : public EveningProcessing::OdczytWieczornyAction {
    void doExecute() override {
        TestSupport::exec(session(), "insert into przebieg (dzien) values (" + std::to_string(processingDay()) + ")");
        log("zapisano dzień");
        setStatus(EveningProcessing::statusDone, sessionGiven() ? "sesja przebiegu" : "sesja własna");
    }
};

// Switched on and off by the store's settings under the name "Testowa".
class Switched : public EveningProcessing::FireEnabledAction {
public:
    Switched() : FireEnabledAction("Testowa") {}

private:
    void doExecute() override { setStatus(7, "wykonana"); }
};

class EveningStep : public ::testing::Test {
protected:
    EveningStep() { TestSupport::exec(session_, "create table przebieg (dzien integer)"); }

    std::shared_ptr<StepResult> invoke(const std::string& guid, std::optional<TSessionHolder> session,
                                       RunMode mode = RunMode::nightly) {
        return Core::Action::CContainer::invoke<StepResult>(*this, guid, std::make_shared<EveningProcessing::RunArguments>(
            std::move(session), 40544, [this](const std::string& text) { logged_.push_back(text); }, mode));
    }

    // The step "Testowa" switched on or off in the store's settings.
    static void switchStep(bool on) {
        TestSupport::replaceSettingsFile(std::string("[\"Parametry programu\".\"Odczyt wieczorny\".Akcje.Testowa]\n") +
                                         "\"Włączone\" = " + (on ? "true" : "false") + "\n");
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_ = TSessionHolder::open();
    std::vector<std::string> logged_;
    Core::Token recorder_ = Core::regActionCreator(kRecorderGuid, Core::creatorOf<Recorder>(), {});
    Core::Token switched_ = Core::regActionCreator(kSwitchedGuid, Core::creatorOf<Switched>(), {});
};

TEST_F(EveningStep, RunsWithTheRunsSessionDayAndLogOrASessionOfItsOwnAndWhenTheStoreSwitchesItOnForTheNight) {
    session_.StartTransaction();
    auto result = invoke(kRecorderGuid, session_);
    EXPECT_EQ(result->status(), EveningProcessing::statusDone);
    EXPECT_EQ(result->message(), "sesja przebiegu");
    EXPECT_EQ(logged_, std::vector<std::string>{"zapisano dzień"});
    session_.Rollback();
    EXPECT_EQ(TestSupport::count(session_, "przebieg"), 0) << "the step wrote in the run's transaction";

    result = invoke(kRecorderGuid, std::nullopt);
    EXPECT_EQ(result->message(), "sesja własna");
    EXPECT_EQ(TestSupport::value(session_, "select dzien from przebieg"), "40544");
    EXPECT_EQ(result->status(), EveningProcessing::statusDone) << "a new object per run starts unreported";
    EXPECT_FALSE(invoke(kRecorderGuid, session_, RunMode::fire)->executed()) << "not a step to run on demand";
    EXPECT_THROW(Core::Action::CContainer::invoke<StepResult>(*this, kRecorderGuid, Core::wrap(1)), std::logic_error);

    // The store switches a step for the nightly run but not on demand.
    switchStep(false);
    result = invoke(kSwitchedGuid, session_);
    EXPECT_FALSE(result->executed());
    EXPECT_EQ(result->status(), EveningProcessing::statusNotReported);
    result = invoke(kSwitchedGuid, session_, RunMode::fire);
    EXPECT_TRUE(result->executed());
    EXPECT_TRUE(result->failed()) << "status 7 is a failure the step reports itself";
    EXPECT_EQ(result->message(), "wykonana");

    switchStep(true);
    EXPECT_TRUE(invoke(kSwitchedGuid, session_)->executed());

    TestSupport::replaceSettingsFile("");
    // The text is the setup keys' tests'.
    EXPECT_THROW(invoke(kSwitchedGuid, session_), std::logic_error) << "a step the settings do not name";
}

}  // namespace
