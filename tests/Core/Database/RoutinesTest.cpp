#include "Core/Database/Sql.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <stdexcept>
#include <string>

using DBKernel::Sql::FieldType;
using DBKernel::Sql::ParamDirection;
using TestSupport::addProduct;
using TestSupport::count;
using TestSupport::value;

namespace {

// The store's routines and a few of the tests' own, served by the sessions
// the fixture opens.
class Routines : public ::testing::Test {
protected:
    Routines() : routines(DBKernel::Routines::store()) {
        routines.addFunction("Generatory.podwojona", 1, [](TSessionHolder&, std::span<const DBKernel::Value> arguments) {
            return DBKernel::Value(2 * DBKernel::toInt64(arguments[0]));
        });
        routines.addFunction("dopiszTowar", 1, [](TSessionHolder& caller, std::span<const DBKernel::Value> arguments) {
            addProduct(caller, DBKernel::toInt64(arguments[0]), "z funkcji");
            return DBKernel::Value(caller.InTransaction() ? std::int64_t{1} : std::int64_t{0});
        });
        routines.addProcedure("Towary.Dopisz", [](DBKernel::ProcedureCall& call) {
            const auto name = DBKernel::toString(call.in("nazwa"));
            addProduct(call.session(), DBKernel::toInt64(call.in("id")), name);
            if (name == "błąd") throw std::runtime_error("procedura odmówiła");
            call.out("dlugosc", static_cast<double>(name.size()));
            call.out("result", std::int64_t{1});
            call.out("niezadeklarowany", std::int64_t{5});
        });
    }

    void SetUp() override {
        // A server runs only the functions its routines script defines; the tests' own are served by SQLite alone.
        if (TestSupport::onServer()) GTEST_SKIP() << "functions served by the layer are SQLite's";
        session = TSessionHolder(
            DBKernel::Session::open(Core::Store::databaseFile(), DBKernel::SessionOptions{.routines = &routines}));
    }

    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    DBKernel::Routines routines;
    TSessionHolder session;
};

}  // namespace

TEST_F(Routines, FunctionsAndProceduresRunOnTheCallersTransactionAndFailWithIt) {
    EXPECT_EQ(value(session, "select Generatory.Podwojona(21) from dual"), "42")
        << "a routine of a package, called by its qualified name";
    session.StartTransaction();
    EXPECT_EQ(value(session, "select dopiszTowar(7) from dual"), "1")
        << "the function ran inside the caller's transaction";
    EXPECT_EQ(count(session, "towar"), 1);
    session.Rollback();
    EXPECT_EQ(count(session, "towar"), 0) << "and its write went with it";

    value(session, "select dopiszTowar(7) from dual");
    const auto again = [&] { value(session, "select dopiszTowar(7) from dual"); };
    const std::string text = TestSupport::failure<DBKernel::DatabaseError>(again);
    EXPECT_EQ(text.rfind("Błąd bazy danych: ", 0), 0u) << text;
    EXPECT_EQ(text.find("Błąd bazy danych: ", 1), std::string::npos) << "not doubled: " << text;
    EXPECT_EQ(
        TestSupport::caught<DBKernel::DatabaseError>(again, [](const auto& e) { return std::to_string(e.code()); }),
        std::to_string(SQLITE_CONSTRAINT_PRIMARYKEY));
    EXPECT_EQ(TestSupport::toldUser(again),
              "Zapis odrzucony: w sklepie jest już wiersz o tej samej wartości "
              "(towar.lTowarRef), a może być tylko jeden. Nic nie zapisano.");

    // Procedures take their declared inputs and give back outputs; a failing one leaves nothing of its writes.
    DBKernel::Sql::Procedure procedure("TOWARY.dopisz", session);  // names are found without regard to case
    procedure.param("result", ParamDirection::Result, FieldType::Float);
    procedure.param("nazwa", ParamDirection::Input, FieldType::String);
    procedure.param("id", ParamDirection::Input, FieldType::Integer);
    procedure.param("dlugosc", ParamDirection::Output, FieldType::Integer);
    procedure.param("nazwa") = "Mleko";
    procedure.param("ID") = 5;
    procedure.prepared(true);
    procedure.execute();
    EXPECT_EQ(procedure.param("dlugosc").value(), DBKernel::Value(std::int64_t{5})) << "converted to the declared type";
    EXPECT_EQ(procedure.param("result").value(), DBKernel::Value(1.0));
    EXPECT_EQ(count(session, "towar"), 2) << "beside the function's product 7";

    EXPECT_THROW(procedure.param("niezadeklarowany"), std::logic_error);
    EXPECT_THROW(DBKernel::Sql::Procedure("Towary.Nieznana", session), std::runtime_error);

    DBKernel::Sql::Procedure lacking("Towary.Dopisz", session);
    lacking.param("nazwa", ParamDirection::Input, FieldType::String) = "Chleb";
    const std::string undeclared = TestSupport::failure<std::runtime_error>([&] { lacking.execute(); });
    EXPECT_NE(undeclared.find("id"), std::string::npos) << "an input the procedure needs: " << undeclared;

    // The caller's transaction goes on.
    session.StartTransaction();
    addProduct(session, 1, "przed");
    procedure.param("nazwa") = "błąd";
    procedure.param("id") = 2;
    EXPECT_THROW(procedure.execute(), std::runtime_error);
    EXPECT_TRUE(session.InTransaction());
    EXPECT_EQ(count(session, "towar"), 3) << "the procedure's own insert is undone";
    session.Commit();
    EXPECT_THROW(procedure.execute(), std::runtime_error) << "outside a transaction too";
    EXPECT_FALSE(session.InTransaction());
    EXPECT_EQ(count(session, "towar"), 3);
}
