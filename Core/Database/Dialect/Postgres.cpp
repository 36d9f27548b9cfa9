#include "Core/Database/Dialect/Postgres.h"
#include "Core/Database/Dialect/SelectClauses.h"
#include "Core/tools/IgnoringCase.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

namespace DBKernel::Dialect {
namespace {

bool isComparison(const Node& node) {
    return node.isSymbol("=") || node.isSymbol("<>") || node.isSymbol("!=") || node.isSymbol("<") ||
           node.isSymbol(">") || node.isSymbol("<=") || node.isSymbol(">=");
}

bool isNumber(const Node& node) {
    return !node.group && node.token.kind == Token::Kind::Number;
}

bool isLiteral(const Nodes& nodes) {
    const bool single = nodes.size() == 1 && !nodes[0].group &&
                        (nodes[0].token.kind == Token::Kind::Number || nodes[0].token.kind == Token::Kind::String);
    return single || (nodes.size() == 2 && nodes[0].isSymbol("-") && isNumber(nodes[1]));
}

// A column, not a call: the word at `at` is a text column's name and no "(" follows it.
bool isTextColumnAt(const Nodes& level, std::size_t at) {
    return level[at].isWord() && isTextColumn(level[at].token.text) &&
           !(at + 1 < level.size() && level[at + 1].group);
}

// The last word of the dotted name that starts at `at` ("t . sPLU" gives sPLU's position).
std::size_t nameEnd(const Nodes& level, std::size_t at) {
    while (at + 2 < level.size() && level[at + 1].isSymbol(".") && level[at + 2].isWord()) at += 2;
    return at;
}

bool isTextColumnExpression(const Nodes& nodes) {
    return !nodes.empty() && nameEnd(nodes, 0) == nodes.size() - 1 && isTextColumnAt(nodes, nodes.size() - 1);
}

void quote(Node& number) {
    number.token = Token{Token::Kind::String, "'" + number.token.text + "'"};
}

std::vector<Nodes> arguments(const Node& group) {
    std::vector<Nodes> result;
    if (group.inner.empty()) return result;
    result.emplace_back();
    for (const Node& node : group.inner) {
        if (node.isSymbol(",")) {
            result.emplace_back();
        } else {
            result.back().push_back(node);
        }
    }
    // "f(a,,b)" or "f(a,)": no engine takes an empty argument, and the rewrites read each one's last node.
    for (const Nodes& argument : result)
        if (argument.empty()) throw UntranslatableClause("pusty argument funkcji");
    return result;
}

Nodes cast(const Nodes& value, const char* type) {
    Nodes inner = value;
    inner.push_back(Node::word("as"));
    inner.push_back(Node::word(type));
    return {Node::word("cast"), Node::groupOf(std::move(inner))};
}

Node callArguments(const std::vector<Nodes>& list) {
    Nodes inner;
    for (const Nodes& each : list) {
        if (!inner.empty()) inner.push_back(Node::symbol(","));
        inner.insert(inner.end(), each.begin(), each.end());
    }
    return Node::groupOf(std::move(inner));
}

// An operand in parentheses unless it is one node, a (dotted) name or a call.
Nodes operand(const Nodes& nodes) {
    if (isLiteral(nodes)) return nodes;
    const std::size_t end = nameEnd(nodes, 0);
    const bool name = !nodes.empty() && nodes[0].isWord() && end + 1 == nodes.size();
    const bool call = !nodes.empty() && nodes[0].isWord() && end + 2 == nodes.size() && nodes.back().group;
    if (name || call || nodes.size() == 1) return nodes;
    return {Node::groupOf(nodes)};
}

// decode(e, s1, r1, ..., [d]) as "case when e = s1 then r1 ... else d end". NULL matches
// NULL; a first search value that is a number makes Oracle compare a text column as a number.
Nodes decodeAsCase(const Node& group) {
    const std::vector<Nodes> list = arguments(group);
    if (list.size() < 3) throw UntranslatableClause("decode z mniej niż trzema argumentami");
    Nodes expression = operand(list[0]);
    for (std::size_t i = 1; i + 1 < list.size(); i += 2) {
        if (list[i].size() == 1 && list[i][0].isWord("null")) continue;
        const bool number = isNumber(list[i].back()) && isLiteral(list[i]);
        if (number && isTextColumnExpression(list[0])) expression = cast(list[0], "numeric");
        break;
    }
    Nodes result{Node::word("case")};
    for (std::size_t i = 1; i + 1 < list.size(); i += 2) {
        const Nodes& search = list[i];
        result.push_back(Node::word("when"));
        result.insert(result.end(), expression.begin(), expression.end());
        if (search.size() == 1 && search[0].isWord("null")) {
            result.insert(result.end(), {Node::word("is"), Node::word("null")});
        } else if (isLiteral(search)) {
            result.push_back(Node::symbol("="));
            result.insert(result.end(), search.begin(), search.end());
        } else {
            result.insert(result.end(),
                          {Node::word("is"), Node::word("not"), Node::word("distinct"), Node::word("from")});
            const Nodes value = operand(search);
            result.insert(result.end(), value.begin(), value.end());
        }
        result.push_back(Node::word("then"));
        result.insert(result.end(), list[i + 1].begin(), list[i + 1].end());
    }
    if (list.size() % 2 == 0) {
        result.push_back(Node::word("else"));
        result.insert(result.end(), list.back().begin(), list.back().end());
    }
    result.push_back(Node::word("end"));
    return result;
}

// Oracle's functions as PostgreSQL spells them, given the name and its argument group.
// Returns the nodes that replace the two, or none to keep them.
std::optional<Nodes> function(const Node& name, const Node& group) {
    const std::vector<Nodes> list = arguments(group);
    if (name.isWord("decode")) return decodeAsCase(group);
    // SQLite's spellings, which statements support staff type (towary sql) may use too.
    if (name.isWord("nvl") || name.isWord("ifnull")) return Nodes{Node::word("coalesce"), group};
    if (name.isWord("group_concat") && (list.size() == 1 || list.size() == 2)) {
        std::vector<Nodes> aggregated{cast(list[0], "text"),
                                      list.size() == 2 ? list[1] : Nodes{Node{Token{Token::Kind::String, "','"}, {}, false}}};
        return Nodes{Node::word("string_agg"), callArguments(aggregated)};
    }
    // The store's case folding (Polish letters, character by character), on which the name index is built.
    if (name.isWord("upper")) return Nodes{Node::word("polish_upper"), group};
    if (name.isWord("lower")) return Nodes{Node::word("polish_lower"), group};
    if (name.isWord("instr")) {
        if (list.size() != 2) throw UntranslatableClause("instr z pozycją początkową lub numerem wystąpienia");
        return Nodes{Node::word("strpos"), group};
    }
    if (name.isWord("to_number")) {
        if (list.size() != 1) throw UntranslatableClause("to_number z formatem");
        return cast(list[0], "numeric");
    }
    if (name.isWord("to_char") && list.size() == 1) return cast(list[0], "text");
    // PostgreSQL rounds to given places only a numeric; the store's amounts are double precision.
    if ((name.isWord("round") || name.isWord("trunc")) && list.size() == 2) {
        std::vector<Nodes> numeric = list;
        numeric[0] = cast(list[0], "numeric");
        return Nodes{name, callArguments(numeric)};
    }
    return std::nullopt;
}

void rewriteFunctions(Nodes& level) {
    for (std::size_t i = 0; i + 1 < level.size(); ++i) {
        if (!level[i].isWord() || !level[i + 1].group || (i > 0 && level[i - 1].isSymbol("."))) continue;
        auto replacement = function(level[i], level[i + 1]);
        if (!replacement) continue;
        const auto at = level.erase(nth(level, i), nth(level, i + 2));
        level.insert(at, replacement->begin(), replacement->end());
        i += replacement->size() - 1;
    }
}

// Oracle converts a number compared with a text column, or joined with "||", to text;
// PostgreSQL refuses "text = integer" and "integer || integer". The literal is written as text.
void quoteNumbersBesideText(Nodes& level) {
    for (std::size_t i = 0; i < level.size(); ++i) {
        Node& node = level[i];
        if (node.group && i >= 2 && level[i - 1].isWord("in")) {
            const std::size_t column = level[i - 2].isWord("not") && i >= 3 ? i - 3 : i - 2;
            const bool literals = std::all_of(node.inner.begin(), node.inner.end(), [](const Node& each) {
                return isNumber(each) || each.isSymbol(",") ||
                       (!each.group && each.token.kind == Token::Kind::String);
            });
            if (literals && isTextColumnAt(level, column)) {
                for (Node& each : node.inner) {
                    if (isNumber(each)) quote(each);
                }
            }
        }
        if (!isNumber(node)) continue;
        const bool concatenated =
            (i > 0 && level[i - 1].isSymbol("||")) || (i + 1 < level.size() && level[i + 1].isSymbol("||"));
        const bool afterColumn = i >= 2 && isComparison(level[i - 1]) && isTextColumnAt(level, i - 2);
        const bool beforeColumn = i + 2 < level.size() && isComparison(level[i + 1]) && level[i + 2].isWord() &&
                                  isTextColumnAt(level, nameEnd(level, i + 2));
        if (concatenated || afterColumn || beforeColumn) quote(node);
    }
}

// Oracle's LIKE has no escape character unless the condition names one; PostgreSQL's has
// the backslash. "escape ''" after the pattern takes it away.
void addEmptyEscapes(Nodes& level) {
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (!level[i].isWord("like")) continue;
        std::size_t end = i + 1;
        while (end < level.size() && !level[end].isSymbol(",") && !level[end].isSymbol(";") &&
               !level[end].isAnyWord({"and", "or", "then", "when", "else", "end", "order", "group", "having", "limit",
                                   "union", "intersect", "except", "escape", "from", "where", "as", "for"}))
            ++end;
        if (end < level.size() && level[end].isWord("escape")) continue;
        level.insert(nth(level, end), {Node::word("escape"), Node{Token{Token::Kind::String, "''"}, {}, false}});
        i = end + 1;
    }
}

void numberLevel(Nodes& level, std::vector<std::string>& names) {
    for (Node& node : level) {
        if (node.group) {
            numberLevel(node.inner, names);
        } else if (node.token.kind == Token::Kind::Parameter) {
            const std::string name = Core::lowerAscii(node.token.text.substr(1));
            auto found = std::find(names.begin(), names.end(), name);
            if (found == names.end()) found = names.insert(names.end(), name);
            node.token.text = "$" + std::to_string(found - names.begin() + 1);
        }
    }
}

}  // namespace

bool isTextColumn(std::string_view name) {
    // The text columns of the store's tables that the module's statements compare or join.
    static constexpr std::array<std::string_view, 23> columns{
        "sartindex",    "sgrindex",       "sguid",  "sinfo",  "sisbn",    "skey",      "sklucz",   "skodfiskalny",
        "skrnazwa",     "snazwa",         "sopis",  "spkwiu", "splikfoto", "splu",     "srodzajobiektu", "ssekcja",
        "sskrot",       "ssposobzamarg",  "ssww",   "svalue", "swartosc", "shortcut", "alternative_prices"};
    const std::string lower = Core::lowerAscii(name);
    return std::find(columns.begin(), columns.end(), lower) != columns.end();
}

namespace {

// Oracle lets a subquery in a from list go without a name; PostgreSQL 15 does
// not: each gets "as derivedN", N counted over the whole statement.
void nameDerivedTables(Nodes& level, int& named) {
    bool inFrom = false;
    for (std::size_t i = 0; i < level.size(); ++i) {
        Node& node = level[i];
        if (node.group) {
            nameDerivedTables(node.inner, named);
            const bool subquery = !node.inner.empty() && node.inner.front().isWord("select");
            const bool aliased = i + 1 < level.size() && level[i + 1].isWord() &&
                                 !level[i + 1].isAnyWord({"where", "group", "order", "having", "union", "intersect",
                                                       "except", "minus", "join", "left", "right", "inner", "full",
                                                       "cross", "on", "limit", "for", "connect", "start"});
            if (inFrom && subquery && !aliased) {
                const auto at = nth(level, i + 1);
                level.insert(at, {Node::word("as"), Node::word("derived" + std::to_string(++named))});
                i += 2;
            }
            continue;
        }
        if (node.isAnyWord({"from", "join"})) inFrom = true;
        if (node.isAnyWord({"where", "group", "order", "having", "union", "intersect", "except", "minus", "on", "set",
                         "values", "select"}))
            inFrom = node.isWord("from");
    }
}

void rewriteLevels(Nodes& statement) {
    for (Node& node : statement) {
        if (node.group) rewriteLevels(node.inner);
    }
    quoteNumbersBesideText(statement);
    rewriteFunctions(statement);
    addEmptyEscapes(statement);
}

}  // namespace

void rewriteForPostgres(Nodes& statement) {
    int named = 0;
    nameDerivedTables(statement, named);
    rewriteLevels(statement);
}

std::vector<std::string> numberParameters(Nodes& statement) {
    std::vector<std::string> names;
    numberLevel(statement, names);
    return names;
}

}  // namespace DBKernel::Dialect
