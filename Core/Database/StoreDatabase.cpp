#include "Core/Database/StoreDatabase.h"

#include "Core/Database/Backend/ServerEngine.h"
#include "Core/Database/Backend/SqliteConnection.h"
#include "Core/Database/DatabaseError.h"
#include "Core/Database/Schema.h"
#include "Core/tools/IgnoringCase.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace DBKernel::StoreDatabase {
namespace {

const std::string kWhatToDo =
    " Przywróć kopię bazy danych sklepu albo załóż nowy sklep poleceniem towary init w nowym katalogu.";

std::runtime_error notAStore(const DatabaseLocation& location, const std::string& why) {
    return std::runtime_error((location.onServer() ? "Baza danych " : "Plik ") + location.text() +
                              " nie jest bazą danych sklepu: " + why + "." + kWhatToDo);
}

// Table names compared without regard to case: the server folds them to lower case.
std::set<std::string> tablesOf(Backend::Connection& connection) {
    std::set<std::string> names;
    for (const auto& name : connection.tableNames()) names.insert(Core::lowerAscii(name));
    return names;
}

// The tables a script creates: the names after "create table [if not exists]".
void addTablesCreatedBy(std::string_view script, std::set<std::string>& names) {
    std::istringstream words(Core::lowerAscii(script));
    std::string previous;
    std::string word;
    bool nameNext = false;
    while (words >> word) {
        if (nameNext && (word == "if" || word == "not" || word == "exists")) continue;
        if (nameNext) {
            const auto end = std::find_if(word.begin(), word.end(), [](char c) {
                return std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_';
            });
            names.emplace(word.begin(), end);
        }
        nameNext = previous == "create" && word == "table";
        previous = word;
    }
}

}  // namespace

const std::set<std::string>& schemaTables() {
    // Read from the scripts' text: making the schema in memory to list them cost
    // every process that opened a store about 5 ms of its start. No migration
    // drops or renames a table.
    static const std::set<std::string> tables = [] {
        std::set<std::string> names;
        for (const auto& migration : Schema::migrations()) addTablesCreatedBy(migration.script, names);
        return names;
    }();
    return tables;
}

namespace {

std::span<const Schema::Migration> migrationsFor(const DatabaseLocation& location) {
    return location.onServer() ? Schema::postgresqlMigrations() : Schema::migrations();
}

// The server keeps the version of the routines it runs, so that workstations
// on two builds do not define their routines over each other's: a build
// defines its own only over older ones, and refuses a server's newer ones.
constexpr const char* kRoutinesTable = "towary_routines_version";

// `tables`: the database's, as tablesOf gives them. 0: none recorded.
int routinesVersion(Backend::Connection& connection, const std::set<std::string>& tables) {
    if (!tables.contains(kRoutinesTable)) return 0;
    const auto query = connection.prepare(std::string("select max(version) from ") + kRoutinesTable);
    if (!query->start()) return 0;
    const auto version = query->column(0);
    return std::holds_alternative<std::int64_t>(version) ? static_cast<int>(std::get<std::int64_t>(version)) : 0;
}

// Whether the server runs routines older than this build's; refuses newer ones.
bool routinesOutdated(Backend::Connection& connection, const std::set<std::string>& tables,
                      const DatabaseLocation& location) {
    const int ours = Schema::postgresqlRoutinesVersion();
    const int found = routinesVersion(connection, tables);
    if (found > ours)
        throw std::runtime_error("Funkcje bazy danych sklepu na serwerze " + location.text() + " (wersja " +
                                 std::to_string(found) + ") są nowsze niż funkcje tego programu (wersja " +
                                 std::to_string(ours) + "); potrzebna jest nowsza wersja programu.");
    return found < ours;
}

void defineRoutines(Backend::Connection& connection) {
    connection.runScript(std::string(Schema::postgresqlRoutines()));
    // The digest an earlier build kept in towary_routines gives way to the version.
    connection.runScript(std::string("drop table if exists towary_routines; create table if not exists ") +
                         kRoutinesTable + " (version integer not null); delete from " + kRoutinesTable +
                         "; insert into " + kRoutinesTable + " values (" +
                         std::to_string(Schema::postgresqlRoutinesVersion()) + ")");
}

// How long a server's upgrade waits for another workstation's upgrade, or for a table it alters.
constexpr const char* kUpgradeWait = "5min";

std::runtime_error newerSchema(int found, int latest) {
    return std::runtime_error("Schemat bazy danych sklepu (wersja " + std::to_string(found) +
                              ") jest nowszy niż ten program (wersja " + std::to_string(latest) +
                              "); potrzebna jest nowsza wersja programu.");
}

// From `version` (0: none, a store being made) up, inside the caller's
// transaction: the migrations the database lacks, and a server's routines
// when they are older than this build's.
void applyMigrations(Backend::Connection& connection, int version, const DatabaseLocation& location) {
    const auto migrations = migrationsFor(location);
    const int latest = migrations.back().number;
    // Workstations upgrading one server at once take turns here; on a file
    // the transaction's write lock does the same. An upgrade waits for another's
    // to end, and for the tables it alters, longer than a statement waits for a row.
    if (location.onServer())
        connection.runScript(std::string("set local lock_timeout = '") + kUpgradeWait +
                             "'; select pg_advisory_xact_lock(4711)");
    // Another process may have made or upgraded the store while this one waited for the lock.
    const bool creating = version == 0;
    version = connection.schemaVersion();
    if (creating && version != 0) throw std::runtime_error("Baza danych sklepu już istnieje: " + location.text());
    if (version > latest) throw newerSchema(version, latest);
    for (const auto& migration : migrations) {
        if (migration.number <= version) continue;
        try {
            connection.runScript(std::string(migration.script));
        } catch (const DatabaseError& e) {
            throw DatabaseError("migracja schematu " + std::string(migration.name), e.reason());
        }
    }
    if (version != latest) connection.setSchemaVersion(latest);
    if (location.onServer() && routinesOutdated(connection, tablesOf(connection), location)) defineRoutines(connection);
}

// The same in a transaction of its own, when the database lacks any of it.
// `tables`: the database's before. False when it had nothing to do.
bool migrate(Backend::Connection& connection, int version, const DatabaseLocation& location,
             const std::set<std::string>& tables) {
    const int latest = migrationsFor(location).back().number;
    if (version > latest) throw newerSchema(version, latest);
    if (version == latest && (!location.onServer() || !routinesOutdated(connection, tables, location))) return false;
    connection.begin(true);
    try {
        applyMigrations(connection, version, location);
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
    return true;
}

std::unique_ptr<Backend::Connection> connect(const DatabaseLocation& location, const Backend::ConnectionOptions& options) {
    return Backend::serverEngine().open(location.connection(), location.text(), options);
}

}  // namespace

void create(const DatabaseLocation& location) {
    if (location.onServer()) {
        const auto connection = connect(location, Backend::ConnectionOptions{});
        if (connection->schemaVersion() != 0)
            throw std::runtime_error("Baza danych sklepu już istnieje: " + location.text());
        migrate(*connection, 0, location, {});
        return;
    }
    const auto& file = location.file();
    if (std::filesystem::exists(file)) throw std::runtime_error("Baza danych sklepu już istnieje: " + file.string());
    const auto connection = Backend::openSqlite(file, Backend::ConnectionOptions{}, true);
    migrate(*connection, 0, location, {});
}

void createIn(Backend::Connection& connection, const DatabaseLocation& location) {
    applyMigrations(connection, 0, location);
}

std::unique_ptr<Backend::Connection> open(const DatabaseLocation& location, const Backend::ConnectionOptions& options) {
    if (location.onServer()) return connect(location, options);
    // The file is told by its size and by SQLite, never read through a
    // descriptor of this process's own: closing one would drop every lock the
    // process's connections hold on the file (POSIX locks belong to the
    // process), and another process could then take the write-ahead log away
    // from under their commits.
    const auto& file = location.file();
    if (!std::filesystem::is_regular_file(file))
        throw std::runtime_error("Brak bazy danych sklepu: " + file.string() + ".");
    std::error_code error;
    if (std::filesystem::file_size(file, error) == 0 && !error) throw notAStore(location, "plik jest pusty");
    try {
        auto connection = Backend::openSqlite(file, options, false);
        // A read-only open reads nothing yet; the first page tells a database from any other file.
        connection->schemaVersion();
        return connection;
    } catch (const DatabaseError& e) {
        if ((e.code() & 0xFF) == SQLITE_NOTADB) throw notAStore(location, "to nie jest plik bazy danych");
        throw;
    }
}

void upgrade(Backend::Connection& connection, const DatabaseLocation& location) {
    // A database no build made: no migration of the store's schema was ever applied to it.
    const int version = connection.schemaVersion();
    if (version == 0) throw notAStore(location, "baza nie ma schematu sklepu");
    // Read once: a store already current (nearly every open) lists its tables for nothing else.
    auto present = tablesOf(connection);
    if (migrate(connection, version, location, present)) present = tablesOf(connection);
    std::string missing;
    for (const auto& table : schemaTables()) {
        // A server's id pool is a sequence, not the generator's table.
        if (location.onServer() && table == "refgenerator") continue;
        if (!present.contains(table)) missing += (missing.empty() ? "" : ", ") + table;
    }
    if (!missing.empty()) throw incomplete(location, "brak tabel " + missing);
}

std::runtime_error incomplete(const DatabaseLocation& location, const std::string& what) {
    return std::runtime_error("Baza danych sklepu " + location.text() + " jest niekompletna: " + what + "." +
                              kWhatToDo);
}

std::runtime_error emptyList(const DatabaseLocation& location, std::string_view table, std::string_view what) {
    return incomplete(location, "nie ma " + std::string(what) + " (tabela " + std::string(table) + " jest pusta)");
}

}  // namespace DBKernel::StoreDatabase
