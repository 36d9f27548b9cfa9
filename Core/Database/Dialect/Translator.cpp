#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/LikeRanges.h"
#include "Core/Database/Dialect/Postgres.h"
#include "Core/Database/Dialect/SelectClauses.h"
#include "Core/Database/Dialect/SqlTree.h"
#include "Core/tools/Digits.h"
#include "Core/tools/IgnoringCase.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <stdexcept>

namespace DBKernel::Dialect {
namespace {

// The most digits SQLite reads as an integer whatever they are: 18 (a 19-digit
// number may pass the 64 bits and be read as a real).
constexpr std::size_t kLongestExactInteger = 18;

// Oracle names that are read without parentheses but are functions on SQLite.
bool isPseudoFunction(const Node& node) {
    return node.isWord("newref") || node.isWord("borlandsysdate") || node.isWord("sysdate");
}

bool isCompoundOperator(const Node& node) {
    return node.isWord("union") || node.isWord("intersect") || node.isWord("except") || node.isWord("minus");
}

void append(Nodes& to, const Nodes& from) {
    to.insert(to.end(), from.begin(), from.end());
}

class Translator {
public:
    Translator(std::string_view sql, Target target) : sql_(sql), target_(target) {}

    Translation run() {
        Nodes statement;
        try {
            statement = parse(tokenize(sql_));
        } catch (const std::runtime_error& error) {
            fail(error.what());
        }
        if (statement.empty()) fail("puste polecenie");
        Translation result;
        const Nodes lock = takeLock(statement, result);
        rewriteLevel(statement);
        std::vector<Nodes> statements;
        if (statement.front().isWord("merge")) {
            const Merge merge = readMerge(statement);
            statements = target_ == Target::postgresql ? std::vector<Nodes>{postgresMerge(merge)} : sqliteMerge(merge);
        } else if (target_ == Target::sqlite && statement.size() > 2 && statement[0].isWord("lock") &&
                   statement[1].isWord("table")) {
            // "lock table T in exclusive mode": the transaction's start holds the whole store
            // already; what is left is the check that the table is there.
            statements.push_back({Node::word("select"), Node::number("1"), Node::word("from"), statement[2],
                                  Node::word("limit"), Node::number("0")});
        } else {
            if (statement.front().isWord("update")) rewriteUpdate(statement);
            if (statement.front().isWord("delete")) rewriteDelete(statement);
            if (target_ == Target::postgresql) append(statement, lock);
            statements.push_back(std::move(statement));
        }
        for (Nodes& each : statements) {
            checkTranslated(each);
            if (target_ == Target::postgresql) {
                try {
                    rewriteForPostgres(each);
                } catch (const UntranslatableClause& error) {
                    fail(error.what());
                }
                result.parameters.push_back(numberParameters(each));
            }
            result.statements.push_back(render(each));
        }
        return result;
    }

private:
    [[noreturn]] void fail(std::string_view construct) const {
        const char* engine = target_ == Target::postgresql ? "PostgreSQL" : "SQLite";
        throw std::runtime_error("Nie można przenieść polecenia SQL na " + std::string(engine) + ": " +
                                 std::string(construct) + ".\nPolecenie: " + std::string(sql_));
    }

    // Takes "for update [of ...] [nowait]" off the end and returns it as PostgreSQL writes it.
    // SQLite has no row locks, the caller takes the database's: the clause goes. PostgreSQL
    // locks the rows: the clause comes back at the end, after the rewrites (a "limit").
    Nodes takeLock(Nodes& statement, Translation& result) const {
        for (std::size_t i = 0; i + 1 < statement.size(); ++i) {
            if (statement[i].isWord("for") && statement[i + 1].isWord("update")) {
                result.lockRows = true;
                result.lockNowait = std::any_of(nth(statement, i), statement.end(),
                                                [](const Node& node) { return node.isWord("nowait"); });
                Nodes lock(nth(statement, i), statement.end());
                statement.erase(nth(statement, i), statement.end());
                if (lock.size() > 2 && lock[2].isWord("of")) lockedTables(lock, 3);
                return lock;
            }
        }
        return {};
    }

    // Oracle's "for update of t.c, u.d" names columns, PostgreSQL's "for update of t, u" the
    // tables (their aliases) whose rows it locks.
    void lockedTables(Nodes& statement, std::size_t from) const {
        std::vector<std::string> aliases;
        Nodes tables;
        std::size_t i = from;
        for (; i < statement.size() && !statement[i].isWord("nowait"); ++i) {
            if (statement[i].isSymbol(",")) continue;
            if (i + 2 >= statement.size() || !statement[i].isWord() || !statement[i + 1].isSymbol(".")) {
                fail("for update of z kolumną bez aliasu tabeli");
            }
            const std::string alias = Core::lowerAscii(statement[i].token.text);
            if (std::find(aliases.begin(), aliases.end(), alias) == aliases.end()) {
                if (!tables.empty()) tables.push_back(Node::symbol(","));
                tables.push_back(statement[i]);
                aliases.push_back(alias);
            }
            i += 2;
        }
        statement.erase(nth(statement, from), nth(statement, i));
        statement.insert(nth(statement, from), tables.begin(), tables.end());
    }

    // One nesting level, its groups first.
    void rewriteLevel(Nodes& level) {
        for (Node& node : level) {
            if (!node.group) continue;
            if (node.inner.size() == 1 && node.inner.front().isSymbol("+")) {
                node = Node::symbol(std::string(outerJoinMarker));
            } else {
                rewriteLevel(node.inner);
                dropFalseDisjunct(node.inner);
                joinInLists(node.inner);
            }
        }
        rewriteTokens(level);
        rewriteSelects(level);
        addLikeRanges(level, target_);
    }

    // "(1 = 0 or a or b)" is "(a or b)", as Oracle's optimizer reads it; SQLite
    // would not split the first into index ranges, and so scans (the group
    // rights condition begins its list of granted subtrees so).
    static void dropFalseDisjunct(Nodes& group) {
        const auto isNumber = [](const Node& node, std::string_view text) {
            return !node.group && node.token.kind == Token::Kind::Number && node.token.text == text;
        };
        if (group.size() > 4 && isNumber(group[0], "1") && group[1].isSymbol("=") && isNumber(group[2], "0") &&
            group[3].isWord("or"))
            group.erase(group.begin(), nth(group, 4));
    }

    // "(c in (1, 2) or c in (3))" is "(c in (1, 2, 3))", and "(c not in (1) and
    // c not in (2))" is "(c not in (1, 2))": the same rows, also where a value is
    // NULL. The lists come cut into groups of 1000, as Oracle allows
    // (SQLUtils::CIncludeConditionCreator); SQLite, which has no such limit, would
    // read each group on its own and then set aside the rows another group found
    // (the tills' send of 100 000 products spent a third of its time so).
    static void joinInLists(Nodes& group) {
        // A term "column [not] in (values)" from `at`; the column is a name or "alias.name".
        struct Term {
            std::size_t column = 0;
            std::size_t columnSize = 0;
            bool negated = false;
            std::size_t list = 0;
        };
        const auto termAt = [&group](std::size_t at) -> std::optional<Term> {
            if (at >= group.size() || !group[at].isWord()) return std::nullopt;
            Term term{at, 1, false, 0};
            if (at + 2 < group.size() && group[at + 1].isSymbol(".")) term.columnSize = 3;
            if (term.columnSize == 3 && !group[at + 2].isWord()) return std::nullopt;
            std::size_t i = at + term.columnSize;
            if (i < group.size() && group[i].isWord("not")) {
                term.negated = true;
                ++i;
            }
            if (i + 1 >= group.size() || !group[i].isWord("in") || !group[i + 1].group) return std::nullopt;
            const Nodes& values = group[i + 1].inner;
            if (values.empty() || values.front().isWord("select")) return std::nullopt;
            term.list = i + 1;
            return term;
        };
        const auto sameColumn = [&group](const Term& a, const Term& b) {
            if (a.columnSize != b.columnSize) return false;
            for (std::size_t k = 0; k < a.columnSize; ++k)
                if (!Core::equalsIgnoringCase(group[a.column + k].token.text, group[b.column + k].token.text))
                    return false;
            return true;
        };
        const auto first = termAt(0);
        if (!first) return;
        const std::string_view connective = first->negated ? "and" : "or";
        std::vector<std::size_t> lists{first->list};
        for (std::size_t at = first->list + 1; at < group.size(); at = lists.back() + 1) {
            if (!group[at].isWord(connective)) return;
            const auto next = termAt(at + 1);
            if (!next || next->negated != first->negated || !sameColumn(*first, *next)) return;
            lists.push_back(next->list);
        }
        if (lists.size() < 2) return;
        Nodes& joined = group[first->list].inner;
        std::size_t size = 0;
        for (const std::size_t list : lists) size += group[list].inner.size() + 1;
        joined.reserve(size);
        for (std::size_t k = 1; k < lists.size(); ++k) {
            joined.push_back(Node::symbol(","));
            Nodes& values = group[lists[k]].inner;
            joined.insert(joined.end(), std::make_move_iterator(values.begin()), std::make_move_iterator(values.end()));
        }
        group.erase(nth(group, first->list + 1), group.end());
    }

    void rewriteTokens(Nodes& level) const {
        for (std::size_t i = 0; i < level.size(); ++i) {
            Node& node = level[i];
            if (node.group) continue;
            const auto at = nth(level, i);
            switch (node.token.kind) {
            case Token::Kind::String:
                // Oracle reads the empty text as NULL.
                if (node.token.text == "''") node = Node::word("null");
                break;
            case Token::Kind::Number:
                // Group keys written unquoted ("sgrindex in (0102)") match their text in Oracle,
                // which compares as numbers; SQLite would compare the text "102", and a key past
                // 64 bits it would read as a real and compare as "1.2e+21".
                if (Core::allDigits(node.token.text) &&
                    ((node.token.text.size() > 1 && node.token.text.front() == '0') ||
                     node.token.text.size() > kLongestExactInteger)) {
                    node.token = Token{Token::Kind::String, "'" + node.token.text + "'"};
                }
                break;
            case Token::Kind::Parameter:
                node.token.text = Core::lowerAscii(node.token.text);
                break;
            case Token::Kind::Symbol:
                // Oracle divides exactly; SQLite divides integers as integers.
                if (node.isSymbol("/")) {
                    level.insert(at, {Node::symbol("*"), Node::number("1.0")});
                    i += 2;
                }
                break;
            case Token::Kind::Word: {
                std::size_t last = i;
                std::string name = node.token.text;
                while (last + 2 < level.size() && level[last + 1].isSymbol(".") && level[last + 2].isWord()) {
                    name += "." + level[last + 2].token.text;
                    last += 2;
                }
                const bool called = last + 1 < level.size() && level[last + 1].group;
                if (last > i && called) {
                    // PostgreSQL calls a package's routine in the schema of the package's name.
                    if (target_ == Target::sqlite) {
                        node = Node::word(routineName(name));
                        level.erase(at + 1, nth(level, last + 1));
                    } else {
                        i = last;
                    }
                } else if (isPseudoFunction(node) && !(i > 0 && level[i - 1].isSymbol(".")) && last == i && !called) {
                    level.insert(at + 1, Node::groupOf({}));
                } else if (node.isWord("minus")) {
                    node.token.text = "except";
                }
                break;
            }
            default:
                break;
            }
        }
    }

    // The select cores of a level: from each "select" that starts the level's query or
    // follows a compound operator up to the next compound operator.
    void rewriteSelects(Nodes& level) {
        const bool compound = std::any_of(level.begin(), level.end(), isCompoundOperator);
        std::vector<std::pair<std::size_t, std::size_t>> cores;
        bool expectSelect = true;
        for (std::size_t i = 0; i < level.size(); ++i) {
            if (isCompoundOperator(level[i])) {
                if (!cores.empty() && cores.back().second == level.size()) cores.back().second = i;
                expectSelect = true;
            } else if (expectSelect && level[i].isWord("select")) {
                cores.emplace_back(i, level.size());
                expectSelect = false;
            }
        }
        for (auto core = cores.rbegin(); core != cores.rend(); ++core) {
            const auto begin = nth(level, core->first);
            const auto end = nth(level, core->second);
            // Moved out and back, not copied: a core may hold a list of 100 000 values.
            Nodes nodes(std::make_move_iterator(begin), std::make_move_iterator(end));
            try {
                rewriteOuterJoins(nodes);
                rewriteRownum(nodes, compound);
            } catch (const UntranslatableClause& error) {
                fail(error.what());
            }
            level.insert(level.erase(begin, end), std::make_move_iterator(nodes.begin()),
                         std::make_move_iterator(nodes.end()));
        }
    }

    // merge into T [a] using S [x] on (...) when matched then update set ... when not matched
    // then insert (...) values (...), either branch optional, read into its parts.
    struct Merge {
        Nodes target, targetAlias, source, sourceAlias;
        Node condition;
        std::optional<Nodes> assignments;  // the update's set list, its targets unqualified
        std::optional<Nodes> columns;      // the insert's column list (a group, or nothing), unqualified
        std::optional<Node> values;
        bool updateFirst = true;
    };

    Merge readMerge(const Nodes& merge) const {
        std::size_t i = 0;
        const auto expect = [&](std::string_view word) {
            if (i >= merge.size() || !merge[i].isWord(word)) fail("merge w nieobsługiwanej postaci");
            ++i;
        };
        const auto optionalAlias = [&](std::string_view next) {
            Nodes alias;
            if (i < merge.size() && merge[i].isWord() && !merge[i].isWord(next)) alias = {Node::word("as"), merge[i++]};
            return alias;
        };
        Merge result;
        expect("merge");
        expect("into");
        result.target = takeName(merge, i);
        result.targetAlias = optionalAlias("using");
        expect("using");
        result.source = i < merge.size() && merge[i].group ? Nodes{merge[i++]} : takeName(merge, i);
        result.sourceAlias = optionalAlias("on");
        expect("on");
        if (i >= merge.size() || !merge[i].group) fail("merge bez warunku on w nawiasie");
        result.condition = merge[i++];

        while (i < merge.size()) {
            expect("when");
            if (i < merge.size() && merge[i].isWord("matched")) {
                expect("matched");
                expect("then");
                expect("update");
                expect("set");
                const std::size_t begin = i;
                while (i < merge.size() && !merge[i].isWord("when")) {
                    if (merge[i].isWord("where") || merge[i].isWord("delete")) fail("merge z warunkiem gałęzi when");
                    ++i;
                }
                result.assignments =
                    unqualifiedTargets(Nodes(nth(merge, begin), nth(merge, i)), result.target, result.targetAlias);
                result.updateFirst = !result.values;
            } else {
                expect("not");
                expect("matched");
                expect("then");
                expect("insert");
                result.columns = Nodes{};
                if (i < merge.size() && merge[i].group) {
                    result.columns->push_back(
                        Node::groupOf(unqualifiedTargets(merge[i++].inner, result.target, result.targetAlias)));
                }
                expect("values");
                if (i >= merge.size() || !merge[i].group) fail("merge bez listy values");
                result.values = merge[i++];
            }
        }
        if (!result.assignments && !result.values) fail("merge bez gałęzi when");
        return result;
    }

    // On SQLite: an UPDATE ... FROM of the matched rows, then an INSERT ... SELECT of the rest.
    // The update goes first, so the insert sees its rows as matched.
    static std::vector<Nodes> sqliteMerge(const Merge& merge) {
        Nodes from{Node::word("from")};
        append(from, merge.source);
        append(from, merge.sourceAlias);
        std::vector<Nodes> statements;
        if (merge.assignments) {
            Nodes update{Node::word("update")};
            append(update, merge.target);
            append(update, merge.targetAlias);
            update.push_back(Node::word("set"));
            append(update, *merge.assignments);
            append(update, from);
            update.push_back(Node::word("where"));
            update.push_back(merge.condition);
            statements.push_back(std::move(update));
        }
        if (merge.values) {
            Nodes matched{Node::word("select"), Node::number("1"), Node::word("from")};
            append(matched, merge.target);
            append(matched, merge.targetAlias);
            matched.push_back(Node::word("where"));
            matched.push_back(merge.condition);
            Nodes insert{Node::word("insert"), Node::word("into")};
            append(insert, merge.target);
            append(insert, *merge.columns);
            insert.push_back(Node::word("select"));
            append(insert, merge.values->inner);
            append(insert, from);
            append(insert, {Node::word("where"), Node::word("not"), Node::word("exists"), Node::groupOf(matched)});
            statements.push_back(std::move(insert));
        }
        return statements;
    }

    // On PostgreSQL, its own MERGE: one statement, with bare column names to set and insert.
    static Nodes postgresMerge(const Merge& merge) {
        Nodes statement{Node::word("merge"), Node::word("into")};
        append(statement, merge.target);
        append(statement, merge.targetAlias);
        statement.push_back(Node::word("using"));
        append(statement, merge.source);
        append(statement, merge.sourceAlias);
        statement.push_back(Node::word("on"));
        statement.push_back(merge.condition);
        Nodes update;
        if (merge.assignments) {
            update = {Node::word("when"), Node::word("matched"), Node::word("then"), Node::word("update"),
                      Node::word("set")};
            append(update, *merge.assignments);
        }
        Nodes insert;
        if (merge.values) {
            insert = {Node::word("when"), Node::word("not"), Node::word("matched"), Node::word("then"),
                      Node::word("insert")};
            append(insert, *merge.columns);
            insert.push_back(Node::word("values"));
            insert.push_back(*merge.values);
        }
        append(statement, merge.updateFirst ? update : insert);
        append(statement, merge.updateFirst ? insert : update);
        return statement;
    }

    // update T a set a.c = ...: SQLite wants "as" before the alias and bare column names to set.
    static void rewriteUpdate(Nodes& update) {
        std::size_t i = 1;
        const Nodes target = takeName(update, i);
        Nodes alias;
        if (i < update.size() && update[i].isWord() && !update[i].isWord("set")) {
            if (!update[i].isWord("as")) update.insert(nth(update, i), Node::word("as"));
            alias = {update[i], update[i + 1]};
            i += 2;
        }
        if (i >= update.size() || !update[i].isWord("set")) return;
        const auto begin = nth(update, i) + 1;
        const auto end = std::find_if(begin, update.end(), [](const Node& node) { return node.isWord("where"); });
        const Nodes assignments = unqualifiedTargets(Nodes(begin, end), target, alias);
        update.insert(update.erase(begin, end), assignments.begin(), assignments.end());
    }

    // delete [from] T a where ...: SQLite wants "from" and "as" before the alias.
    static void rewriteDelete(Nodes& statement) {
        if (statement.size() < 2) return;
        if (!statement[1].isWord("from")) statement.insert(statement.begin() + 1, Node::word("from"));
        std::size_t i = 2;
        takeName(statement, i);
        if (i < statement.size() && statement[i].isWord() && !statement[i].isWord("where") &&
            !statement[i].isWord("as")) {
            statement.insert(nth(statement, i), Node::word("as"));
        }
    }

    // A name, possibly qualified by its schema, starting at i; i moves past it.
    static Nodes takeName(const Nodes& nodes, std::size_t& i) {
        Nodes name;
        if (i < nodes.size() && !nodes[i].group) name.push_back(nodes[i++]);
        while (i + 1 < nodes.size() && nodes[i].isSymbol(".") && !nodes[i + 1].group) {
            name.push_back(nodes[i++]);
            name.push_back(nodes[i++]);
        }
        return name;
    }

    // The assignments of a SET list with "t.c = ..." written "c = ...", t being the table or its alias.
    static Nodes unqualifiedTargets(const Nodes& assignments, const Nodes& target, const Nodes& alias) {
        std::vector<std::string> qualifiers;
        if (!target.empty()) qualifiers.push_back(Core::lowerAscii(target.back().token.text));
        if (!alias.empty()) qualifiers.push_back(Core::lowerAscii(alias.back().token.text));
        Nodes result;
        bool itemStart = true;
        for (std::size_t k = 0; k < assignments.size(); ++k) {
            const Node& node = assignments[k];
            if (itemStart && k + 2 < assignments.size() && node.isWord() && assignments[k + 1].isSymbol(".") &&
                std::find(qualifiers.begin(), qualifiers.end(), Core::lowerAscii(node.token.text)) != qualifiers.end()) {
                ++k;  // the qualifier and its dot
                itemStart = false;
                continue;
            }
            itemStart = node.isSymbol(",");
            result.push_back(node);
        }
        return result;
    }

    void checkTranslated(const Nodes& nodes) const {
        for (const Node& node : nodes) {
            if (node.group) checkTranslated(node.inner);
            if (node.isWord("rownum")) fail("rownum poza postaciami rownum = 1, rownum <= n i rownum < n w where");
            if (node.isSymbol(outerJoinMarker)) fail("złączenie zewnętrzne (+) poza warunkiem where");
        }
    }

    std::string_view sql_;
    Target target_;
};

}  // namespace

Translation translate(std::string_view oracleSql, Target target) {
    return Translator(oracleSql, target).run();
}

std::string routineName(std::string_view qualified) {
    std::string name = Core::lowerAscii(qualified);
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

}  // namespace DBKernel::Dialect
