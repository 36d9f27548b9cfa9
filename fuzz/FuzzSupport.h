#pragma once
// What the fuzz targets share: a store made once per process for the targets
// that read settings or the database, and the check that ends the run when a
// parser breaks its contract (libFuzzer then keeps the input as a crash).

#include "Core/Database/TSessionHolder.h"
#include "Core/Setup/Setup.h"
#include "tests/support/TempStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Fuzz {

// A store in a temporary directory with the sample settings (PLU masks, index
// lengths) and a new database, set as the process's current store.
class Store {
public:
    Store();
    const TSessionHolder& session() const { return session_; }
    const std::filesystem::path& path() const { return temp_.path(); }

private:
    TestSupport::TempStore temp_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_;
};

// The one store of the process, made on first use.
Store& store();

// The input as text.
inline std::string_view text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Aborts with the message and the input when the condition fails.
void check(bool condition, std::string_view what, std::string_view input);

}  // namespace Fuzz
