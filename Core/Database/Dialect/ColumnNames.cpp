#include "Core/Database/Dialect/ColumnNames.h"

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/SqlTokenizer.h"
#include "Core/Database/Dialect/SqlTree.h"
#include "Core/Database/Schema.h"
#include "Core/tools/IgnoringCase.h"

#include <algorithm>
#include <stdexcept>

namespace DBKernel::Dialect {
namespace {

// Adds each word of a statement by its folded name, spelled as it first appears.
void addWords(std::string_view statement, std::unordered_map<std::string, std::string>& spellings) {
    for (const auto& token : tokenize(statement))
        if (token.kind == Token::Kind::Word) spellings.try_emplace(Core::lowerAscii(token.text), token.text);
}

// Every name of the store's schema as its SQLite migrations first spell it, which
// is where they define it (a table's columns come before any use of them). Read
// once per process from the migrations' texts, so the schema has one source.
const std::unordered_map<std::string, std::string>& schemaSpelling() {
    static const auto spellings = [] {
        std::unordered_map<std::string, std::string> words;
        for (const auto& migration : Schema::migrations()) addWords(migration.script, words);
        return words;
    }();
    return spellings;
}

bool isColumn(const Nodes& item) {
    return (item.size() == 1 && item[0].token.kind == Token::Kind::QuotedName) ||
           (item.size() == 1 && item[0].isWord() && !item[0].isWord("null")) ||
           (item.size() == 3 && item[0].isWord() && item[1].isSymbol("."));
}

// The words after which a last word belongs to the expression ("x is null", "not x"), not
// an alias of it.
bool continuesExpression(const Node& node) {
    return node.isAnyWord({"is", "not", "and", "or", "like", "escape", "in", "between", "prior", "when", "then",
                           "else", "case", "distinct", "all"});
}

bool hasAlias(const Nodes& item) {
    if (item.size() < 2) return false;
    if (item.back().token.kind == Token::Kind::QuotedName && !item.back().group)
        return !item[item.size() - 2].isSymbol(".");
    if (!item.back().isWord() || item.back().isWord("end") || item.back().isWord("null")) return false;
    const Node& before = item[item.size() - 2];
    if (before.isWord()) return !continuesExpression(before);
    return before.group || before.token.kind == Token::Kind::Number || before.token.kind == Token::Kind::String ||
           before.token.kind == Token::Kind::QuotedName;
}

// What SQLite names each item of the statement's first select list (up to a "*",
// after which the places of the items are not known): an expression without an
// alias by its text in the statement SQLite is given, the translation's; nothing
// for the rest.
std::vector<std::string> unaliasedExpressions(std::string_view statement) {
    std::vector<std::string> translated;
    try {
        translated = translate(statement, Target::sqlite).statements;
    } catch (const std::runtime_error&) {
        return {};  // a text SQLite's translation refuses keeps the server's names
    }
    if (translated.empty()) return {};
    const Nodes level = parse(tokenize(translated.back()));
    auto at = std::find_if(level.begin(), level.end(), [](const Node& node) { return node.isWord("select"); });
    if (at == level.end()) return {};
    ++at;
    if (at != level.end() && (at->isWord("distinct") || at->isWord("all"))) ++at;
    std::vector<std::string> expressions;
    Nodes item;
    const auto itemEnds = [&] {
        if (item.empty() || item.back().isSymbol("*")) return false;
        expressions.push_back(isColumn(item) || hasAlias(item) ? std::string() : render(item));
        item.clear();
        return true;
    };
    for (; at != level.end() && !at->isWord("from") && !at->isSymbol(";"); ++at) {
        if (!at->isSymbol(",")) {
            item.push_back(*at);
        } else if (!itemEnds()) {
            return expressions;
        }
    }
    itemEnds();
    return expressions;
}

}  // namespace

ColumnNames::ColumnNames(std::string_view statement) : expressions_(unaliasedExpressions(statement)) {
    addWords(statement, spelled_);
}

std::string ColumnNames::spelling(std::size_t index, const std::string& serverName) const {
    if (index < expressions_.size() && !expressions_[index].empty()) return expressions_[index];
    if (const auto found = spelled_.find(serverName); found != spelled_.end()) return found->second;
    const auto& schema = schemaSpelling();
    if (const auto found = schema.find(serverName); found != schema.end()) return found->second;
    return serverName;
}

}  // namespace DBKernel::Dialect
