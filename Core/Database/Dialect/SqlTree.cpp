#include "Core/Database/Dialect/SqlTree.h"

#include "Core/tools/IgnoringCase.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace DBKernel::Dialect {
namespace {

Nodes parseLevel(std::vector<Token>::const_iterator& at, std::vector<Token>::const_iterator end, std::size_t depth) {
    Nodes level;
    while (at != end) {
        const Token& token = *at++;
        if (token.kind == Token::Kind::Symbol && token.text == "(") {
            if (depth == kMaxNesting)
                throw std::runtime_error("Błąd składni SQL: więcej niż " + std::to_string(kMaxNesting) +
                                         " poziomy zagnieżdżonych nawiasów.");
            level.push_back(Node::groupOf(parseLevel(at, end, depth + 1)));
        } else if (token.kind == Token::Kind::Symbol && token.text == ")") {
            if (depth == 0) throw std::runtime_error("Błąd składni SQL: nawias zamykający bez otwierającego.");
            return level;
        } else {
            level.push_back(Node{token, {}, false});
        }
    }
    if (depth != 0) throw std::runtime_error("Błąd składni SQL: niezamknięty nawias.");
    return level;
}

// Words after which "(" opens an operand, not the argument list of a call.
bool isKeywordBeforeGroup(const Node& node) {
    static constexpr std::array<std::string_view, 24> keywords{
        "all", "and", "as", "between", "by",  "else",   "exists", "from",  "in",    "insert", "is",    "join",
        "like", "not", "on", "or",     "select", "set", "then",   "union", "using", "values", "when", "where"};
    const std::string word = Core::lowerAscii(node.token.text);
    return std::find(keywords.begin(), keywords.end(), word) != keywords.end();
}

class Writer {
public:
    void write(const Nodes& nodes) {
        for (const Node& node : nodes) {
            if (node.group) {
                put("(", last_ != Last::Name || keywordBefore_);
                last_ = Last::Opening;
                write(node.inner);
                put(")", false);
                last_ = Last::Other;
            } else {
                put(node.token.text, !(node.isSymbol(")") || node.isSymbol(",") || node.isSymbol(".")));
                const bool name = node.token.kind == Token::Kind::Word || node.token.kind == Token::Kind::QuotedName;
                last_ = node.isSymbol(".") ? Last::Opening : name ? Last::Name : Last::Other;
                keywordBefore_ = node.isWord() && isKeywordBeforeGroup(node);
            }
        }
    }
    std::string text() && { return std::move(text_); }

private:
    enum class Last { Nothing, Opening, Name, Other };

    void put(const std::string& piece, bool spaced) {
        if (spaced && last_ != Last::Nothing && last_ != Last::Opening) text_ += ' ';
        text_ += piece;
    }

    std::string text_;
    Last last_ = Last::Nothing;
    bool keywordBefore_ = false;
};

}  // namespace

Node Node::word(std::string text) {
    return Node{Token{Token::Kind::Word, std::move(text)}, {}, false};
}

Node Node::symbol(std::string text) {
    return Node{Token{Token::Kind::Symbol, std::move(text)}, {}, false};
}

Node Node::number(std::string text) {
    return Node{Token{Token::Kind::Number, std::move(text)}, {}, false};
}

Node Node::groupOf(std::vector<Node> inner) {
    return Node{Token{Token::Kind::Symbol, "("}, std::move(inner), true};
}

bool Node::isWord(std::string_view lowerCaseText) const {
    // Compared in place: the rules ask this of every node they pass, and a lowered copy cost an allocation each.
    return isWord() && Core::equalsIgnoringCase(token.text, lowerCaseText);
}

bool Node::isAnyWord(std::initializer_list<std::string_view> lowerCase) const {
    return std::any_of(lowerCase.begin(), lowerCase.end(), [&](std::string_view word) { return isWord(word); });
}

bool Node::isSymbol(std::string_view text) const {
    return !group && token.kind == Token::Kind::Symbol && token.text == text;
}

Nodes parse(const std::vector<Token>& tokens) {
    auto at = tokens.begin();
    return parseLevel(at, tokens.end(), 0);
}

std::string render(const Nodes& nodes) {
    Writer writer;
    writer.write(nodes);
    return std::move(writer).text();
}


}  // namespace DBKernel::Dialect
