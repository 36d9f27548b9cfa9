#pragma once
// Towar::CSelectTowarRefGrupaIndex: what a user picked in the product and
// group chooser, products by id and groups by index. Its result turns into
// the SQL condition of a statement over products.

#include "Core/Export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Towar {

class CSelectTowarRefGrupaIndex {
public:
    struct TOWARY_EXPORT result_type {
        std::vector<std::int64_t> products;    // product ids
        std::vector<std::string> groupIndexes;  // groups, each with everything under it

        // The condition that a product is one of the products or lies under one
        // of the groups: "((t.lTowarRef in (1, 2)) or t.sGrIndex like '01%')";
        // "(1=0)" for an empty selection, which picks nothing.
        std::string sql(const std::string& refColumn, const std::string& groupIndexColumn) const;
    };
};

}  // namespace Towar
