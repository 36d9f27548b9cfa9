#pragma once
// A fresh store directory under the system's temporary directory, removed
// with its contents when the object goes out of scope; with a new store
// database in it when asked for. On the PostgreSQL run of the suite the store
// gets a database of its own on the test server, which it names in its
// directory (DIR/baza.toml) when it is made with one.

#include "tests/support/ServerDatabase.h"

#include <filesystem>
#include <memory>
#include <string>

namespace TestSupport {

class TempStore {
public:
    enum Contents { directoryOnly, withDatabase };

    // Makes the directory (and the database) and sets it as the process's current store.
    explicit TempStore(Contents contents = directoryOnly);
    ~TempStore();
    TempStore(const TempStore&) = delete;
    TempStore& operator=(const TempStore&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The libpq connection text of the store's database on the test server; "" on the SQLite run.
    std::string server() const { return server_ ? server_->connection() : std::string(); }

private:
    std::filesystem::path path_;
    std::unique_ptr<ServerDatabase> server_;
};

}  // namespace TestSupport
