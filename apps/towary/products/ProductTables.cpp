#include "apps/towary/products/ProductTables.h"

#include <stdexcept>

#include "Core/Database/Query.h"
#include "Core/tools/IgnoringCase.h"
#include "Core/tools/Numbers.h"
#include "Core/tools/Utf8.h"

namespace Towary::Host::Products {
namespace {

// SQLite's rules of column affinity, reduced to the three types the schema uses.
ColumnType typeOf(const std::string& typeName) {
    const auto declared = Core::lowerAscii(typeName);
    if (declared.find("int") != std::string::npos) return ColumnType::integer;
    for (const char* real : {"real", "floa", "doub"})
        if (declared.find(real) != std::string::npos) return ColumnType::real;
    return ColumnType::text;
}

std::vector<Column> columnsOf(const std::string& table, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery query("select * from " + table + " where 1 = 0", session);
    std::vector<Column> columns;
    for (std::size_t i = 0; i < query.columnCount(); ++i)
        columns.push_back({query.columnName(i), typeOf(query.columnDeclaredType(i))});
    return columns;
}

template <class Number>
Number number(const std::string& text, const char* what) {
    if (const auto value = Core::parseNumber<Number>(text)) return *value;
    throw std::runtime_error("\"" + text + "\" nie jest " + what);
}

}  // namespace

ProductTables ProductTables::read(const TSessionHolder& session) {
    return {columnsOf("towar", session), columnsOf("plu", session)};
}

std::optional<std::size_t> findColumn(const std::vector<Column>& columns, std::string_view name) {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (Core::equalsIgnoringCase(columns[i].name, name)) return i;
    return std::nullopt;
}

DBKernel::Value parseValue(const std::string& text, ColumnType type) {
    if (text.empty()) return {};
    switch (type) {
        case ColumnType::integer: return number<std::int64_t>(text, "liczbą całkowitą");
        case ColumnType::real: return number<double>(text, "liczbą (część dziesiętną oddziela kropka)");
        case ColumnType::text: break;
    }
    return Core::Utf8::composed(text);
}

}  // namespace Towary::Host::Products
