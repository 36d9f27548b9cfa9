// The row lock, and a statement the dialect runs as two meeting it, through the
// layer on a real store file; the rewrites are run with their rows in the
// dialect's tests, the special-price merge in the special-price tests.

#include "Core/Database/Sql.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using DBKernel::Sql::Command;
using DBKernel::Sql::OpenedQuery;
using TestSupport::addCode;
using TestSupport::addProduct;

namespace {

class DialectStore : public ::testing::Test {
protected:
    DialectStore() {
        addProduct(session, 1, "Mleko");
        addCode(session, 1, 1, "5900001");
    }

    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
};

}  // namespace

TEST_F(DialectStore, ACodeLockFailsAtOnceWhileAnotherSessionHoldsIt) {
    const std::string lock = "select lpluref from plu where sPLU = '5900001' for update nowait";
    TSessionHolder first = TSessionHolder::open();
    // Waiting would hang this test past its time limit: the lock must not wait.
    TSessionHolder second = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::minutes(10)});

    OpenedQuery held(lock, first);
    EXPECT_EQ(held["lpluref"].asInt64(), 1);
    EXPECT_TRUE(first.InTransaction()) << "the lock lasts until the session's transaction ends";

    try {
        OpenedQuery refused(lock, second);
        FAIL() << "the second session got the lock";
    } catch (const DBKernel::DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(lock), std::string::npos) << e.what();
        EXPECT_TRUE(e.busy()) << e.reason();
    }
    EXPECT_FALSE(second.InTransaction());

    const std::string merge =
        "merge into SpecCenDruk scd using (select 1 lPluRef from dual) x on (scd.lPluRef = x.lPluRef) "
        "when not matched then insert (lSpecCenDrukRef, lPluRef, lIlosc, lUzytkRef) values (NewRef, x.lPluRef, 1, 1)";
    TSessionHolder impatient = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::milliseconds(20)});
    try {
        Command(merge, impatient).execute();
        FAIL() << "the merge wrote while the lock was held";
    } catch (const DBKernel::DatabaseError& e) {
        EXPECT_EQ(e.statement(), merge) << "a statement run as two names itself when it cannot lock";
        EXPECT_TRUE(e.busy()) << e.reason();
    }

    first.Commit();
    EXPECT_EQ(Command(merge, impatient).execute(), 1) << "once the lock is released the same merge writes";
    OpenedQuery taken(lock, second);
    EXPECT_EQ(taken["lpluref"].asInt64(), 1);
    EXPECT_TRUE(second.InTransaction());
    second.Rollback();
}
