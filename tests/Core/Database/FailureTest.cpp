#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Sql.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/StoreRows.h"
#include "tests/support/Failure.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <string>

using TestSupport::addProduct;
using TestSupport::count;
using DBKernel::Sql::Command;
using DBKernel::Sql::OpenedQuery;

namespace {

std::string failure(const std::function<void()>& call) { return TestSupport::failure<DBKernel::DatabaseError>(call); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(Failure, MessagesNameTheStatementAndTheDatabasesReason) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();

    const std::string malformed = "selec sNazwa form towar";
    auto message = failure([&] { OpenedQuery query(malformed, session); });
    EXPECT_TRUE(contains(message, malformed)) << message;
    EXPECT_TRUE(contains(message, "syntax error")) << message;

    const std::string missing = "update cennik set cena = 1";
    message = failure([&] { Command(missing, session).execute(); });
    EXPECT_TRUE(contains(message, missing)) << message;
    const std::string noTable = TestSupport::onServer() ? "relation \"cennik\" does not exist" : "no such table: cennik";
    EXPECT_TRUE(contains(message, noTable)) << message;
}

TEST(Failure, ABusyOrReadOnlyStoreFailsAWriteNamingTheStatementAndTellsTheUserInPolish) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder holder = TSessionHolder::open();
    addProduct(holder, 1, "Mleko");
    DBKernel::SessionOptions readOnly;
    readOnly.readOnly = true;
    TSessionHolder reader = TSessionHolder::open(readOnly);
    TSessionHolder other = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::milliseconds(20)});
    holder.StartTransaction();
    addProduct(holder, 2, "Chleb");
    Command("update towar set sNazwa = 'Mleko' where lTowarRef = 1", holder).execute();

    // Waits out the busy timeout: SQLite's writer holds the whole store, a server the rows written.
    const std::string write = "update towar set sNazwa = 'Kefir' where lTowarRef = 1";
    const auto message = failure([&] { Command(write, other).execute(); });
    EXPECT_TRUE(contains(message, write)) << message;
    EXPECT_EQ(TestSupport::toldUser([&] { Command(write, other).execute(); }),
              "Sklep jest zajęty: inne polecenie towary zapisuje teraz w jego bazie danych. Poczekaj, aż się "
              "zakończy, i spróbuj ponownie.");
    if (!TestSupport::onServer()) {
        EXPECT_TRUE(contains(failure([&] { other.StartTransaction(); }), "database is locked"));
        EXPECT_FALSE(other.InTransaction());
    }
    EXPECT_EQ(count(other, "towar"), 1) << "readers go on while a session writes";
    holder.Commit();
    EXPECT_EQ(Command(write, other).execute(), 1);

    EXPECT_EQ(count(reader, "towar"), 2) << "a store opened for reading is read";
    const std::string readOnlyMessage = TestSupport::onServer()
                                            ? "Bazę danych sklepu na serwerze "
                                            : "Sklep można tylko czytać: brak uprawnień do zapisu";
    const std::string refused =
        TestSupport::toldUser([&] { Command("update towar set sNazwa = 'Kefir'", reader).execute(); });
    EXPECT_EQ(refused.rfind(readOnlyMessage, 0), 0u) << refused;
    EXPECT_EQ(TestSupport::toldUser([] { throw std::runtime_error("Tekst modułu."); }), "Tekst modułu.");
}

TEST(Failure, AProcessKilledInATransactionLeavesTheStoreReadableAndUnchanged) {
    if (TestSupport::onServer())
        GTEST_SKIP() << "the database file's integrity is SQLite's; a killed workstation is a server test";
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    addProduct(TSessionHolder::open(), 1, "Mleko");
    TestSupport::ChildProcess writer(STORE_WORKER, {store.path().string(), "6000"});
    ASSERT_EQ(writer.line(), "written\n") << "the writer did not reach the middle of its transaction";
    EXPECT_EQ(writer.kill().exitCode, 128 + SIGKILL);

    TSessionHolder session = TSessionHolder::open();
    EXPECT_EQ(count(session, "towar"), 1);
    OpenedQuery name("select sNazwa from towar where lTowarRef = 1", session);
    EXPECT_EQ(name["sNazwa"].asString(), "Mleko");
    session.StartTransaction();  // the killed writer's lock is gone
    addProduct(session, 2, "Chleb");
    session.Commit();

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(Core::Store::databaseFile().c_str(), &raw), SQLITE_OK);
    DBKernel::Dialect::registerFunctions(raw);  // the functions the store's indexes are built on
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw, "pragma integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(raw);
}
