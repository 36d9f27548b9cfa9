#include "Core/Database/Sql.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <stdexcept>

using TestSupport::addProduct;
using TestSupport::count;
using DBKernel::TransactionGuard;

TEST(Transaction, CommittedWritesAreSeenByOtherSessionsAndRolledBackOnesAreNotAndCopiesShareTheirSession) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    auto writer = TSessionHolder::open();
    auto reader = TSessionHolder::open();

    writer.StartTransaction();
    EXPECT_TRUE(writer.InTransaction());
    addProduct(writer, 1, "Mleko");
    EXPECT_EQ(count(writer, "towar"), 1) << "a session sees its own uncommitted writes";
    EXPECT_EQ(count(reader, "towar"), 0) << "others do not";
    writer.Commit();
    EXPECT_FALSE(writer.InTransaction());
    EXPECT_EQ(count(reader, "towar"), 1);

    writer.StartTransaction();
    addProduct(writer, 2, "Chleb");
    writer.Rollback();
    EXPECT_EQ(count(reader, "towar"), 1);
    EXPECT_EQ(count(writer, "towar"), 1);

    writer.StartTransaction();
    EXPECT_THROW(writer.StartTransaction(), std::logic_error);
    writer.Rollback();

    TSessionHolder main;
    TSessionHolder copy = main;
    copy.StartTransaction();
    EXPECT_TRUE(main.InTransaction()) << "copies of a holder share its session";
    EXPECT_TRUE(TSessionHolder().InTransaction()) << "every default holder is the main session";
    EXPECT_FALSE(writer.InTransaction()) << "an opened session is a session of its own";
    main.Rollback();
}

TEST(Transaction, AGuardLeftByAnExceptionLeavesTheStoreAsItWas) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    addProduct(session, 1, "Mleko");

    const auto failingWrite = [&] {
        TransactionGuard guard(session);
        DBKernel::Sql::Command("update towar set sNazwa = 'Mleko 2%' where lTowarRef = 1", session).execute();
        addProduct(session, 2, "Chleb");
        addProduct(session, 1, "Duplikat");  // the key is taken: throws
        guard.commit();
    };
    EXPECT_THROW(failingWrite(), DBKernel::DatabaseError);
    EXPECT_FALSE(session.InTransaction());
    EXPECT_EQ(count(TSessionHolder::open(), "towar"), 1);
    DBKernel::Sql::OpenedQuery name("select sNazwa from towar where lTowarRef = 1", session);
    EXPECT_EQ(name["sNazwa"].asString(), "Mleko");

    {
        TransactionGuard guard(session);
        addProduct(session, 3, "Masło");
        guard.commit();
    }
    EXPECT_EQ(count(TSessionHolder::open(), "towar"), 2);
}

TEST(Transaction, AGuardInsideAnOpenTransactionUndoesOnlyItsOwnWrites) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    TransactionGuard outer(session);
    {
        TransactionGuard inner(session);
        addProduct(session, 1, "Mleko");
        inner.commit();
    }
    EXPECT_TRUE(session.InTransaction()) << "the inner guard did not commit the outer transaction";
    try {
        TransactionGuard inner(session);
        addProduct(session, 2, "Chleb");
        throw std::runtime_error("przerwano");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(session.InTransaction()) << "nor did it roll the outer transaction back";
    EXPECT_EQ(count(session, "towar"), 1) << "the inner guard left early undid its own write only";
    outer.commit();
    EXPECT_EQ(count(TSessionHolder::open(), "towar"), 1);
}
