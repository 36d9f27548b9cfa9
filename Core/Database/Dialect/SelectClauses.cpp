#include "Core/Database/Dialect/SelectClauses.h"
#include "Core/tools/IgnoringCase.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace DBKernel::Dialect {
namespace {

using Position = std::optional<std::size_t>;

// Where the top-level clauses of a core begin.
struct Clauses {
    std::size_t size = 0;
    Position from, where, groupBy, having, orderBy, window, limit;

    explicit Clauses(const Nodes& core) : size(core.size()) {
        for (std::size_t i = 0; i < core.size(); ++i) {
            const bool followedByBy = i + 1 < core.size() && core[i + 1].isWord("by");
            if (core[i].isWord("from") && !from) from = i;
            if (core[i].isWord("where") && !where) where = i;
            if (core[i].isWord("group") && followedByBy && !groupBy) groupBy = i;
            if (core[i].isWord("having") && !having) having = i;
            if (core[i].isWord("order") && followedByBy && !orderBy) orderBy = i;
            if (core[i].isWord("window") && !window) window = i;
            if (core[i].isWord("limit") && !limit) limit = i;
        }
    }

    // Where the clause starting at `start` ends: at the next clause or the end of the core.
    std::size_t endOf(std::size_t start) const {
        std::size_t end = size;
        for (const Position& clause : {from, where, groupBy, having, orderBy, window, limit}) {
            if (clause && *clause > start) end = std::min(end, *clause);
        }
        return end;
    }
};

// The top-level conditions joined by "and"; the "and" of a "between" and those
// inside "case ... end" do not split.
struct Conjuncts {
    std::vector<Nodes> parts;
    bool disjunction = false;  // an "or" at the top level: the parts are not plain conditions
};

Conjuncts splitConjuncts(Nodes::const_iterator begin, Nodes::const_iterator end) {
    Conjuncts result;
    result.parts.emplace_back();
    int caseDepth = 0;
    bool inBetween = false;
    for (auto at = begin; at != end; ++at) {
        if (at->isWord("case")) ++caseDepth;
        if (at->isWord("end") && caseDepth > 0) --caseDepth;
        if (caseDepth == 0) {
            if (at->isWord("between")) inBetween = true;
            if (at->isWord("or")) result.disjunction = true;
            if (at->isWord("and")) {
                if (!inBetween) {
                    result.parts.emplace_back();
                    continue;
                }
                inBetween = false;
            }
        }
        result.parts.back().push_back(*at);
    }
    return result;
}

Conjuncts whereConditions(const Nodes& core, const Clauses& clauses) {
    return splitConjuncts(nth(core, *clauses.where + 1), nth(core, clauses.endOf(*clauses.where)));
}

Nodes joined(const std::vector<Nodes>& parts, const Node& separator) {
    Nodes result;
    for (const Nodes& part : parts) {
        if (!result.empty()) result.push_back(separator);
        result.insert(result.end(), part.begin(), part.end());
    }
    return result;
}

// The core with its where clause replaced by the given conditions (none: no where clause).
Nodes withConditions(const Nodes& core, const Clauses& clauses, const std::vector<Nodes>& conditions) {
    const auto whereBegin = nth(core, *clauses.where);
    const auto whereEnd = nth(core, clauses.endOf(*clauses.where));
    Nodes result(core.begin(), whereBegin);
    if (!conditions.empty()) {
        result.push_back(Node::word("where"));
        const Nodes where = joined(conditions, Node::word("and"));
        result.insert(result.end(), where.begin(), where.end());
    }
    result.insert(result.end(), whereEnd, core.end());
    return result;
}

bool isMarker(const Node& node) {
    return node.isSymbol(outerJoinMarker);
}

// The alias of a from item: its last name ("towar t", "(select ...) tg", "towar").
std::string aliasOf(const Nodes& item) {
    const bool joinItem = std::any_of(item.begin(), item.end(), [](const Node& node) { return node.isWord("join"); });
    if (item.empty() || joinItem || item.back().group) return {};
    return Core::lowerAscii(item.back().token.text);
}

struct OuterJoin {
    std::string alias;
    std::vector<Nodes> conditions;
    Nodes item;
};

std::vector<OuterJoin>::iterator findJoin(std::vector<OuterJoin>& joins, const std::string& alias) {
    return std::find_if(joins.begin(), joins.end(), [&](const OuterJoin& each) { return each.alias == alias; });
}

// The condition without its markers, and the alias of the one table it marks.
std::pair<Nodes, std::string> unmarked(const Nodes& condition) {
    Nodes result;
    std::string alias;
    for (std::size_t i = 0; i < condition.size(); ++i) {
        if (!isMarker(condition[i])) {
            result.push_back(condition[i]);
            continue;
        }
        if (i < 3 || !condition[i - 1].isWord() || !condition[i - 2].isSymbol(".") || !condition[i - 3].isWord()) {
            throw UntranslatableClause("złączenie zewnętrzne (+) po czymś innym niż alias.kolumna");
        }
        const std::string marked = Core::lowerAscii(condition[i - 3].token.text);
        if (!alias.empty() && alias != marked) {
            throw UntranslatableClause("złączenie zewnętrzne (+) z dwiema tabelami w jednym warunku");
        }
        alias = marked;
    }
    return {result, alias};
}

}  // namespace

void rewriteOuterJoins(Nodes& core) {
    const Clauses clauses(core);
    if (!clauses.from || !clauses.where) return;
    // Looked for before the conditions are copied apart: most selects have no marker.
    if (std::none_of(nth(core, *clauses.where + 1), nth(core, clauses.endOf(*clauses.where)), isMarker)) return;
    const Conjuncts conjuncts = whereConditions(core, clauses);
    std::vector<OuterJoin> joins;
    std::vector<Nodes> kept;
    for (const Nodes& conjunct : conjuncts.parts) {
        if (std::none_of(conjunct.begin(), conjunct.end(), isMarker)) {
            kept.push_back(conjunct);
            continue;
        }
        if (conjuncts.disjunction) throw UntranslatableClause("złączenie zewnętrzne (+) w warunku z or");
        auto [condition, alias] = unmarked(conjunct);
        auto join = findJoin(joins, alias);
        if (join == joins.end()) join = joins.insert(joins.end(), OuterJoin{alias, {}, {}});
        join->conditions.push_back(std::move(condition));
    }
    if (joins.empty()) return;

    const auto fromBegin = nth(core, *clauses.from + 1);
    const auto fromEnd = nth(core, clauses.endOf(*clauses.from));
    std::vector<Nodes> items(1);
    for (auto at = fromBegin; at != fromEnd; ++at) {
        if (at->isSymbol(",")) {
            items.emplace_back();
        } else {
            items.back().push_back(*at);
        }
    }
    std::vector<Nodes> inner;
    std::vector<const OuterJoin*> outer;  // in from order
    for (Nodes& item : items) {
        const std::string alias = aliasOf(item);
        auto join = findJoin(joins, alias);
        if (alias.empty() || join == joins.end()) {
            inner.push_back(std::move(item));
        } else if (!join->item.empty()) {
            throw UntranslatableClause("złączenie zewnętrzne (+) z aliasem użytym dwa razy");
        } else {
            join->item = std::move(item);
            outer.push_back(&*join);
        }
    }
    if (outer.size() != joins.size()) throw UntranslatableClause("złączenie zewnętrzne (+) z aliasem spoza from");
    if (inner.empty()) throw UntranslatableClause("złączenie zewnętrzne (+) bez tabeli wiodącej");

    Nodes from = joined(inner, Node::symbol(","));
    for (const OuterJoin* join : outer) {
        from.push_back(Node::word("left"));
        from.push_back(Node::word("join"));
        from.insert(from.end(), join->item.begin(), join->item.end());
        from.push_back(Node::word("on"));
        const Nodes on = joined(join->conditions, Node::word("and"));
        from.insert(from.end(), on.begin(), on.end());
    }
    Nodes rewritten = withConditions(core, clauses, kept);
    rewritten.erase(nth(rewritten, *clauses.from + 1), nth(rewritten, *clauses.where));
    rewritten.insert(nth(rewritten, *clauses.from + 1), from.begin(), from.end());
    core = std::move(rewritten);
}

void rewriteRownum(Nodes& core, bool compound) {
    const Clauses clauses(core);
    if (!clauses.where) return;
    // Looked for before the conditions are copied apart: most selects have no rownum.
    const auto isRownum = [](const Node& node) { return node.isWord("rownum"); };
    if (std::none_of(nth(core, *clauses.where + 1), nth(core, clauses.endOf(*clauses.where)), isRownum)) return;
    const Conjuncts conjuncts = whereConditions(core, clauses);
    std::optional<long> limit;
    std::vector<Nodes> kept;
    for (const Nodes& conjunct : conjuncts.parts) {
        long bound = 0;
        const bool rownum = conjunct.size() == 3 && conjunct[0].isWord("rownum") && !conjunct[2].group &&
                            conjunct[2].token.kind == Token::Kind::Number;
        if (rownum) {
            const std::string& text = conjunct[2].token.text;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bound);
            if (error != std::errc() || end != text.data() + text.size()) {
                throw UntranslatableClause("rownum porównane z liczbą niecałkowitą");
            }
        }
        if (!rownum) {
            kept.push_back(conjunct);
        } else if (conjunct[1].isSymbol("=") && bound == 1) {
            limit = std::min(limit.value_or(1), 1L);
        } else if (conjunct[1].isSymbol("<=")) {
            limit = std::min(limit.value_or(bound), bound);
        } else if (conjunct[1].isSymbol("<")) {
            limit = std::min(limit.value_or(bound - 1), bound - 1);
        } else {
            throw UntranslatableClause("rownum w porównaniu innym niż rownum = 1, rownum <= n, rownum < n");
        }
    }
    if (!limit) return;
    if (conjuncts.disjunction) throw UntranslatableClause("rownum w warunku z or");
    if (compound || clauses.groupBy || clauses.having || clauses.orderBy || clauses.window || clauses.limit) {
        throw UntranslatableClause("rownum w zapytaniu z union, group by lub order by");
    }
    // Oracle counts rows before it aggregates or removes duplicates; a limit would count after.
    const std::size_t listEnd = clauses.from ? *clauses.from : core.size();
    for (std::size_t i = 0; i < listEnd; ++i) {
        const bool aggregate = i + 1 < listEnd && core[i + 1].group &&
                               (core[i].isWord("count") || core[i].isWord("sum") || core[i].isWord("min") ||
                                core[i].isWord("max") || core[i].isWord("avg"));
        if (core[i].isWord("distinct") || core[i].isWord("unique") || aggregate)
            throw UntranslatableClause("rownum w zapytaniu z distinct lub funkcją agregującą");
    }
    core = withConditions(core, clauses, kept);
    core.push_back(Node::word("limit"));
    core.push_back(Node::number(std::to_string(std::max(*limit, 0L))));
}

}  // namespace DBKernel::Dialect
