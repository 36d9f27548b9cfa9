// Transactions, their guards, the row lock and the store's properties, through
// the layer on a real store.

#include "Core/Properties/PropertiesSession.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

using DBKernel::TransactionGuard;
using TestSupport::addProduct;
using TestSupport::count;
using Transaction = TestSupport::StoreSession;

TEST_F(Transaction, CommittedWritesAreSeenByOthersAGuardLeftByAnExceptionUndoesItsOwnWritesOnlyLocksDoNotWaitAndPropertiesFollow) {
    auto reader = TSessionHolder::open();
    session.StartTransaction();
    EXPECT_TRUE(session.InTransaction());
    addProduct(session, 1, "Mleko");
    EXPECT_EQ(count(session, "towar"), 1) << "a session sees its own uncommitted writes";
    EXPECT_EQ(count(reader, "towar"), 0) << "others do not";
    session.Commit();
    EXPECT_FALSE(session.InTransaction());
    EXPECT_EQ(count(reader, "towar"), 1);

    session.StartTransaction();
    addProduct(session, 2, "Chleb");
    EXPECT_THROW(session.StartTransaction(), std::logic_error);
    session.Rollback();
    EXPECT_EQ(count(reader, "towar"), 1);
    EXPECT_EQ(count(session, "towar"), 1);

    TSessionHolder main;
    TSessionHolder copy = main;
    copy.StartTransaction();
    EXPECT_TRUE(main.InTransaction()) << "copies of a holder share its session";
    EXPECT_TRUE(TSessionHolder().InTransaction()) << "every default holder is the main session";
    EXPECT_FALSE(session.InTransaction()) << "an opened session is a session of its own";
    main.Rollback();

    EXPECT_THROW(
        {
            TransactionGuard guard(session);
            TestSupport::exec(session, "update towar set sNazwa = 'Mleko 2%' where lTowarRef = 1");
            addProduct(session, 2, "Chleb");
            addProduct(session, 1, "Duplikat");  // the key is taken: throws
            guard.commit();
        },
        DBKernel::DatabaseError);
    EXPECT_FALSE(session.InTransaction());
    EXPECT_EQ(TestSupport::rows(TSessionHolder::open(), "select sNazwa from towar"), "Mleko\n");

    TransactionGuard outer(session);
    {
        TransactionGuard inner(session);
        addProduct(session, 3, "Masło");
        inner.commit();
    }
    EXPECT_TRUE(session.InTransaction()) << "the inner guard did not commit the outer transaction";
    try {
        TransactionGuard inner(session);
        addProduct(session, 4, "Chleb");
        throw std::runtime_error("przerwano");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(session.InTransaction()) << "nor did it roll the outer transaction back";
    outer.commit();
    EXPECT_EQ(count(TSessionHolder::open(), "towar"), 2) << "the inner guard left early undid its own write only";

    // A code lock fails at once while another session holds it, and a statement run as two names itself. The
    // rewrites are run with their rows in the dialect's tests, the special-price merge in the special-price tests.
    TestSupport::addCode(session, 1, 1, "5900001");
    const std::string lock = "select lpluref from plu where sPLU = '5900001' for update nowait";
    TSessionHolder first = TSessionHolder::open();
    // Waiting would hang this test past its time limit: the lock must not wait.
    TSessionHolder second = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::minutes(10)});
    TSessionHolder impatient = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::milliseconds(20)});
    // The statement a refusal names, and whether it says the store is busy.
    const auto refusal = [](const std::function<void()>& call) {
        return TestSupport::caught<DBKernel::DatabaseError>(call, [](const DBKernel::DatabaseError& e) {
            return e.statement() + (e.busy() ? ": busy" : ": " + e.reason());
        });
    };
    EXPECT_EQ(TestSupport::value(first, lock), "1");
    EXPECT_TRUE(first.InTransaction()) << "the lock lasts until the session's transaction ends";
    EXPECT_EQ(refusal([&] { TestSupport::value(second, lock); }), lock + ": busy");
    EXPECT_FALSE(second.InTransaction());

    const std::string merge =
        "merge into SpecCenDruk scd using (select 1 lPluRef from dual) x on (scd.lPluRef = x.lPluRef) "
        "when not matched then insert (lSpecCenDrukRef, lPluRef, lIlosc, lUzytkRef) values (NewRef, x.lPluRef, 1, 1)";
    EXPECT_EQ(refusal([&] { TestSupport::exec(impatient, merge); }), merge + ": busy")
        << "a statement run as two names itself when it cannot lock";
    first.Commit();
    EXPECT_EQ(TestSupport::changed(impatient, merge), 1) << "once the lock is released the same merge writes";
    EXPECT_EQ(TestSupport::value(second, lock), "1");
    EXPECT_TRUE(second.InTransaction());
    second.Rollback();

    // The store's persistent properties: set and read in the caller's transaction, rolled back with it.
    Core::PropertiesSession properties(session);
    EXPECT_EQ(properties.get("{K}"), "");
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { properties.set("{K}", "tak"); }),
              "PropertiesSession::set poza transakcją sesji.");
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { properties.lock("{K}"); }),
              "PropertiesSession::lock poza transakcją sesji.");
    {
        TransactionGuard transaction(session);
        properties.lock("{K}");
        properties.set("{K}", "tak");
        EXPECT_EQ(properties.get("{K}"), "tak");
        EXPECT_EQ(Core::PropertiesSession(TSessionHolder::open()).get("{K}"), "") << "not before the commit";
    }
    EXPECT_EQ(properties.get("{K}"), "");

    TransactionGuard transaction(session);
    properties.set("{K}", "tak");
    properties.set("{K}", "nie");
    transaction.commit();
    EXPECT_EQ(Core::PropertiesSession(TSessionHolder::open()).get("{K}"), "nie");
    EXPECT_EQ(count(session, "Properties"), 1);
}
