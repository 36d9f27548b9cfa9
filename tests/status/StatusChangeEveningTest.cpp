// The evening steps of activity statuses on a real store, run as the evening
// run runs each step: in a transaction of its own.

#include "Core/Setup/Setup.h"
#include "Modules/Towary/Tools/status/ChangeActivityStatusAction.h"
#include "Modules/Towary/Tools/status/StatusChangeAction.h"
#include "apps/towary/evening/EveningRun.h"
#include "tests/support/StoreRows.h"
#include "tests/support/StoreTriggers.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using Towary::Host::StepReport;

// 2011-01-01, the processing day of the runs; changes up to the next day (40545) fall due.
constexpr int kDay = 40544;

class StatusEvening : public ::testing::Test {
protected:
    StatusEvening() {
        registerStatusChangeActionObjects(module_);
        registerActivityStatusChangeActionObjects(module_);
    }

    // A product of group 01 with its status; the article index, type, group and last stock day when given.
    static void addProduct(int id, int status, const std::string& artIndex = "", int type = 0,
                           const std::string& group = "01", int lastStockDay = 0) {
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, byTyp, nStatusAktywnosci, "
             "dLastSTNDate) values (" + std::to_string(id) + ", 'Towar " + std::to_string(id) + "', '" + group +
             "', '" + (artIndex.empty() ? std::to_string(100000 + id) : artIndex) + "', 6, " + std::to_string(type) +
             ", " + std::to_string(status) + ", " + std::to_string(lastStockDay) + ")");
    }
    // Planned changes: "(id, product, status, day, applied)" each, applied null, 0 or 1.
    static void plan(const std::string& values) {
        exec("insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod) select "
             "column1, column2, column3, column4, cast(column5 as integer), 40000 from (values " + values + ") as planned");
    }
    static void exec(const std::string& statement) { TestSupport::exec({}, statement); }
    static std::string rows(const std::string& query) { return TestSupport::rows({}, query, " "); }
    static std::string statuses() { return rows("select lTowarRef, nStatusAktywnosci from towar order by lTowarRef"); }
    // Runs the step; gives its outcome and the run's log.
    static std::pair<StepReport::Outcome, std::string> evening(const std::string& step) {
        std::ostringstream log;
        const auto reports = Towary::Host::EveningRun(kDay, log).run({step});
        return {reports.at(0).outcome, log.str()};
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    Core::Registrations module_;
};

TEST_F(StatusEvening, TheLatestChangeUpToTomorrowIsAppliedAndEveryDueChangeMarked) {
    for (int id = 1; id <= 5; ++id) addProduct(id, 1);
    plan("(11, 1, 2, 40544, null), (12, 1, 3, 40545, null), "  // today's is superseded by tomorrow's
         "(21, 2, 1, 40545, null), "                            // the status it has: counted, not written
         "(31, 3, 4, 40545, 1), (32, 3, 6, 40540, 0), "         // the latest is applied already, an older one not
         "(41, 4, 7, 40546, null), "                            // the day after tomorrow
         "(51, 5, 8, 40530, 0)");
    exec("create table zapisy (lTowarRef integer)");
    TestSupport::afterWrites(store_.path(), "towar", "update of nStatusAktywnosci",
                             "insert into zapisy (lTowarRef) values (new.lTowarRef)");

    const auto [outcome, log] = evening(Towar::kStatusChangeActionGuid);
    EXPECT_EQ(outcome, StepReport::Outcome::done) << log;
    EXPECT_NE(log.find(" Zmieniono status dla 3 towarów.\n"), std::string::npos) << log;
    EXPECT_EQ(statuses(), "1 3\n2 1\n3 1\n4 1\n5 8\n");
    EXPECT_EQ(rows("select lTowarRef from zapisy order by lTowarRef"), "1\n5\n");
    EXPECT_EQ(rows("select statuschangeid, applied from StatusChange order by statuschangeid"),
              "11 1\n12 1\n21 1\n31 1\n32 1\n41 -\n51 1\n");

    const auto second = evening(Towar::kStatusChangeActionGuid).second;
    EXPECT_NE(second.find(" Nie zmieniono statusu żadnego towaru.\n"), std::string::npos) << second;
}

TEST_F(StatusEvening, ProductsOfStatusFourOrEightWithoutStockAreWithdrawn) {
    addProduct(1, 4, "", 0, "01", 40500);
    addProduct(2, 8, "", 0, "01", 40500);
    addProduct(3, 1, "", 0, "01", 40500);  // another status, even at zero stock
    addProduct(4, 4);                      // no stock row at all
    // Multi-price groups: the grouping row (type 9) and its elements count as one.
    addProduct(20, 1, "000020", 9, "0102");
    addProduct(21, 4, "00002001", 0, "0102", 40500);
    addProduct(22, 1, "00002002", 0, "0102", 40500);
    addProduct(30, 1, "000030", 9, "0103");
    addProduct(31, 8, "00003001", 0, "0103", 40500);
    addProduct(32, 1, "00003002", 0, "0103", 40500);
    // An older stock day of product 1 does not count.
    exec("insert into stn (lTowarRef, data, dStan) values (1, 40400, 5), (1, 40500, 0), (2, 40500, 3), (3, 40500, 0), "
         "(21, 40500, 0), (22, 40500, 2), (31, 40500, 0), (32, 40500, 0)");

    const auto [outcome, log] = evening(Towar::kChangeActivityStatusActionGuid);
    EXPECT_EQ(outcome, StepReport::Outcome::done) << log;
    EXPECT_EQ(statuses(), "1 5\n2 8\n3 1\n4 5\n20 1\n21 4\n22 1\n30 5\n31 5\n32 5\n");
}

TEST_F(StatusEvening, AChangeWhoseMarkIsRefusedLeavesTheStatusAsItWas) {
    addProduct(1, 1);
    plan("(11, 1, 2, 40545, null)");
    TestSupport::refuseWrites(store_.path(), "StatusChange", "update of applied", "Plan zmian jest zablokowany");

    const auto [outcome, log] = evening(Towar::kStatusChangeActionGuid);
    EXPECT_EQ(outcome, StepReport::Outcome::failed);
    EXPECT_NE(log.find(" BŁĄD: Plan zmian jest zablokowany"), std::string::npos) << log;
    EXPECT_EQ(statuses(), "1 1\n");
    EXPECT_EQ(rows("select applied from StatusChange"), "-\n");
}

}  // namespace
