#include "apps/towary/evening/EveningRun.h"

#include "Core/Action/ActionContainer.h"
#include "Core/EveningProcessing/EveningProcessingAction.h"
#include "Core/Setup/Setup.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Towary::Host::StepReport;

const std::string kWriter = "{E1000000-0000-0000-0000-000000000001}";
const std::string kThrower = "{E1000000-0000-0000-0000-000000000002}";
const std::string kPartial = "{E1000000-0000-0000-0000-000000000003}";
const std::string kNobody = "{E1000000-0000-0000-0000-000000000004}";
const std::string kNotAStep = "{E1000000-0000-0000-0000-000000000005}";

void write(const TSessionHolder& session, const std::string& what) {
    TestSupport::exec(session, "insert into zapis (co) values ('" + what + "')");
}

class Writer : public EveningProcessing::OdczytWieczornyAction {
    void doExecute() override {
        write(session(), "writer");
        log("Zapisano.");
        setStatus(EveningProcessing::statusDone, "Zapis zakończony poprawnie.");
    }
};

class Thrower : public EveningProcessing::OdczytWieczornyAction {
    void doExecute() override {
        write(session(), "thrower");
        throw std::runtime_error("Awaria kroku.");
    }
};

// Carries on past one write the database refuses, as the evening PLU repair does.
class Partial : public EveningProcessing::OdczytWieczornyAction {
    void doExecute() override {
        write(session(), "first");
        try {
            write(session(), "first");  // the column is unique
        } catch (const std::exception& e) {
            log(std::string("Pominięto: ") + e.what());
        }
        write(session(), "second");
    }
};

TEST(EveningRunTest, AFailedStepIsLoggedAndUndoneAndTheStepsAfterItStillRunAsTheStoreListsThem) {
    const TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    const Core::SetupRegistration setup;
    const TSessionHolder session = TSessionHolder::open();
    TestSupport::exec(session, "create table zapis (co varchar(20) primary key)");
    const Core::Token writer = Core::regActionCreator(kWriter, Core::creatorOf<Writer>(), {});
    const Core::Token thrower = Core::regActionCreator(kThrower, Core::creatorOf<Thrower>(), {});
    const Core::Token partial = Core::regActionCreator(kPartial, Core::creatorOf<Partial>(), {});
    const Core::Token notAStep = Core::regActionCreator(kNotAStep, Core::creatorOf<Core::IExecutor>(), {});
    std::ostringstream log;
    std::string started, outcomes;
    // A step is found whatever the letter case of its GUID.
    for (const auto& report : Towary::Host::EveningRun(40544, log).run(
             {kWriter, kThrower, kNobody, kNotAStep, "{e1000000-0000-0000-0000-000000000003}"},
             [&](std::size_t number, std::size_t count, const std::string& guid) {
                 started += std::to_string(number) + "/" + std::to_string(count) + (guid == kThrower ? " thrower " : " ");
             }))
        outcomes += (report.outcome == StepReport::Outcome::done ? "done " : "failed ") + std::to_string(report.status) + ", ";
    EXPECT_EQ(started, "1/5 2/5 thrower 3/5 4/5 5/5 ");
    EXPECT_EQ(outcomes, "done 1, failed 0, failed 0, failed 0, done 0, ");
    EXPECT_EQ(TestSupport::rows(session, "select co from zapis order by co"), "first\nsecond\nwriter\n")
        << "the thrower's write is rolled back; the refused write undoes only itself";

    const std::string text = log.str();
    for (const std::string& entry : std::vector<std::string>{
             " Odczyt wieczorny, dzień 2011-01-01, kroków: 5\n", " Krok 1/5: " + kWriter + "\n", "   Zapisano.\n",
             "   Zapis zakończony poprawnie.\n", "   BŁĄD: Awaria kroku.\n",
             "   BŁĄD: Brak akcji zarejestrowanej pod identyfikatorem " + kNobody + ".\n",
             "   BŁĄD: Akcja " + kNotAStep + " nie jest krokiem odczytu wieczornego.\n", "   Pominięto: Błąd bazy danych: ",
             "   Wynik: wykonany, status 1, ", "   Wynik: błąd, status 0, ", " Koniec odczytu wieczornego.\n"})
        EXPECT_NE(text.find(entry), std::string::npos) << entry << "\nin:\n" << text;
    EXPECT_EQ(text.substr(4, 1) + text.substr(13, 1) + text.substr(19, 1), "-: ") << "lines start with the time";

    // The store lists its steps by GUID, in order.
    TestSupport::replaceSettingsFile("[\"Parametry programu\".\"Odczyt wieczorny\"]\nKroki = \"\"\"\n" + kWriter +
                                     "\n  " + kThrower + " ;" + kPartial + ",\n\n\"\"\"\n");
    EXPECT_EQ(Towary::Host::listedEveningSteps(), (std::vector<std::string>{kWriter, kThrower, kPartial}));
}

}  // namespace
