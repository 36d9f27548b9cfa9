// The identifier search on any typed text: its subquery always runs, whatever
// the text holds, since the text never leaves its literal.
#include "Core/Database/Query.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string identifier(Fuzz::text(data, size));
    // Neither a command line nor the search field carries a NUL.
    if (identifier.find('\0') != std::string::npos) return 0;
    const std::string statement =
        "select count(*) from " + Product::Tools::getIdentifierSqlPart(identifier) + " identifier";
    try {
        const DBKernel::Sql::OpenedQuery count(statement, Fuzz::store().session());
    } catch (const std::exception& e) {
        Fuzz::check(false, std::string("the subquery runs: ") + e.what(), identifier);
    }
    return 0;
}
