#include "Core/Database/StoreDatabase.h"

#include "Core/Database/Backend/SqliteConnection.h"
#include "Core/Database/DatabaseError.h"
#include "Core/Database/Schema.h"

#include <stdexcept>
#include <string>

namespace DBKernel::StoreDatabase {

void create(const std::filesystem::path& file) {
    if (std::filesystem::exists(file)) throw std::runtime_error("Baza danych sklepu już istnieje: " + file.string());
    const auto connection = Backend::openSqlite(file, Backend::ConnectionOptions{}, true);
    upgrade(*connection);
}

void upgrade(Backend::Connection& connection) {
    const auto migrations = Schema::migrations();
    const int latest = migrations.empty() ? 0 : migrations.back().number;
    const auto newer = [latest](int version) {
        return std::runtime_error("Schemat bazy danych sklepu (wersja " + std::to_string(version) +
                                  ") jest nowszy niż ten program (wersja " + std::to_string(latest) +
                                  "); potrzebna jest nowsza wersja programu.");
    };
    if (const int version = connection.schemaVersion(); version == latest) return;
    else if (version > latest) throw newer(version);

    connection.begin(true);
    try {
        // Another process may have upgraded the store while this one waited for the lock.
        const int version = connection.schemaVersion();
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

}  // namespace DBKernel::StoreDatabase
