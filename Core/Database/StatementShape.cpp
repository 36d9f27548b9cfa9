#include "Core/Database/StatementShape.h"

#include "Core/Database/DatabaseError.h"
#include "Core/Database/Dialect/LikeRanges.h"
#include "Core/Database/Dialect/SqlTokenizer.h"
#include "Core/Database/SQLUtils.h"
#include "Core/tools/IgnoringCase.h"

#include <cctype>
#include <stdexcept>

namespace DBKernel {
namespace {

using Dialect::Token;

bool isWord(const Token& token, std::string_view lowerCase) {
    return token.kind == Token::Kind::Word && Core::equalsIgnoringCase(token.text, lowerCase);
}
bool isSymbol(const Token& token, std::string_view text) {
    return token.kind == Token::Kind::Symbol && token.text == text;
}

bool startsWithSelect(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) ++at;
    return Core::equalsIgnoringCase(std::string_view(text).substr(at, 6), "select");
}

class Shaper {
public:
    explicit Shaper(std::vector<Token> tokens) : tokens_(std::move(tokens)), openers_(tokens_.size()) {}

    StatementShape run(const std::string& original) {
        // A nesting level: whether its literals name result columns (a select
        // list, or anything inside one), and whether it is an "in" list.
        struct Level {
            bool naming = true;
            bool selectList = true;
            bool inList = false;
        };
        std::vector<Level> levels{Level{}};
        std::vector<std::size_t> opened;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            const Token& token = tokens_[i];
            Level& level = levels.back();
            if (isWord(token, "select")) {
                level.selectList = true;
            } else if (isWord(token, "from")) {
                level.selectList = false;
                if (levels.size() == 1 || !levels[levels.size() - 2].naming) level.naming = false;
            } else if (isSymbol(token, "(")) {
                const bool naming = level.naming || level.selectList;
                levels.push_back(Level{naming, false, i > 0 && isWord(tokens_[i - 1], "in")});
                opened.push_back(i);
            } else if (isSymbol(token, ")") && levels.size() > 1 && !opened.empty()) {
                levels.pop_back();
                openers_[i] = opened.back();
                opened.pop_back();
            } else if (token.kind == Token::Kind::String && token.text != "''" && !level.naming && !level.selectList) {
                take(i, level.inList);
            }
        }
        if (shape_.literals.empty()) return {original, {}};
        for (const auto& token : tokens_) {
            if (!shape_.text.empty()) shape_.text += ' ';
            shape_.text += token.text;
        }
        return std::move(shape_);
    }

private:
    void take(std::size_t i, bool inList) {
        const Token& before = tokens_[i - 1];
        const std::string text = Dialect::unquotedLiteral(tokens_[i].text);
        if (isSymbol(before, "=")) {
            replace(i, {}, text, {});
        } else if (inList && (isSymbol(before, "(") || isSymbol(before, ",")) && i + 1 < tokens_.size() &&
                   (isSymbol(tokens_[i + 1], ",") || isSymbol(tokens_[i + 1], ")"))) {
            replace(i, {}, text, {});
        } else if (isWord(before, "like")) {
            takePattern(i, text);
        }
    }

    // '%TEXT' becomes '%' || :p; after upper(...), 'TEXT%...' becomes :p || '%...'
    // (LikeRanges.h): the forms whose range the translation computes from :p.
    void takePattern(std::size_t i, const std::string& pattern) {
        const auto rest = std::string_view(pattern).substr(pattern.empty() ? 0 : 1);
        const bool afterColumn = i >= 2 && tokens_[i - 2].kind == Token::Kind::Word;
        if (afterColumn && pattern.starts_with('%') && rest.find_first_of("%_") == std::string_view::npos &&
            Dialect::prefixRange(Dialect::reverseCharacters(rest))) {
            replace(i, "'%'", std::string(rest), {});
            return;
        }
        const bool afterUpper = i >= 3 && isSymbol(tokens_[i - 2], ")") && openers_[i - 2] > 0 &&
                                isWord(tokens_[openers_[i - 2] - 1], "upper");
        const auto wildcard = pattern.find_first_of("%_");
        if (afterUpper && wildcard != std::string::npos && Dialect::prefixRange(pattern))
            replace(i, {}, pattern.substr(0, wildcard), "'" + SQLUtils::SQLString(pattern.substr(wildcard)) + "'");
    }

    // The literal at i becomes [before ||] :p [|| after], p bound to value.
    void replace(std::size_t i, const std::string& before, std::string value, const std::string& after) {
        const std::string name = "literal$" + std::to_string(shape_.literals.size() + 1);
        std::string text = ":" + name;
        if (!before.empty()) text = before + " || " + text;
        if (!after.empty()) text += " || " + after;
        tokens_[i] = Token{Token::Kind::Parameter, std::move(text)};
        shape_.literals.emplace_back(name, std::move(value));
    }

    std::vector<Token> tokens_;
    std::vector<std::size_t> openers_;  // of each ")" met, the position of its "("
    StatementShape shape_;
};

}  // namespace

StatementShape StatementShape::of(const std::string& text) {
    if (text.find('\'') == std::string::npos || !startsWithSelect(text)) return {text, {}};
    std::vector<Token> tokens;
    try {
        tokens = Dialect::tokenize(text);
    } catch (const std::runtime_error&) {
        return {text, {}};
    }
    return Shaper(std::move(tokens)).run(text);
}

ShapedStatement::ShapedStatement(std::unique_ptr<Backend::Statement> shaped, std::string text,
                                 std::vector<std::pair<std::string, std::string>> literals)
    : Statement(std::move(text)), shaped_(std::move(shaped)), literals_(std::move(literals)) {
    columnNames_ = shaped_->columnNames();
    columnDeclaredTypes_ = shaped_->columnDeclaredTypes();
    const auto& names = shaped_->parameterNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        bool literal = false;
        for (const auto& [name, value] : literals_)
            if (Core::equalsIgnoringCase(name, names[i])) {
                shaped_->bind(i, Value(value));
                literal = true;
            }
        if (literal) continue;
        names_.push_back(names[i]);
        positions_.push_back(i);
    }
}

std::unique_ptr<Backend::Statement> ShapedStatement::unshaped(std::unique_ptr<Backend::Statement> statement) {
    if (auto* shaped = dynamic_cast<ShapedStatement*>(statement.get())) return std::move(shaped->shaped_);
    return statement;
}

bool ShapedStatement::start() {
    try {
        return shaped_->start();
    } catch (const DatabaseError& e) {
        throw e.naming(text());
    }
}

bool ShapedStatement::step() {
    try {
        return shaped_->step();
    } catch (const DatabaseError& e) {
        throw e.naming(text());
    }
}

}  // namespace DBKernel
