#pragma once
// The settings file of a new store: every setting the module reads, with a
// working value and a comment saying what it does.

#include <filesystem>

namespace Towary::Host {

// Writes the sample as the store's settings file; throws std::runtime_error when it cannot.
void writeSampleSettings(const std::filesystem::path& file);

}  // namespace Towary::Host
