#include "Core/Database/Backend/SqliteConnection.h"
#include "Core/Database/Schema.h"
#include "Core/Database/Sql.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
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

// A store database as the build whose last migration was `version` made it.
void makeStoreOfVersion(const std::filesystem::path& file, int version) {
    std::string script;
    for (const auto& migration : DBKernel::Schema::migrations())
        if (migration.number <= version) script += std::string(migration.script) + ";\n";
    runRaw(file, "pragma journal_mode = wal;" + script + "pragma user_version = " + std::to_string(version));
}

int versionOf(const TSessionHolder& session) { return session.session().connection().schemaVersion(); }

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

TEST(Schema, TheTablesReadFromTheMigrationsAreThoseTheyMake) {
    const auto made = DBKernel::Backend::openSqlite(":memory:", DBKernel::Backend::ConnectionOptions{}, true);
    for (const auto& migration : DBKernel::Schema::migrations()) made->runScript(std::string(migration.script));
    std::set<std::string> tables;
    for (std::string name : made->tableNames()) {
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        tables.insert(name);
    }
    EXPECT_EQ(DBKernel::StoreDatabase::schemaTables(), tables);
}

TEST(Schema, AStoreOfAnOlderBuildIsUpgradedWhenOpened) {
    TestSupport::TempStore store;
    const auto file = Core::Store::databaseFile();
    makeStoreOfVersion(file, 1);
    runRaw(file, "create table notatki (tekst text); insert into notatki values ('x')");
    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(versionOf(session), latest());
    EXPECT_EQ(TestSupport::count(session, "notatki"), 1) << "what the store held stays";
    EXPECT_EQ(TestSupport::count(session, "towar"), 0);
}

TEST(Schema, AFailedUpgradeLeavesTheStoreAsItWas) {
    TestSupport::TempStore store;
    const auto file = Core::Store::databaseFile();
    makeStoreOfVersion(file, 1);
    runRaw(file, "create table stawkavat (x integer)");  // a later migration cannot create its stawkavat
    try {
        TSessionHolder::open();
        FAIL() << "the upgrade should fail";
    } catch (const DBKernel::DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("0003"), std::string::npos) << e.what();
        EXPECT_NE(e.reason().find("already exists"), std::string::npos) << e.reason();
    }
    // Succeeds only when the migrations before the failed one left nothing behind.
    runRaw(file, "create index towar_groups on towar (sGrIndex)");
}

TEST(Schema, AFileThatIsNoCompleteStoreIsRefusedWithWhatToDo) {
    TestSupport::TempStore store;
    const auto file = Core::Store::databaseFile();
    const auto refusal = [] { return TestSupport::failure<std::runtime_error>([] { TSessionHolder::open(); }); };
    const std::string whatToDo = "Przywróć kopię bazy danych sklepu albo załóż nowy sklep poleceniem towary init";

    // An empty file is refused in the towary command tests, where a user meets it.
    std::ofstream(file, std::ios::binary) << "lTowarRef,sNazwa\n1,Mleko\n";
    std::string refused = refusal();
    EXPECT_NE(refused.find("to nie jest plik bazy danych"), std::string::npos) << refused;

    std::filesystem::remove(file);
    runRaw(file, "create table notatki (tekst text)");
    refused = refusal();
    EXPECT_NE(refused.find("baza nie ma schematu sklepu"), std::string::npos) << refused;

    std::filesystem::remove(file);
    DBKernel::StoreDatabase::create(file);
    runRaw(file, "drop table klasa");
    refused = refusal();
    EXPECT_NE(refused.find("jest niekompletna: brak tabel klasa."), std::string::npos) << refused;
    EXPECT_NE(refused.find(whatToDo), std::string::npos) << refused;
}

TEST(Schema, AnUpgradeKeepsACodeLiveOnItsFirstRowOnlyAndMendsTheIdPool) {
    TestSupport::TempStore store;
    const auto file = Core::Store::databaseFile();
    makeStoreOfVersion(file, 7);
    runRaw(file,
           "insert into towar (lTowarRef, sNazwa) values (1, 'Kawa'), (2, 'Herbata');"
           "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (12, '5901234123457', 2, 2),"
           " (10, '5901234123457', 1, 1), (11, '5901234123457', 1, 3), (13, '5901234123457', 1, 1), (14, '17', 1, 1);"
           "update RefGenerator set lastRef = 9223372036854775807; update RefGenerator set lastRef = lastRef + 1;");
    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(versionOf(session), latest());
    const auto greatestInUse = OpenedQuery("select max(lHistoriaZmianRef) id from HistoriaZmian", session)["id"].asInt64();
    EXPECT_EQ(DBKernel::RefPool::instance().getRef(session), std::max<std::int64_t>(greatestInUse, 14) + 1)
        << "a pool turned REAL past every id is set back to the greatest id in use";

    OpenedQuery codes(
        "select group_concat(lPluRef || ':' || byStatus, ' ') codes from (select * from plu order by lPluRef)", session);
    EXPECT_EQ(codes["codes"].asString(), "10:1 11:3 12:3 13:3 14:1") << "the lowest row stays live, the others deleted";
    OpenedQuery history("select group_concat(lObiektRef || ' ' || sOpis, '; ') h from"
                        " (select * from HistoriaZmian where sKlucz = 'PLU' order by lObiektRef)",
                        session);
    EXPECT_EQ(history["h"].asString(),
              "12 Aktualizacja bazy: kod 5901234123457 był żywy także w wierszu o lPluRef = 10; ten wiersz oznaczono "
              "jako usunięty.; 13 Aktualizacja bazy: kod 5901234123457 był żywy także w wierszu o lPluRef = 10; ten "
              "wiersz oznaczono jako usunięty.");
    EXPECT_THROW(addCode(session, 15, 2, "5901234123457"), DBKernel::DatabaseError) << "the store keeps it so";
    addCode(session, 16, 2, "5901234123457", 3);
}

TEST(Schema, AStoreOfANewerBuildIsRefused) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder::open().session().connection().setSchemaVersion(999);
    const std::string newer = TestSupport::failure<std::runtime_error>([] { TSessionHolder::open(); });
    EXPECT_NE(newer.find("999"), std::string::npos) << "a newer schema is refused: " << newer;
    EXPECT_THROW(DBKernel::StoreDatabase::create(DBKernel::DatabaseLocation::current()), std::runtime_error)
        << "a store is made only where none is";
}
