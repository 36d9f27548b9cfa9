#include "Core/Database/Dialect/SqlTokenizer.h"

#include <array>
#include <stdexcept>

namespace DBKernel::Dialect {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Bytes of UTF-8 sequences count as letters, as Oracle accepts national letters in names.
bool isWordStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool isWordPart(char c) {
    return isWordStart(c) || isDigit(c) || c == '$' || c == '#';
}

class Scanner {
public:
    explicit Scanner(std::string_view sql) : sql_(sql) {}

    std::vector<Token> tokens() {
        std::vector<Token> result;
        while (skipBlanksAndComments()) result.push_back(next());
        return result;
    }

private:
    // Moves past white space and comments; false at the end of the text.
    bool skipBlanksAndComments() {
        while (pos_ < sql_.size()) {
            const char c = sql_[pos_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (sql_.substr(pos_, 2) == "--") {
                const auto end = sql_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? sql_.size() : end + 1;
            } else if (sql_.substr(pos_, 2) == "/*") {
                const auto end = sql_.find("*/", pos_ + 2);
                if (end == std::string_view::npos) fail("niezakończony komentarz /*");
                pos_ = end + 2;
            } else {
                return true;
            }
        }
        return false;
    }

    Token next() {
        const char c = sql_[pos_];
        const char following = pos_ + 1 < sql_.size() ? sql_[pos_ + 1] : '\0';
        if (isWordStart(c)) return take(Token::Kind::Word, wordEnd(pos_));
        if (isDigit(c) || (c == '.' && isDigit(following))) return take(Token::Kind::Number, numberEnd());
        if (c == '\'') return take(Token::Kind::String, quotedEnd('\'', "niezakończony tekst w apostrofach"));
        if (c == '"') return take(Token::Kind::QuotedName, quotedEnd('"', "niezakończona nazwa w cudzysłowie"));
        if (c == ':' && (isWordStart(following) || isDigit(following))) {
            return take(Token::Kind::Parameter, wordEnd(pos_ + 1));
        }
        static constexpr std::array<std::string_view, 6> pairs{"||", "<=", ">=", "<>", "!=", "::"};
        for (auto pair : pairs) {
            if (sql_.substr(pos_, 2) == pair) return take(Token::Kind::Symbol, pos_ + 2);
        }
        if (std::string_view("(),.;=<>+-*/%:").find(c) != std::string_view::npos) {
            return take(Token::Kind::Symbol, pos_ + 1);
        }
        fail(std::string("nieznany znak '") + c + "'");
    }

    Token take(Token::Kind kind, std::size_t end) {
        Token token{kind, std::string(sql_.substr(pos_, end - pos_))};
        pos_ = end;
        return token;
    }

    std::size_t wordEnd(std::size_t from) const {
        while (from < sql_.size() && isWordPart(sql_[from])) ++from;
        return from;
    }

    std::size_t digitsEnd(std::size_t from) const {
        while (from < sql_.size() && isDigit(sql_[from])) ++from;
        return from;
    }

    // Digits, an optional fraction and an optional exponent; "12and" ends before "and".
    std::size_t numberEnd() const {
        std::size_t end = digitsEnd(pos_);
        if (end < sql_.size() && sql_[end] == '.') end = digitsEnd(end + 1);
        if (end < sql_.size() && (sql_[end] == 'e' || sql_[end] == 'E')) {
            std::size_t exponent = end + 1;
            if (exponent < sql_.size() && (sql_[exponent] == '+' || sql_[exponent] == '-')) ++exponent;
            if (exponent < sql_.size() && isDigit(sql_[exponent])) end = digitsEnd(exponent);
        }
        return end;
    }

    // A doubled quote inside stands for one quote.
    std::size_t quotedEnd(char quote, const char* unterminated) const {
        std::size_t at = pos_ + 1;
        while (true) {
            at = sql_.find(quote, at);
            if (at == std::string_view::npos) fail(unterminated);
            if (at + 1 < sql_.size() && sql_[at + 1] == quote) {
                at += 2;
            } else {
                return at + 1;
            }
        }
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("Błąd składni SQL: " + what + " (pozycja " + std::to_string(pos_ + 1) + ")");
    }

    std::string_view sql_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<Token> tokenize(std::string_view sql) {
    return Scanner(sql).tokens();
}

std::string unquotedLiteral(std::string_view literal) {
    std::string text;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        text += literal[i];
        if (literal[i] == '\'') ++i;
    }
    return text;
}

}  // namespace DBKernel::Dialect
