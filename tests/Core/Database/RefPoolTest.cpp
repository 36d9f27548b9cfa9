#include "tests/support/ChildProcess.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using TestSupport::addProduct;
using RefPool = TestSupport::StoreSession;

namespace {

std::int64_t newId(const TSessionHolder& session) { return DBKernel::RefPool::instance().getRef(session); }

}  // namespace

TEST_F(RefPool, IdsStayUniqueAcrossSessionsReopeningAndProcessesTakingIdsAtOnce) {
    std::set<std::int64_t> ids;
    {
        TSessionHolder other = TSessionHolder::open();
        for (int i = 0; i < 5; ++i) ids.insert({newId(session), newId(other), GetRef()});
    }
    ids.insert(newId(TSessionHolder::open()));
    EXPECT_EQ(ids.size(), 16u);
    EXPECT_EQ(*ids.rbegin(), 16) << "the generator counts on where it stopped";
    EXPECT_EQ(TestSupport::rows(TSessionHolder::open(), "select newref a, NewRef b from dual"), "17|18\n")
        << "newref in a statement takes from the same generator";

    std::vector<std::unique_ptr<TestSupport::ChildProcess>> takers;
    for (int i = 0; i < 3; ++i)
        takers.push_back(std::make_unique<TestSupport::ChildProcess>(
            STORE_WORKER, std::vector<std::string>{store.path().string(), "ids", "200"}));
    for (const auto& taker : takers) {
        const auto taken = taker->finish();
        EXPECT_EQ(taken.exitCode, 0) << taken.out << taken.err;
        std::istringstream lines(taken.out);
        for (std::string id; std::getline(lines, id);) ids.insert(std::stoll(id));
    }
    EXPECT_EQ(ids.size(), 16u + 600u) << "the processes' ids are new, and each another";
}

TEST_F(RefPool, NeverHandsOutATakenIdNorOneAnIntCannotHoldAndReservationsRollBackWithTheirTransaction) {
    addProduct(session, 40, "Mleko");
    TestSupport::addCode(session, 41, 40, "5900001");
    EXPECT_EQ(newId(session), 42) << "rows written with ids of their own move the pool past them";
    addProduct(session, 20, "Chleb");
    TestSupport::exec(session, "update towar set lTowarRef = 90 where lTowarRef = 20");
    EXPECT_EQ(newId(session), 91);

    for (const char* wrong : {"insert into towar (lTowarRef, sNazwa) values (4294967302, 'Za duży')",
                              "insert into towar (lTowarRef, sNazwa) values (9223372036854775807, 'Za duży')",
                              "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (2147483648, '1', 40, 1)"}) {
        const auto refused = TestSupport::failure<DBKernel::DatabaseError>([&] { TestSupport::exec(session, wrong); });
        EXPECT_NE(refused.find("jest większy niż 2147483647"), std::string::npos) << wrong << ": " << refused;
    }
    EXPECT_EQ(newId(session), 92) << "refused rows leave the pool as it was";

    // Reservations move the pool past an id and roll back with the transaction that took them.
    DBKernel::RefPool::instance().reserveThrough(500, session);
    EXPECT_EQ(newId(session), 501) << "rows brought in with ids up to 500";
    DBKernel::RefPool::instance().reserveThrough(20, session);
    EXPECT_EQ(newId(session), 502) << "a pool already past the id stays where it is";

    session.StartTransaction();
    DBKernel::RefPool::instance().reserveThrough(9000, session);
    session.Rollback();
    // A server's sequence does not roll back: there the ids are only promised to be new.
    if (TestSupport::onServer())
        EXPECT_GT(newId(session), 502);
    else
        EXPECT_EQ(newId(session), 503) << "a reservation rolled back with its rows is undone";

    TSessionHolder importer = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::milliseconds(20)});
    importer.StartTransaction();
    const auto first = GetRef();  // taken on the importer's session: the main session could not write now
    addProduct(importer, first, "Mleko");
    importer.Rollback();
    if (TestSupport::onServer())
        EXPECT_GT(GetRef(), first);
    else
        EXPECT_EQ(GetRef(), first) << "rolled back with the row that used it, the id is handed out again";

    addProduct(session, DBKernel::kLastRef - 1, "Ostatni");
    EXPECT_EQ(newId(session), DBKernel::kLastRef);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto exhausted = TestSupport::failure<DBKernel::DatabaseError>([&] { GetRef(); });
        EXPECT_NE(exhausted.find("Pula identyfikatorów sklepu jest wyczerpana"), std::string::npos) << exhausted;
    }
    // The pool's own row in a store in a file (a server's pool is a sequence) keeps an integer.
    if (!TestSupport::onServer()) {
        EXPECT_EQ(TestSupport::rows(session, "select typeof(lastRef), lastRef from RefGenerator"),
                  "integer|" + std::to_string(DBKernel::kLastRef) + "\n");
    }
}
