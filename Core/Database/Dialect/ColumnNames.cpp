#include "Core/Database/Dialect/ColumnNames.h"

#include "Core/Database/Dialect/SqlTokenizer.h"
#include "Core/Database/Schema.h"
#include "Core/tools/IgnoringCase.h"

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

}  // namespace

ColumnNames::ColumnNames(std::string_view statement) { addWords(statement, spelled_); }

std::string ColumnNames::spelling(const std::string& serverName) const {
    if (const auto found = spelled_.find(serverName); found != spelled_.end()) return found->second;
    const auto& schema = schemaSpelling();
    if (const auto found = schema.find(serverName); found != schema.end()) return found->second;
    return serverName;
}

}  // namespace DBKernel::Dialect
