#include "tests/support/ServerDatabase.h"

#include "Core/Database/Backend/PostgresConnection.h"

#include <unistd.h>

#include <cstdlib>

namespace TestSupport {
namespace {

std::unique_ptr<DBKernel::Backend::Connection> administration() {
    return DBKernel::Backend::openPostgres("dbname=postgres", "postgres", DBKernel::Backend::ConnectionOptions{});
}

}  // namespace

bool onServer() {
    const char* flag = std::getenv("TOWARY_TEST_POSTGRESQL");
    return flag != nullptr && *flag != '\0';
}

ServerDatabase::ServerDatabase() {
    static unsigned long made = 0;
    name_ = "towary_test_" + std::to_string(::getpid()) + "_" + std::to_string(++made);
    administration()->runScript("create database " + name_ + " template template0 encoding 'UTF8' locale 'C'");
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
