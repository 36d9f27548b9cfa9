#include "Modules/Towary/Tools/products/ProductSqlText.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/ListText.h"

#include <boost/algorithm/string/case_conv.hpp>

#include <stdexcept>
#include <vector>

System::AnsiString GetSQLStatementAfterFrom(System::AnsiString sql) {
    const std::string& text = sql;
    // Positions counted from 1, 0 for none, as the host's string class counts them.
    auto position = [&text](const char* what) {
        const auto found = text.find(what);
        return found == std::string::npos ? std::size_t{0} : found + 1;
    };
    std::size_t from = position(" from ");
    if (from == 0) from = position(" FROM ");
    std::size_t start = from + 6;
    if (start >= text.size()) start = 0;
    if (start == 0) return std::string();
    std::string rest = text.substr(start - 1);
    const auto orderBy = rest.find(" order by ");
    if (orderBy != std::string::npos) rest.resize(orderBy);
    return rest;
}

namespace TowarFunkcje {

System::AnsiString getOrderByClause(System::AnsiString alias) {
    const Orvel::TKey key = Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry sklepu", "Towary", "Sortowanie", "Kolejność sortowania"});
    const std::string setting = key.GetVal<std::string>();
    // An empty value fails as a missing one does: the store holds no order at all.
    if (setting.empty())
        Orvel::raise_logic_error(Orvel::emptyKeyText(Core::typeName<std::string>(), key.GetRep().strPath));
    const std::runtime_error malformed("Błąd konfiguracji sortowania towarów.");
    std::string clause;
    for (const std::string& item : Core::splitList(setting, ",", Core::EmptyItems::keep)) {
        const auto words = Core::splitList(item, " ", Core::EmptyItems::keep);
        if (words.empty() || words.front().empty() || words.size() > 2) throw malformed;
        const std::string direction = words.size() == 2 ? boost::algorithm::to_upper_copy(words[1]) : "ASC";
        if (direction != "ASC" && direction != "DESC") throw malformed;
        if (!clause.empty()) clause += ", ";
        clause += (alias.IsEmpty() ? std::string() : alias.str() + ".") + words.front() + " " + direction;
    }
    return clause;
}

}  // namespace TowarFunkcje
