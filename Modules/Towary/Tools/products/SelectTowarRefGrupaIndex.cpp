#include "Modules/Towary/Tools/products/SelectTowarRefGrupaIndex.h"

#include "Core/Database/ConditionCreator.h"
#include "Core/Database/SQLUtils.h"

#include <sstream>

namespace Towar {

std::string CSelectTowarRefGrupaIndex::result_type::sql(const std::string& refColumn,
                                                        const std::string& groupIndexColumn) const {
    std::vector<std::string> parts;
    if (!products.empty()) {
        std::ostringstream out;
        SQLUtils::CIncludeConditionCreator condition(out, refColumn);
        for (const auto id : products) condition.add(id);
        condition.finish();
        parts.push_back(out.str());
    }
    for (const auto& index : groupIndexes)
        parts.push_back(groupIndexColumn + " like '" + SQLUtils::SQLString(index) + "%'");
    if (parts.empty()) return "(1=0)";
    std::string text = "(";
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : " or ") + parts[i];
    return text + ")";
}

}  // namespace Towar
