// towary sql DIR "STATEMENT": one statement of the module's dialect run on a
// store, for support staff. A query prints a header of column names and its
// rows, tab-separated, NULL as NULL; a write prints how many rows it changed.

#include "Core/Database/Query.h"
#include "apps/towary/Command.h"

#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {
namespace {

void printRows(DBKernel::Sql::Query& query, std::ostream& out) {
    const auto columns = query.columnCount();
    for (std::size_t i = 0; i < columns; ++i) out << (i > 0 ? "\t" : "") << query.columnName(i);
    out << '\n';
    while (query.next()) {
        for (std::size_t i = 0; i < columns; ++i) {
            const auto field = query.field(i);
            out << (i > 0 ? "\t" : "") << (field.isNull() ? "NULL" : field.asString());
        }
        out << '\n';
    }
}

}  // namespace

void addSqlCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("sql", "wykonuje jedną instrukcję SQL na sklepie w DIR i wypisuje jej wiersze");
    addStoreArgument(*command, context);
    auto statement = std::make_shared<std::string>();
    command->add_option("STATEMENT", *statement, "instrukcja, tak jak moduł zapisuje SQL")->required();
    command->callback([&context, statement] {
        context.job = [statement](std::ostream& out) {
            DBKernel::Sql::PreparedQuery query(*statement, TSessionHolder::open());
            query.execute();
            if (query.columnCount() > 0)
                printRows(query, out);
            else
                out << "Zmienionych wierszy: " << query.rowsAffected() << '\n';
        };
    });
}

}  // namespace Towary::Host
