#include "bench/BarePostgres.h"

#include "Core/Database/DatabaseLocation.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace Bench {

bool serverNamed() {
    const char* database = std::getenv("PGDATABASE");
    return database != nullptr && *database != '\0';
}

ServerStore::ServerStore() {
    DBKernel::writeServerFile(directory_.path(), database_.connection());
    DBKernel::StoreDatabase::create(DBKernel::DatabaseLocation::ofStore(directory_.path()));
}

void ServerStore::use() const { Core::Store::setDirectory(directory_.path()); }

std::int64_t integerAt(const PGresult* result, int row, int column) {
    const char* text = PQgetvalue(result, row, column);
    std::int64_t value = 0;
    std::from_chars(text, text + PQgetlength(result, row, column), value);
    return value;
}

double numberAt(const PGresult* result, int row, int column) {
    const char* text = PQgetvalue(result, row, column);
    double value = 0;
    std::from_chars(text, text + PQgetlength(result, row, column), value);
    return value;
}

std::string textAt(const PGresult* result, int row, int column) {
    return std::string(PQgetvalue(result, row, column), static_cast<std::size_t>(PQgetlength(result, row, column)));
}

BarePostgres::BarePostgres(const ServerStore& store) : connection_(PQconnectdb(store.connection().c_str())) {
    if (PQstatus(connection_) != CONNECTION_OK) {
        const std::string message = PQerrorMessage(connection_);
        PQfinish(connection_);
        throw std::runtime_error(message);
    }
}

BarePostgres::~BarePostgres() { PQfinish(connection_); }

void BarePostgres::prepare(const char* name, const std::string& sql, int parameters) {
    const Result result(PQprepare(connection_, name, sql.c_str(), parameters, nullptr));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) throw std::runtime_error(PQerrorMessage(connection_));
}

Result BarePostgres::run(const char* name, int count, const char* const* values) {
    Result result(PQexecPrepared(connection_, name, count, values, nullptr, nullptr, 0));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) throw std::runtime_error(PQerrorMessage(connection_));
    return result;
}

}  // namespace Bench
