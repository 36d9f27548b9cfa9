#pragma once
// Splits one SQL statement of the module's Oracle dialect into tokens.
// Comments and white space separate tokens and are dropped; every token keeps
// its source text, so literals and quoted names are written back unchanged.

#include <string>
#include <string_view>
#include <vector>

namespace DBKernel::Dialect {

struct Token {
    enum class Kind {
        Word,        // identifier or keyword: sNazwa, select, t
        QuotedName,  // "Name", with "" inside
        String,      // 'text', with '' inside
        Number,      // 12, 0.5, .5, 1e3
        Parameter,   // :name (or :1); the text holds the colon
        Symbol,      // ( ) , . ; || <= >= <> != :: and single-character operators
    };
    Kind kind;
    std::string text;

    bool operator==(const Token&) const = default;
};

// Throws std::runtime_error for an unterminated literal, quoted name or comment
// and for a character that belongs to no token.
std::vector<Token> tokenize(std::string_view sql);

// The text of a string literal's token, its quotes removed and its doubled apostrophes made single.
std::string unquotedLiteral(std::string_view literal);

}  // namespace DBKernel::Dialect
