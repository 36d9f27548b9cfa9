#pragma once
// Importing a product file (ProductFile.h) into the store: all of it in one
// transaction, or nothing. The file is read once into memory and gone through
// twice: first every row is checked (types, the columns of its kind, ids
// repeated or out of range, a code live on two rows, codes without a
// product), then the rows are inserted. Rows without an id take one from the
// store's id pool, which is first moved past every id the file gives, so that
// the pool never hands out an imported id later.

#include <cstdint>
#include <filesystem>
#include <string>

#include "Core/Database/TSessionHolder.h"

namespace Towary::Host::Products {

struct ImportCounts {
    std::int64_t products = 0;  // towar rows: products and groups
    std::int64_t codes = 0;     // plu rows
};

// The file name that stands for standard input.
inline const std::filesystem::path kStandardInput = "-";

// How messages name the file: standard input in words, a file as given.
std::string inputName(const std::filesystem::path& file);

// Throws std::runtime_error "FILE, wiersz N: REASON" for the first bad row;
// the store is then left as it was.
ImportCounts importProducts(const std::filesystem::path& file, const TSessionHolder& session);

}  // namespace Towary::Host::Products
