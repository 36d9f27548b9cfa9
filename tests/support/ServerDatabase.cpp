#include "tests/support/ServerDatabase.h"

#include "Core/Database/Backend/PostgresConnection.h"
#include "Core/Database/DatabaseLocation.h"
#include "Core/Database/StoreDatabase.h"

#include <unistd.h>

#include <cstdlib>
#include <mutex>

namespace TestSupport {
namespace {

constexpr const char* kStoreTemplate = "towary_test_store";

std::unique_ptr<DBKernel::Backend::Connection> administration() {
    return DBKernel::Backend::openPostgres("dbname=postgres", "postgres", DBKernel::Backend::ConnectionOptions{});
}

// Makes the template once for the whole run. The run's test processes take
// turns under a server-wide lock; the template appears under its name only
// when complete, so a process killed halfway leaves nothing another would copy.
void makeStoreTemplate() {
    const auto connection = administration();
    connection->runScript("select pg_advisory_lock(4712)");
    if (!connection->prepare(std::string("select 1 from pg_database where datname = '") + kStoreTemplate + "'")->start()) {
        const std::string building = std::string(kStoreTemplate) + "_" + std::to_string(::getpid());
        // Each on its own: the server refuses either inside a transaction, which a script of two is.
        connection->runScript("drop database if exists " + building + " with (force)");
        connection->runScript("create database " + building + " template template0 encoding 'UTF8' locale 'C'");
        DBKernel::StoreDatabase::create(DBKernel::DatabaseLocation::server("dbname=" + building));
        connection->runScript("alter database " + building + " rename to " + kStoreTemplate);
    }
    connection->runScript("select pg_advisory_unlock(4712)");
}

}  // namespace

bool onServer() {
    const char* flag = std::getenv("TOWARY_TEST_POSTGRESQL");
    return flag != nullptr && *flag != '\0';
}

ServerDatabase::ServerDatabase(Contents contents) {
    static unsigned long made = 0;
    name_ = "towary_test_" + std::to_string(::getpid()) + "_" + std::to_string(++made);
    if (contents == withStoreSchema) {
        static std::once_flag storeTemplate;
        std::call_once(storeTemplate, makeStoreTemplate);
    }
    administration()->runScript("create database " + name_ + " template " +
                                (contents == withStoreSchema ? kStoreTemplate : "template0") +
                                " encoding 'UTF8' locale 'C'");
    connection_ = "dbname=" + name_;
}

ServerDatabase::~ServerDatabase() {
    try {
        administration()->runScript("drop database if exists " + name_ + " with (force)");
    } catch (...) {
        // The server goes with the test run; a database left on it harms no other test.
    }
}

}  // namespace TestSupport
