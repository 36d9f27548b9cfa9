#pragma once
// A tokenized statement as a tree: each parenthesised part becomes one group
// node holding its contents, so that the rewriting rules see the clauses of
// one nesting level at a time and can move whole subqueries.

#include "Core/Database/Dialect/SqlTokenizer.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace DBKernel::Dialect {

struct Node {
    Token token;              // "(" for a group
    std::vector<Node> inner;  // a group's contents
    bool group = false;

    static Node word(std::string text);
    static Node symbol(std::string text);
    static Node number(std::string text);
    static Node groupOf(std::vector<Node> inner);

    // Case-insensitive, as Oracle reads unquoted names and keywords; lowerCase is given in lower case.
    bool isWord(std::string_view lowerCase) const;
    // A word that is any one of these (lower case).
    bool isAnyWord(std::initializer_list<std::string_view> lowerCase) const;
    bool isSymbol(std::string_view text) const;
    bool isWord() const { return !group && token.kind == Token::Kind::Word; }
};

using Nodes = std::vector<Node>;

// The position of the i-th node, for inserting and erasing.
inline Nodes::iterator nth(Nodes& nodes, std::size_t i) {
    return nodes.begin() + static_cast<std::ptrdiff_t>(i);
}
inline Nodes::const_iterator nth(const Nodes& nodes, std::size_t i) {
    return nodes.begin() + static_cast<std::ptrdiff_t>(i);
}

// How deep parentheses may nest: far beyond any statement of the module, and
// below SQLite's parser, which gives up at about 90 levels. The rewriting
// rules walk the tree recursively, so the limit also bounds their stack.
inline constexpr std::size_t kMaxNesting = 64;

// Throws std::runtime_error for parentheses that do not pair up or nest
// deeper than kMaxNesting.
Nodes parse(const std::vector<Token>& tokens);

// The statement as text: tokens separated by single blanks, none after "(" and
// ".", none before ")", "," and ".", none between a function's name and its "(".
std::string render(const Nodes& nodes);

}  // namespace DBKernel::Dialect
