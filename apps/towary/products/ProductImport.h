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
#include <functional>
#include <string>
#include <vector>

#include "Core/Database/TSessionHolder.h"

namespace Towary::Host::Products {

// What an import wrote: rows of the file the store took (a multi-price ware
// refused for its codes, and a code left to another product, are not).
struct ImportCounts {
    std::int64_t products = 0;  // the file's towar rows: products and groups
    std::int64_t codes = 0;     // the file's plu rows
    // Multi-price wares, with multi-price handling on: made new, made of an
    // ordinary product, moved to another group, dissolved into ordinary products.
    std::int64_t waresCreated = 0;
    std::int64_t waresConverted = 0;
    std::int64_t waresMoved = 0;
    std::int64_t waresDissolved = 0;
    std::vector<std::string> log;  // the multi-price conflicts, in Polish, in the file's order
};

// The file name that stands for standard input.
inline const std::filesystem::path kStandardInput = "-";

// How messages name the file: standard input in words, a file as given.
std::string inputName(const std::filesystem::path& file);

// "Parametry programu / Towary / Towary wielocenowe / Włączone": whether the
// import hands each product to the multi-price logic.
bool multiPriceHandlingEnabled();

// How far the storing has come: the file's rows gone through, of all its
// rows. Told, once every row passed the checking, every kProgressRows rows
// and at the end.
using ImportProgress = std::function<void(std::int64_t stored, std::int64_t rows)>;
inline constexpr std::int64_t kProgressRows = 1000;

// Throws std::runtime_error "FILE, wiersz N: REASON" for the first bad row;
// the store is then left as it was. With multiPrice each product row, with
// the live codes below it, goes through Towar::MultiPriceWareLogic before it
// is stored (docs/products-csv.md).
ImportCounts importProducts(const std::filesystem::path& file, const TSessionHolder& session,
                            bool multiPrice = false, const ImportProgress& progress = {});

}  // namespace Towary::Host::Products
