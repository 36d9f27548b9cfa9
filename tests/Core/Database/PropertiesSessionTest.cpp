// The store's persistent properties: set and read in the caller's
// transaction, rolled back with it, locked for the rest of it.

#include "Core/Database/Query.h"
#include "Core/Properties/PropertiesSession.h"
#include "tests/support/Failure.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

namespace {

TEST(PropertiesSession, APropertyLivesAndDiesWithTheCallersTransaction) {
    TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    TSessionHolder session = TSessionHolder::open();
    Core::PropertiesSession properties(session);
    EXPECT_EQ(properties.get("{K}"), "");
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { properties.set("{K}", "tak"); }),
              "PropertiesSession::set poza transakcją sesji.");
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { properties.lock("{K}"); }),
              "PropertiesSession::lock poza transakcją sesji.");

    {
        DBKernel::TransactionGuard transaction(session);
        properties.lock("{K}");
        properties.set("{K}", "tak");
        EXPECT_EQ(properties.get("{K}"), "tak");
        // Another session does not see it before the commit.
        EXPECT_EQ(Core::PropertiesSession(TSessionHolder::open()).get("{K}"), "");
    }
    EXPECT_EQ(properties.get("{K}"), "");

    DBKernel::TransactionGuard transaction(session);
    properties.set("{K}", "tak");
    properties.set("{K}", "nie");
    transaction.commit();
    EXPECT_EQ(Core::PropertiesSession(TSessionHolder::open()).get("{K}"), "nie");
    EXPECT_EQ(DBKernel::Sql::OpenedQuery("select count(*) n from Properties", session)["n"].asInt(), 1);
}

}  // namespace
