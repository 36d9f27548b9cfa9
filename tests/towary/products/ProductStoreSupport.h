#pragma once
// A temporary store as the towary host makes it (settings and database), set
// as the process's current store, and the helpers the product file and
// generator tests share. Code that reads settings needs a
// Core::SetupRegistration beside it (one at a time).

#include <filesystem>
#include <string>
#include <vector>

#include "Core/Database/TSessionHolder.h"
#include "Core/Database/Value.h"
#include "tests/support/TempStore.h"

namespace ProductTest {

class Store {
public:
    Store();
    const std::filesystem::path& path() const { return temp_.path(); }
    // Writes a file in the store's directory and returns its path.
    std::filesystem::path file(const std::string& name, const std::string& text) const;
    const TSessionHolder& session() const { return session_; }

private:
    TestSupport::TempStore temp_;
    TSessionHolder session_;
};

// Every row of the table, ordered by the key, as the database holds it.
std::vector<std::vector<DBKernel::Value>> rowsOf(const std::string& table, const std::string& key,
                                                 const TSessionHolder& session);
std::int64_t countOf(const std::string& sql, const TSessionHolder& session);
// Each row the query reads, its fields joined by '|' with NULL for an empty one.
std::vector<std::string> linesOf(const std::string& sql, const TSessionHolder& session);

}  // namespace ProductTest
