#include "apps/towary/evening/EveningRun.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Sql.h"
#include "Core/EveningProcessing/EveningProcessingAction.h"
#include "Core/Setup/Setup.h"
#include "tests/support/SettingsFile.h"
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
    DBKernel::Sql::Command("insert into zapis (co) values ('" + what + "')", session).execute();
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

class EveningRunTest : public ::testing::Test {
protected:
    EveningRunTest() {
        DBKernel::Sql::Command("create table zapis (co varchar(20) primary key)", session_).execute();
    }

    std::vector<std::string> written() const {
        std::vector<std::string> rows;
        DBKernel::Sql::PreparedQuery query("select co from zapis order by co", session_);
        query.execute();
        while (query.next()) rows.push_back(query["co"].asString());
        return rows;
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_ = TSessionHolder::open();
    Core::Token writer_ = Core::regActionCreator(kWriter, Core::creatorOf<Writer>(), {});
    Core::Token thrower_ = Core::regActionCreator(kThrower, Core::creatorOf<Thrower>(), {});
    Core::Token partial_ = Core::regActionCreator(kPartial, Core::creatorOf<Partial>(), {});
    Core::Token notAStep_ = Core::regActionCreator(kNotAStep, Core::creatorOf<Core::IExecutor>(), {});
};

TEST_F(EveningRunTest, AFailedStepIsLoggedAndUndoneAndTheStepsAfterItStillRun) {
    std::ostringstream log;
    std::vector<std::string> started;
    // A step is found whatever the letter case of its GUID.
    const auto reports = Towary::Host::EveningRun(40544, log).run(
        {kWriter, kThrower, kNobody, kNotAStep, "{e1000000-0000-0000-0000-000000000003}"},
        [&](std::size_t number, std::size_t count, const std::string& guid) {
            started.push_back(std::to_string(number) + "/" + std::to_string(count) + " " + guid);
        });

    ASSERT_EQ(reports.size(), 5u);
    const std::vector<StepReport::Outcome> outcomes{StepReport::Outcome::done, StepReport::Outcome::failed,
                                                    StepReport::Outcome::failed, StepReport::Outcome::failed,
                                                    StepReport::Outcome::done};
    for (std::size_t i = 0; i < reports.size(); ++i) EXPECT_EQ(reports[i].outcome, outcomes[i]) << reports[i].guid;
    EXPECT_EQ(reports[0].status, EveningProcessing::statusDone);
    EXPECT_EQ(started.size(), 5u);
    EXPECT_EQ(started[1], "2/5 " + kThrower);
    EXPECT_EQ(written(), (std::vector<std::string>{"first", "second", "writer"}))
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
}

TEST_F(EveningRunTest, TheStoreListsItsStepsByGuidInOrder) {
    TestSupport::replaceSettingsFile("[\"Parametry programu\".\"Odczyt wieczorny\"]\nKroki = \"\"\"\n" + kWriter +
                                     "\n  " + kThrower + " ;" + kPartial + ",\n\n\"\"\"\n");
    EXPECT_EQ(Towary::Host::listedEveningSteps(), (std::vector<std::string>{kWriter, kThrower, kPartial}));
}

}  // namespace
