#include "Core/Database/Schema.h"
#include "Core/Database/Sql.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <set>
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

TEST(Schema, ANewStoreHasTheWholeSchemaWithItsKeysAndIndexes) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(versionOf(session), latest());

    OpenedQuery indexes("select name from sqlite_master where type = 'index' and name not like 'sqlite%'", session);
    std::set<std::string> names;
    while (indexes.next()) names.insert(indexes["name"].asString());
    for (const char* index : {"plu_byStatus", "plu_sPLU", "plu_lTowarRef", "towar_sGrIndex", "towar_sArtIndex"})
        EXPECT_TRUE(names.count(index)) << index;

    addProduct(session, 1, "Mleko");
    addCode(session, 1, 1, "5900001");
    EXPECT_THROW(addCode(session, 1, 1, "5900002"), DBKernel::DatabaseError) << "the code id is the key";
    EXPECT_THROW(Command("delete from towar where lTowarRef = 1", session).execute(), DBKernel::DatabaseError)
        << "a product with codes stays";
    OpenedQuery columns("select dLastSTNDate, Alternative_Prices_Allowed, byHardTrStat from towar, plu", session);
    EXPECT_EQ(columns.columnCount(), 3u);

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
    try {
        TSessionHolder::open();
        FAIL() << "a newer schema should be refused";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("999"), std::string::npos) << e.what();
    }
    EXPECT_THROW(DBKernel::StoreDatabase::create(Core::Store::databaseFile()), std::runtime_error)
        << "a store is made only where none is";
}
