#include "Modules/Towary/Tools/products/ProductSelectSql.h"

#include "Core/BaseDBObjects/TTowar.h"

#include <string_view>

namespace Product {

std::string getProductSelectCommonFieldsSql() {
    std::string list;
    for (const auto& column : TTowar::columnInfo()) {
        list += list.empty() ? "\n  " : "\n, ";
        list += std::string("t.") + column.column;
        if (std::string_view(column.column) != column.readName) list += std::string(" ") + column.readName;
    }
    return list;
}

std::string getProductSelectSql(unsigned int id) {
    return "\n select" + getProductSelectCommonFieldsSql() + "\n from\n towar t\n where t.lTowarRef= " + std::to_string(id);
}

}  // namespace Product
