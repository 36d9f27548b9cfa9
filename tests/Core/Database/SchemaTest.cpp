#include "Core/Database/Backend/SqliteConnection.h"
#include "Core/Database/Schema.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/IgnoringCase.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

using DBKernel::DatabaseError;
using ::testing::HasSubstr;
using TestSupport::addCode;
using TestSupport::count;
using TestSupport::exec;
using NewStore = TestSupport::StoreSession;

namespace {

// Runs SQL on the file directly, as another program (an older build) would.
void runRaw(const std::string& sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(Core::Store::databaseFile().c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
}

std::string refusal() { return TestSupport::failure<std::runtime_error>([] { TSessionHolder::open(); }); }

int latest() { return DBKernel::Schema::migrations().back().number; }

int versionOf(const TSessionHolder& session) { return session.session().connection().schemaVersion(); }

// A store database as the build whose last migration was `version` made it.
class OlderStore : public ::testing::Test {
protected:
    void makeStoreOfVersion(int version) {
        std::string script;
        for (const auto& migration : DBKernel::Schema::migrations())
            if (migration.number <= version) script += std::string(migration.script) + ";\n";
        runRaw("pragma journal_mode = wal;" + script + "pragma user_version = " + std::to_string(version));
    }

    TestSupport::TempStore store;
};

}  // namespace

TEST_F(NewStore, HasTheWholeSchemaWithItsKeysAndTheTablesTheMigrationsNameAndIsMadeOnlyWhereNoneIs) {
    EXPECT_EQ(versionOf(session), latest());
    TestSupport::addProduct(session, 1, "Mleko");
    addCode(session, 1, 1, "5900001");
    EXPECT_THROW(addCode(session, 1, 1, "5900002"), DatabaseError) << "the code id is the key";
    EXPECT_THROW(exec(session, "delete from towar where lTowarRef = 1"), DatabaseError) << "a product with codes stays";
    EXPECT_THROW(exec(session, "insert into dual (dummy) values ('Y')"), DatabaseError);
    EXPECT_THROW(exec(session, "delete from dual"), DatabaseError);
    EXPECT_EQ(count(session, "dual"), 1);
    EXPECT_EQ(TestSupport::value(session, "select count(*) from towar where sNazwa like 'm%'"), "0")
        << "LIKE tells capitals apart, as Oracle's does";

    session.session().connection().setSchemaVersion(999);
    EXPECT_THAT(refusal(), HasSubstr("999")) << "a newer schema is refused";
    EXPECT_THROW(DBKernel::StoreDatabase::create(DBKernel::DatabaseLocation::current()), std::runtime_error)
        << "a store is made only where none is";

    // The tables read from the migrations are those they make.
    const auto made = DBKernel::Backend::openSqlite(":memory:", DBKernel::Backend::ConnectionOptions{}, true);
    for (const auto& migration : DBKernel::Schema::migrations()) made->runScript(std::string(migration.script));
    std::set<std::string> tables;
    for (const auto& name : made->tableNames()) tables.insert(Core::lowerAscii(name));
    EXPECT_EQ(DBKernel::StoreDatabase::schemaTables(), tables);
}

TEST_F(OlderStore, AFileThatIsNoCompleteStoreIsRefusedWithWhatToDoAndAFailedUpgradeLeavesItAsItWasUntilMended) {
    const auto file = Core::Store::databaseFile();
    // An empty file is refused in the towary command tests, where a user meets it.
    std::ofstream(file, std::ios::binary) << "lTowarRef,sNazwa\n1,Mleko\n";
    EXPECT_THAT(refusal(), HasSubstr("to nie jest plik bazy danych"));

    std::filesystem::remove(file);
    runRaw("create table notatki (tekst text)");
    EXPECT_THAT(refusal(), HasSubstr("baza nie ma schematu sklepu"));

    std::filesystem::remove(file);
    DBKernel::StoreDatabase::create(file);
    runRaw("drop table klasa");
    EXPECT_THAT(refusal(), HasSubstr("jest niekompletna: brak tabel klasa. Przywróć kopię bazy danych sklepu albo "
                                     "załóż nowy sklep poleceniem towary init"));

    // An upgrade that fails leaves the store as it was; opened once mended, it is upgraded.
    std::filesystem::remove(file);
    makeStoreOfVersion(1);
    runRaw("create table notatki (tekst text); insert into notatki values ('x'); create table stawkavat (x integer)");
    // A later migration cannot create its stawkavat.
    EXPECT_THAT(TestSupport::caught<DatabaseError>([] { TSessionHolder::open(); },
                                                   [](const DatabaseError& e) { return e.reason(); }),
                HasSubstr("already exists"));
    EXPECT_THAT(refusal(), HasSubstr("0003"));
    // Succeeds only when the migrations before the failed one left nothing behind.
    runRaw("create index towar_groups on towar (sGrIndex); drop index towar_groups; drop table stawkavat");

    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(versionOf(session), latest());
    EXPECT_EQ(count(session, "notatki"), 1) << "what the store held stays";
    EXPECT_EQ(count(session, "towar"), 0);
}

TEST_F(OlderStore, AnUpgradeKeepsACodeLiveOnItsFirstRowOnlyAndMendsTheIdPool) {
    makeStoreOfVersion(7);
    runRaw(
        "insert into towar (lTowarRef, sNazwa) values (1, 'Kawa'), (2, 'Herbata');"
        "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (12, '5901234123457', 2, 2),"
        " (10, '5901234123457', 1, 1), (11, '5901234123457', 1, 3), (13, '5901234123457', 1, 1), (14, '17', 1, 1);"
        "update RefGenerator set lastRef = 9223372036854775807; update RefGenerator set lastRef = lastRef + 1;");
    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(versionOf(session), latest());
    const auto greatestInUse =
        std::stoll(TestSupport::value(session, "select max(lHistoriaZmianRef) from HistoriaZmian"));
    EXPECT_EQ(DBKernel::RefPool::instance().getRef(session), std::max<std::int64_t>(greatestInUse, 14) + 1)
        << "a pool turned REAL past every id is set back to the greatest id in use";

    EXPECT_EQ(TestSupport::rows(session, "select lPluRef, byStatus from plu order by lPluRef"),
              "10|1\n11|3\n12|3\n13|3\n14|1\n")
        << "the lowest row stays live, the others deleted";
    const std::string note =
        " Aktualizacja bazy: kod 5901234123457 był żywy także w wierszu o lPluRef = 10; ten wiersz "
        "oznaczono jako usunięty.\n";
    EXPECT_EQ(
        TestSupport::rows(session, "select lObiektRef, sOpis from HistoriaZmian where sKlucz = 'PLU' order by 1", " "),
        "12" + note + "13" + note);
    EXPECT_THROW(addCode(session, 15, 2, "5901234123457"), DatabaseError) << "the store keeps it so";
    addCode(session, 16, 2, "5901234123457", 3);
}
