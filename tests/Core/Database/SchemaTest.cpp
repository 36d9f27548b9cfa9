#include "Core/Database/Schema.h"
#include "Core/Database/Sql.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

using TestSupport::addCode;
using TestSupport::addProduct;
using DBKernel::Sql::Command;
using DBKernel::Sql::OpenedQuery;

namespace {

// Runs SQL on the file directly, as another program (an older build) would.
void runRaw(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
}

int latest() { return DBKernel::Schema::migrations().back().number; }

int versionOf(const TSessionHolder& session) {
    return static_cast<int>(OpenedQuery("pragma user_version", session).field(0).asInt64());
}

}  // namespace

TEST(Schema, ANewStoreHasTheWholeSchemaWithItsKeys) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(versionOf(session), latest());

    addProduct(session, 1, "Mleko");
    addCode(session, 1, 1, "5900001");
    EXPECT_THROW(addCode(session, 1, 1, "5900002"), DBKernel::DatabaseError) << "the code id is the key";
    EXPECT_THROW(Command("delete from towar where lTowarRef = 1", session).execute(), DBKernel::DatabaseError)
        << "a product with codes stays";
    EXPECT_THROW(Command("insert into dual (dummy) values ('Y')", session).execute(), DBKernel::DatabaseError);
    EXPECT_THROW(Command("delete from dual", session).execute(), DBKernel::DatabaseError);
    EXPECT_EQ(TestSupport::count(session, "dual"), 1);

    OpenedQuery like("select count(*) n from towar where sNazwa like 'm%'", session);
    EXPECT_EQ(like["n"].asInt64(), 0) << "LIKE tells capitals apart, as Oracle's does";
}

TEST(Schema, AStoreOfAnOlderBuildIsUpgradedWhenOpened) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    const auto file = Core::Store::databaseFile();
    std::filesystem::remove(file);
    runRaw(file, "pragma journal_mode = wal; create table notatki (tekst text); insert into notatki values ('x')");
    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(versionOf(session), latest());
    EXPECT_EQ(TestSupport::count(session, "notatki"), 1) << "what the store held stays";
    EXPECT_EQ(TestSupport::count(session, "towar"), 0);
}

TEST(Schema, AFailedUpgradeLeavesTheStoreAsItWas) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    const auto file = Core::Store::databaseFile();
    std::filesystem::remove(file);
    runRaw(file, "create table dual (x integer)");  // the first migration cannot create its dual
    try {
        TSessionHolder::open();
        FAIL() << "the upgrade should fail";
    } catch (const DBKernel::DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(std::string(DBKernel::Schema::migrations().front().name)),
                  std::string::npos)
            << e.what();
        EXPECT_NE(e.reason().find("already exists"), std::string::npos) << e.reason();
    }
    runRaw(file, "create table towar (x integer)");  // succeeds only when the migration left no towar behind
}

TEST(Schema, AStoreOfANewerBuildIsRefused) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    runRaw(Core::Store::databaseFile(), "pragma user_version = 999");
    const std::string newer = TestSupport::failure<std::runtime_error>([] { TSessionHolder::open(); });
    EXPECT_NE(newer.find("999"), std::string::npos) << "a newer schema is refused: " << newer;
    EXPECT_THROW(DBKernel::StoreDatabase::create(Core::Store::databaseFile()), std::runtime_error)
        << "a store is made only where none is";
}
