// A product looked up by what a cashier types into the identifier field: the
// characters the field takes, the subquery each form of identifier becomes
// and the products it finds in the products of the CSV step, and the field as
// a report's filter.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Core/BaseRaport/FilterItems.h"
#include "Core/Database/ConditionCreator.h"
#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Modules/Towary/Tools/plu/IdentifierChars.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/products/ProductFind.h"

namespace Towary::Host::Demo {
namespace {

// The WHERE line of a subquery, the rest being the same for every form.
std::string whereLine(const std::string& subquery) {
    const auto at = subquery.find("where ");
    return subquery.substr(at, subquery.find('\n', at) - at);
}

}  // namespace

void identifier(std::ostream& out) {
    static const std::vector<std::pair<const char*, char32_t>> kTyped = {
        {"ż", U'ż'}, {"7", U'7'}, {"*", U'*'}, {"/", U'/'}, {"spacja", U' '}, {"-", U'-'}, {"'", U'\''}};
    out << "Pole identyfikatora przyjmuje litery, cyfry, %, * i /:";
    for (std::size_t i = 0; i < kTyped.size(); ++i)
        out << (i == 0 ? " " : ", ") << kTyped[i].first
            << (Product::Tools::isValidIdentifierChar(kTyped[i].second) ? " tak" : " nie");
    out << '\n';
    const auto controller = Product::Tools::IdentifierFilterInvoker().invoke();
    for (const char32_t c : std::u32string(U"mle'*ko")) controller->frame().keyPress(c);
    out << "Wpisane mle'*ko daje w polu: " << controller->frame().identifier() << '\n';

    TSessionHolder session;
    for (const std::string typed : {"5901234123457", "1001", "/101", "mle*ko", "mleko*o'connor"}) {
        out << "\ntowary find " << typed << "\n  " << whereLine(Product::Tools::getIdentifierSqlPart(typed)) << '\n';
        Products::findProducts(out, typed, session);
    }

    std::vector<std::string> many;
    for (int i = 1; i <= 2500; ++i) many.push_back(std::to_string(i));
    const auto condition = SQLUtils::CIncludeConditionCreator::of("p.sPlu", many);
    out << "\nWarunek na 2500 kodów ma grupy po 1000: ";
    for (auto at = condition.find("p.sPlu in ("); at != std::string::npos; at = condition.find("p.sPlu in (", at + 1))
        out << (at == 1 ? "" : " or ") << condition.substr(at, condition.find(',', at) - at) << ", ...)";
    out << '\n';

    BaseRaport::TFilterItemGroup filter;
    const BaseRaport::TReportStatement report{"t.sNazwa", "towar t", "t.byCode = 6"};
    controller->frame().setIdentifier("/101");
    Product::Tools::ApplyIdentifierFilterInvoker().invoke(filter, controller);
    const auto statement = filter.statement(report);
    DBKernel::Sql::OpenedQuery rows(statement, controller->session());
    out << "Raport z filtrem /101 (pozycja " << filter.items().front().id << "): " << rows.field(0).asString() << '\n';
    controller->frame().setIdentifier("");
    Product::Tools::ApplyIdentifierFilterInvoker().invoke(filter, controller);
    out << "Po wyczyszczeniu pola: " << filter.statement(report) << '\n';
}

}  // namespace Towary::Host::Demo
