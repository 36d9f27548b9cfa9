#pragma once
// The PostgreSQL engine as Core reaches it: a library of its own
// (libCorePostgres.so, beside libCore.so) loaded when a store first names a
// server. libpq brings Kerberos, LDAP and GnuTLS with it, whose loading cost
// every command about half of its start-up although most stores are a file.

#include "Core/Database/Backend/Backend.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace DBKernel::Backend {

struct ServerEngine {
    // openPostgres (PostgresConnection.h).
    std::unique_ptr<Connection> (*open)(const std::string& connection, const std::string& shown,
                                        const ConnectionOptions& options);
    // libpq's reading of a connection text: each keyword that has a value,
    // with it; std::nullopt when the text is no connection text.
    std::optional<std::vector<std::pair<std::string, std::string>>> (*parse)(const std::string& connection);
};

// The engine, loaded on the first call. Throws, in Polish, when its library
// cannot be loaded.
const ServerEngine& serverEngine();

}  // namespace DBKernel::Backend

// What the engine's library gives Core, found by name.
extern "C" const DBKernel::Backend::ServerEngine* towaryServerEngine();
