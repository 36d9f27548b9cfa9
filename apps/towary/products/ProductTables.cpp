#include "apps/towary/products/ProductTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "Core/Database/Query.h"
#include "Core/tools/IgnoringCase.h"

namespace Towary::Host::Products {
namespace {

// SQLite's rules of column affinity, reduced to the three types the schema uses.
ColumnType typeOf(std::string declared) {
    std::transform(declared.begin(), declared.end(), declared.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
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
    Number result{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error == std::errc::result_out_of_range) throw std::runtime_error("liczba " + text + " jest poza zakresem");
    if (error != std::errc() || end != text.data() + text.size())
        throw std::runtime_error("\"" + text + "\" nie jest " + what);
    return result;
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
        case ColumnType::real: {
            const double value = number<double>(text, "liczbą (część dziesiętną oddziela kropka)");
            if (!std::isfinite(value)) throw std::runtime_error("\"" + text + "\" nie jest skończoną liczbą");
            return value;
        }
        case ColumnType::text: break;
    }
    return text;
}

}  // namespace Towary::Host::Products
