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

    // Products: "(id, status, article index, type, group, last stock day)" each.
    static void addProducts(const std::string& values) {
        exec("insert into towar (lTowarRef, sNazwa, nStatusAktywnosci, sArtIndex, byTyp, sGrIndex, dLastSTNDate, byCode) "
             "select column1, 'Towar ' || column1, column2, column3, column4, column5, column6, 6 from (values " +
             values + ") as products");
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

TEST_F(StatusEvening, TheLatestChangeUpToTomorrowIsAppliedAndEveryDueChangeMarkedOrNoneWhenAMarkIsRefused) {
    addProducts("(1, 1, '000001', 0, '01', 0), (2, 1, '000002', 0, '01', 0), (3, 1, '000003', 0, '01', 0), "
                "(4, 1, '000004', 0, '01', 0), (5, 1, '000005', 0, '01', 0)");
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

    // A change whose mark is refused leaves the status as it was.
    addProducts("(6, 1, '000006', 0, '01', 0)");
    plan("(61, 6, 2, 40545, null)");
    TestSupport::refuseWrites(store_.path(), "StatusChange", "update of applied", "Plan zmian jest zablokowany");
    const auto [refused, refusal] = evening(Towar::kStatusChangeActionGuid);
    EXPECT_EQ(refused, StepReport::Outcome::failed);
    EXPECT_NE(refusal.find(" BŁĄD: Plan zmian jest zablokowany"), std::string::npos) << refusal;
    EXPECT_EQ(statuses(), "1 3\n2 1\n3 1\n4 1\n5 8\n6 1\n");
    EXPECT_EQ(rows("select applied from StatusChange where statuschangeid = 61"), "-\n");
}

TEST_F(StatusEvening, ProductsOfStatusFourOrEightWithoutStockAreWithdrawn) {
    // Product 3 has another status, even at zero stock; product 4 no stock row at all. In the multi-price
    // groups 20 and 30 the grouping row (type 9) and its elements count as one.
    addProducts("(1, 4, '000001', 0, '01', 40500), (2, 8, '000002', 0, '01', 40500), (3, 1, '000003', 0, '01', 40500), "
                "(4, 4, '000004', 0, '01', 0), (20, 1, '000020', 9, '0102', 0), (21, 4, '00002001', 0, '0102', 40500), "
                "(22, 1, '00002002', 0, '0102', 40500), (30, 1, '000030', 9, '0103', 0), "
                "(31, 8, '00003001', 0, '0103', 40500), (32, 1, '00003002', 0, '0103', 40500)");
    // An older stock day of product 1 does not count.
    exec("insert into stn (lTowarRef, data, dStan) values (1, 40400, 5), (1, 40500, 0), (2, 40500, 3), (3, 40500, 0), "
         "(21, 40500, 0), (22, 40500, 2), (31, 40500, 0), (32, 40500, 0)");

    const auto [outcome, log] = evening(Towar::kChangeActivityStatusActionGuid);
    EXPECT_EQ(outcome, StepReport::Outcome::done) << log;
    EXPECT_EQ(statuses(), "1 5\n2 8\n3 1\n4 5\n20 1\n21 4\n22 1\n30 5\n31 5\n32 5\n");
}

}  // namespace
