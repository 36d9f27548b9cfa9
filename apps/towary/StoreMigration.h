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
// which must hold no store yet, in one transaction of the server: the copy is
// whole or nothing is on the server. Then the store names the server
// (DIR/baza.toml) and its file is renamed to towary.db.przeniesiona, so that
// no workstation goes on with the old copy. Refuses a store already on a server.
MigrationCounts migrateStoreToServer(const std::string& server);

}  // namespace Towary::Host
