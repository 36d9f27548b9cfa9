#include "Core/Database/StoreDatabase.h"

#include "Core/Database/Backend/SqliteConnection.h"
#include "Core/Database/DatabaseError.h"
#include "Core/Database/Schema.h"

#include <sqlite3.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace DBKernel::StoreDatabase {
namespace {

const std::string kWhatToDo =
    " Przywróć kopię bazy danych sklepu albo załóż nowy sklep poleceniem towary init w nowym katalogu.";

std::runtime_error notAStore(const std::filesystem::path& file, const std::string& why) {
    return std::runtime_error("Plik " + file.string() + " nie jest bazą danych sklepu: " + why + "." + kWhatToDo);
}

std::set<std::string> tablesOf(Backend::Connection& connection) {
    const auto query = connection.prepare("select name from sqlite_master where type = 'table'");
    std::set<std::string> names;
    for (bool row = query->start(); row; row = query->step()) names.insert(std::get<std::string>(query->column(0)));
    return names;
}

// The tables the whole schema makes, read once from a schema made in memory.
const std::set<std::string>& schemaTables() {
    static const std::set<std::string> tables = [] {
        const auto connection = Backend::openSqlite(":memory:", Backend::ConnectionOptions{}, true);
        for (const auto& migration : Schema::migrations()) connection->runScript(std::string(migration.script));
        return tablesOf(*connection);
    }();
    return tables;
}

// From `version` up: the migrations the database lacks, in one transaction.
void migrate(Backend::Connection& connection, int version) {
    const auto migrations = Schema::migrations();
    const int latest = migrations.back().number;
    const auto newer = [latest](int found) {
        return std::runtime_error("Schemat bazy danych sklepu (wersja " + std::to_string(found) +
                                  ") jest nowszy niż ten program (wersja " + std::to_string(latest) +
                                  "); potrzebna jest nowsza wersja programu.");
    };
    if (version == latest) return;
    if (version > latest) throw newer(version);

    connection.begin(true);
    try {
        // Another process may have upgraded the store while this one waited for the lock.
        version = connection.schemaVersion();
        if (version > latest) throw newer(version);
        for (const auto& migration : migrations) {
            if (migration.number <= version) continue;
            try {
                connection.runScript(std::string(migration.script));
            } catch (const DatabaseError& e) {
                throw DatabaseError("migracja schematu " + std::string(migration.name), e.reason());
            }
        }
        connection.setSchemaVersion(latest);
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

}  // namespace

void create(const std::filesystem::path& file) {
    if (std::filesystem::exists(file)) throw std::runtime_error("Baza danych sklepu już istnieje: " + file.string());
    const auto connection = Backend::openSqlite(file, Backend::ConnectionOptions{}, true);
    migrate(*connection, 0);
}

std::unique_ptr<Backend::Connection> open(const std::filesystem::path& file, const Backend::ConnectionOptions& options) {
    // The file is told by its size and by SQLite, never read through a
    // descriptor of this process's own: closing one would drop every lock the
    // process's connections hold on the file (POSIX locks belong to the
    // process), and another process could then take the write-ahead log away
    // from under their commits.
    std::error_code error;
    if (std::filesystem::file_size(file, error) == 0 && !error) throw notAStore(file, "plik jest pusty");
    try {
        auto connection = Backend::openSqlite(file, options, false);
        // A read-only open reads nothing yet; the first page tells a database from any other file.
        connection->schemaVersion();
        return connection;
    } catch (const DatabaseError& e) {
        if ((e.code() & 0xFF) == SQLITE_NOTADB) throw notAStore(file, "to nie jest plik bazy danych");
        throw;
    }
}

void upgrade(Backend::Connection& connection, const std::filesystem::path& file) {
    // A database no build made: no migration of the store's schema was ever applied to it.
    const int version = connection.schemaVersion();
    if (version == 0) throw notAStore(file, "baza nie ma schematu sklepu");
    migrate(connection, version);
    const auto present = tablesOf(connection);
    std::string missing;
    for (const auto& table : schemaTables())
        if (!present.contains(table)) missing += (missing.empty() ? "" : ", ") + table;
    if (!missing.empty()) throw incomplete(file, "brak tabel " + missing);
}

std::runtime_error incomplete(const std::filesystem::path& file, const std::string& what) {
    return std::runtime_error("Baza danych sklepu " + file.string() + " jest niekompletna: " + what + "." + kWhatToDo);
}

std::runtime_error emptyList(const std::filesystem::path& file, std::string_view table, std::string_view what) {
    return incomplete(file, "nie ma " + std::string(what) + " (tabela " + std::string(table) + " jest pusta)");
}

}  // namespace DBKernel::StoreDatabase
