#pragma once
// Where a store's database lives: an SQLite file in the store directory
// (DIR/towary.db, one workstation), or a database on a PostgreSQL server, which
// the store names in DIR/baza.toml (several workstations). The server file is
// apart from the settings file because its connection text may hold a password:
// `towary init` makes it readable by its owner only.

#include <filesystem>
#include <string>

namespace DBKernel {

class DatabaseLocation {
public:
    // A database file (implicit: most code names a store database by its file).
    DatabaseLocation(std::filesystem::path file);  // NOLINT(google-explicit-constructor)
    // A database on a PostgreSQL server: libpq's connection text, a URI
    // ("postgresql://user@host/database") or "key=value" pairs.
    static DatabaseLocation server(std::string connection);
    // The location of the store in the directory: the server DIR/baza.toml
    // names, else DIR/towary.db. Throws, in Polish, on a baza.toml it cannot read.
    static DatabaseLocation ofStore(const std::filesystem::path& directory);
    // The current store's (Core::Store::directory()), read once per directory.
    static const DatabaseLocation& current();

    bool onServer() const { return onServer_; }
    const std::filesystem::path& file() const { return file_; }
    const std::string& connection() const { return connection_; }
    // For messages and logs: the file, or the connection text without its password.
    std::string text() const;

    friend bool operator==(const DatabaseLocation&, const DatabaseLocation&) = default;

private:
    DatabaseLocation() = default;

    bool onServer_ = false;
    std::filesystem::path file_;
    std::string connection_;
};

// DIR/baza.toml: the store's database server, when it has one.
std::filesystem::path serverFileOf(const std::filesystem::path& directory);

// Writes DIR/baza.toml naming the server (readable by its owner only), whole or not at all.
void writeServerFile(const std::filesystem::path& directory, const std::string& connection);

}  // namespace DBKernel
