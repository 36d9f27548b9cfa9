#include "Modules/Towary/Tools/products/ProductUpdateSql.h"

#include "Core/BaseDBObjects/TTowar.h"

#include <boost/make_shared.hpp>

#include <string_view>

namespace Towar {

namespace {

// The editor binds by the names the select reads, except for the one column
// whose parameter it has always spelled in lower camel case.
std::string parameterName(const BaseDBObjects::ColumnInfo& column) {
    return std::string_view(column.column) == "AlternativeVatRate" ? "alternativeVatRate" : column.readName;
}

std::string modifyStatement() {
    std::string lines;
    for (const auto& column : TTowar::columnInfo()) {
        if (!column.updated) continue;
        if (!lines.empty()) lines += ",\n";
        const std::string name = parameterName(column);
        const std::string target = std::string_view(column.column) == "AlternativeVatRate" ? name : column.column;
        lines += target + " = :" + name;
    }
    return "\n update Towar \n set\n" + lines + "\n where\n lTowarRef = :OLD_lTowarRef";
}

std::string insertStatement() {
    std::string columns;
    std::string values;
    for (const auto& column : TTowar::columnInfo()) {
        if (!column.inserted) continue;
        if (!columns.empty()) {
            columns += ", ";
            values += ", ";
        }
        columns += column.column;
        values += std::string(":") + column.readName;
    }
    return "\n insert into Towar (" + columns + ") values (" + values + ")";
}

}  // namespace

boost::shared_ptr<TOraUpdateSQL> getProductUpdateSql() {
    auto statements = boost::make_shared<TOraUpdateSQL>();
    statements->SetModifySQL(modifyStatement());
    statements->SetInsertSQL(insertStatement());
    statements->SetDeleteSQL("\ndelete from towar\nwhere\n\tlTowarRef = :OLD_lTowarRef");
    return statements;
}

}  // namespace Towar
