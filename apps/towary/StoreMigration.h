#pragma once
// Moving a store from its database file onto a PostgreSQL server, for a store
// that grows from one workstation to several: `towary migrate DIR --to URI`.

#include <cstdint>
#include <string>

namespace Towary::Host {

struct MigrationCounts {
    std::int64_t tables = 0;
    std::int64_t rows = 0;
};

// Copies every row of the store in Core::Store::directory() (its database
// file, brought up to this build's schema first) into the server's database,
// which must hold no store yet (it gets the schema first), in one transaction
// of the server, holding the file's write lock. Before the lock goes, every
// table of the file refuses writes (a process that opened it earlier is told
// the store moved) and the store names the server (DIR/baza.toml); then the
// file is renamed to towary.db.przeniesiona. Refuses a store already on a
// server, and a table of the file the server's schema lacks.
MigrationCounts migrateStoreToServer(const std::string& server);

}  // namespace Towary::Host
