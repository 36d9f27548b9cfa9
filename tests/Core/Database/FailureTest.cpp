#include "tests/support/ChildProcess.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <chrono>
#include <csignal>
#include <string>

using TestSupport::exec;
using Failure = TestSupport::StoreSession;

namespace {

// The message of the database's failure, checked to name the statement.
std::string failure(const std::string& statement, const TSessionHolder& session) {
    const auto message = TestSupport::failure<DBKernel::DatabaseError>([&] { exec(session, statement); });
    EXPECT_NE(message.find(statement), std::string::npos) << message;
    return message;
}

}  // namespace

TEST_F(Failure, MessagesNameTheStatementAndReasonABusyOrReadOnlyStoreIsToldInPolishAndAKilledWriterLeavesNothing) {
    EXPECT_NE(failure("selec sNazwa form towar", session).find("syntax error"), std::string::npos);

    TestSupport::addProduct(session, 1, "Mleko");
    TSessionHolder reader = TSessionHolder::open(DBKernel::SessionOptions{.readOnly = true});
    TSessionHolder other = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::milliseconds(20)});
    session.StartTransaction();
    TestSupport::addProduct(session, 2, "Chleb");
    exec(session, "update towar set sNazwa = 'Mleko' where lTowarRef = 1");

    // Waits out the busy timeout: SQLite's writer holds the whole store, a server the rows written.
    const std::string write = "update towar set sNazwa = 'Kefir' where lTowarRef = 1";
    failure(write, other);
    EXPECT_EQ(TestSupport::toldUser([&] { exec(other, write); }),
              "Sklep jest zajęty: inne polecenie towary zapisuje teraz w jego bazie danych. Poczekaj, aż się "
              "zakończy, i spróbuj ponownie.");
    if (!TestSupport::onServer()) {
        EXPECT_NE(TestSupport::failure([&] { other.StartTransaction(); }).find("database is locked"),
                  std::string::npos);
        EXPECT_FALSE(other.InTransaction());
    }
    EXPECT_EQ(TestSupport::count(other, "towar"), 1) << "readers go on while a session writes";
    session.Commit();
    EXPECT_EQ(TestSupport::changed(other, write), 1);

    EXPECT_EQ(TestSupport::count(reader, "towar"), 2) << "a store opened for reading is read";
    const std::string refused = TestSupport::toldUser([&] { exec(reader, "update towar set sNazwa = 'Kefir'"); });
    EXPECT_EQ(refused.rfind(TestSupport::onServer() ? "Bazę danych sklepu na serwerze "
                                                    : "Sklep można tylko czytać: brak uprawnień do zapisu",
                            0),
              0u)
        << refused;
    EXPECT_EQ(TestSupport::toldUser([] { throw std::runtime_error("Tekst modułu."); }), "Tekst modułu.");

    // A process killed in a transaction leaves the store unchanged and its locks go. The store_worker adds rows,
    // renames the products and locks code 11's row in a transaction it never ends.
    TestSupport::addCode(session, 11, 1, "5900000000011");
    TestSupport::ChildProcess writer(STORE_WORKER, {store.path().string(), "6000"});
    ASSERT_EQ(writer.line(), "written\n") << "the writer did not reach the middle of its transaction";
    EXPECT_EQ(writer.kill().exitCode, 128 + SIGKILL);

    EXPECT_EQ(TestSupport::rows(session, "select sNazwa from towar order by lTowarRef"), "Kefir\nChleb\n");
    // Waiting (up to the busy timeout): a server ends the killed session as soon as it reads the closed socket.
    EXPECT_EQ(TestSupport::value(session, "select lPluRef from plu where lPluRef = 11 for update"), "11")
        << "the killed writer's lock went with it";
    TestSupport::addProduct(session, 3, "Masło");
    session.Commit();
    if (!TestSupport::onServer()) {
        EXPECT_EQ(TestSupport::value(session, "pragma integrity_check"), "ok");
    }
}
