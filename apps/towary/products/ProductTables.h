#pragma once
// The store's product table (towar) and code table (plu) as the product files
// see them: their columns in the order the tables define them, each with the
// type it is declared with, read from the store itself, so that a column a
// later migration adds travels in the files too.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Core/Database/TSessionHolder.h"
#include "Core/Database/Value.h"

namespace Towary::Host::Products {

enum class ColumnType { integer, real, text };

struct Column {
    std::string name;
    ColumnType type;
};

struct ProductTables {
    std::vector<Column> towar;
    std::vector<Column> plu;

    static ProductTables read(const TSessionHolder& session);
};

// The index of the column of that name (compared without regard to case).
std::optional<std::size_t> findColumn(const std::vector<Column>& columns, std::string_view name);

// A field's text as a value of the column's type: the empty text is NULL;
// numbers are written as C and SQL write them ("-12", "0.5", "1e-07"); a text
// is kept composed (NFC). Throws std::runtime_error with the reason for text
// that is not a number (or is out of the range of the type).
DBKernel::Value parseValue(const std::string& text, ColumnType type);

}  // namespace Towary::Host::Products
