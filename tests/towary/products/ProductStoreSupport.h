#pragma once
// A temporary store as the towary host makes it (settings and database), set
// as the process's current store, for the product file and generator tests.
// Code that reads settings needs a Core::SetupRegistration beside it (one at a time).

#include "apps/towary/StoreCreation.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace ProductTest {

class Store {
public:
    // The database in a file, or, when asked, on the test server in the suite's run there.
    explicit Store(bool server = false)
        : session_((Towary::Host::createStore({}, server ? temp_.server() : ""), TSessionHolder::open())) {}
    const std::filesystem::path& path() const { return temp_.path(); }
    // Writes a file in the store's directory and returns its path.
    std::filesystem::path file(const std::string& name, const std::string& text) const {
        std::ofstream(path() / name, std::ios::binary) << text;
        return path() / name;
    }
    const TSessionHolder& session() const { return session_; }

private:
    TestSupport::TempStore temp_;
    TSessionHolder session_;
};

}  // namespace ProductTest
