#include "Core/Database/Dialect/LikeRanges.h"

#include "Core/Database/SQLUtils.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

namespace DBKernel::Dialect {
namespace {

// The text of a literal token, its quotes removed and its doubled apostrophes made single.
std::string unquoted(const std::string& literal) {
    std::string text;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        text += literal[i];
        if (literal[i] == '\'') ++i;
    }
    return text;
}

Nodes bound(std::string_view text, Target target) {
    Nodes nodes{Node{Token{Token::Kind::String, "'" + SQLUtils::SQLString(text) + "'"}, {}, false}};
    if (target == Target::postgresql) {
        nodes.push_back(Node::word("collate"));
        nodes.push_back(Node{Token{Token::Kind::QuotedName, "\"C\""}, {}, false});
    }
    return nodes;
}

// The least text above every text that begins with `prefix`: its last character
// raised by one. None when the prefix is no valid UTF-8, holds the replacement
// character (SQLite's LIKE reads every broken byte sequence as that one character,
// so equal characters need not be equal bytes there) or ends in the last character.
std::optional<std::string> upperBound(std::string_view prefix) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(prefix.data());
    const auto length = static_cast<int32_t>(prefix.size());
    int32_t at = 0;
    int32_t lastStart = 0;
    UChar32 last = 0;
    while (at < length) {
        lastStart = at;
        U8_NEXT(bytes, at, length, last);
        if (last < 0 || last == 0xFFFD || last == 0) return std::nullopt;
    }
    if (prefix.empty() || last == 0x10FFFF) return std::nullopt;
    // UTF-8 orders texts as their characters; the surrogates have no encoding.
    const UChar32 next = last + 1 == 0xD800 ? 0xE000 : last + 1;
    std::array<uint8_t, U8_MAX_LENGTH> encoded{};
    int32_t size = 0;
    U8_APPEND_UNSAFE(encoded.data(), size, next);
    return std::string(prefix.substr(0, static_cast<std::size_t>(lastStart))) +
           std::string(reinterpret_cast<const char*>(encoded.data()), static_cast<std::size_t>(size));
}

bool oneOf(const Node& node, std::initializer_list<std::string_view> words) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view word) { return node.isWord(word); });
}

// A "like" condition may stand here alone: the whole condition is its operand, pattern and nothing else.
bool startsCondition(const Nodes& level, std::size_t at) {
    return at == 0 || oneOf(level[at - 1], {"where", "and", "or", "on", "not", "when", "having"});
}
bool endsCondition(const Nodes& level, std::size_t at) {
    return at == level.size() ||
           oneOf(level[at], {"and", "or", "then", "when", "else", "end", "order", "group", "having", "limit",
                             "union", "intersect", "except"}) ||
           level[at].isSymbol(";");
}

Nodes call(const char* function, const Nodes& argument) {
    return {Node::word(function), Node::groupOf(argument)};
}

// (e >= 'low' and e < 'high' and <the like as written>)
Node ranged(const Nodes& indexed, const std::string& low, const std::string& high, Nodes like, Target target) {
    Nodes condition = indexed;
    condition.push_back(Node::symbol(">="));
    const Nodes lowBound = bound(low, target);
    condition.insert(condition.end(), lowBound.begin(), lowBound.end());
    condition.push_back(Node::word("and"));
    condition.insert(condition.end(), indexed.begin(), indexed.end());
    condition.push_back(Node::symbol("<"));
    const Nodes highBound = bound(high, target);
    condition.insert(condition.end(), highBound.begin(), highBound.end());
    condition.push_back(Node::word("and"));
    condition.insert(condition.end(), like.begin(), like.end());
    return Node::groupOf(std::move(condition));
}

// The range that comes before "operand like pattern", or none.
std::optional<Node> rangeFor(const Nodes& operand, const std::string& pattern, Nodes like, Target target) {
    const auto wildcard = pattern.find_first_of("%_");
    const bool upperCall = operand.size() == 2 && operand[0].isWord("upper") && operand[1].group;
    if (upperCall && wildcard != 0) {
        const std::string prefix = pattern.substr(0, wildcard);
        const auto high = upperBound(prefix);
        if (!high) return std::nullopt;
        return ranged(call("polish_upper", operand[1].inner), prefix, *high, std::move(like), target);
    }
    const bool column = !operand.empty() && operand.back().isWord();
    if (column && wildcard == 0 && pattern.find_first_of("%_", 1) == std::string::npos) {
        const std::string reversed = reverseCharacters(std::string_view(pattern).substr(1));
        const auto high = upperBound(reversed);
        if (!high) return std::nullopt;
        return ranged(call("reverse_chars", operand), reversed, *high, std::move(like), target);
    }
    return std::nullopt;
}

// The operand that ends just before position `like`: a column (t.c or c) or a call of upper.
std::optional<std::size_t> operandStart(const Nodes& level, std::size_t like) {
    if (like >= 2 && level[like - 1].group && level[like - 2].isWord("upper")) return like - 2;
    if (like < 1 || !level[like - 1].isWord() ||
        oneOf(level[like - 1], {"not", "where", "and", "or", "on", "end", "then", "else", "select", "distinct"}))
        return std::nullopt;
    if (like >= 3 && level[like - 2].isSymbol(".") && level[like - 3].isWord()) return like - 3;
    return like - 1;
}

}  // namespace

void addLikeRanges(Nodes& level, Target target) {
    // "a between b and c like ..." would read the "and" of the between as a condition's start.
    if (std::any_of(level.begin(), level.end(), [](const Node& node) { return node.isWord("between"); })) return;
    for (std::size_t i = 0; i + 1 < level.size(); ++i) {
        if (!level[i].isWord("like") || level[i + 1].group || level[i + 1].token.kind != Token::Kind::String) continue;
        const auto start = operandStart(level, i);
        if (!start || !startsCondition(level, *start) || !endsCondition(level, i + 2)) continue;
        const Nodes operand(nth(level, *start), nth(level, i));
        Nodes like(nth(level, *start), nth(level, i + 2));
        auto range = rangeFor(operand, unquoted(level[i + 1].token.text), std::move(like), target);
        if (!range) continue;
        level.erase(nth(level, *start + 1), nth(level, i + 2));
        level[*start] = std::move(*range);
        i = *start;
    }
}

std::string reverseCharacters(std::string_view text) {
    std::string reversed;
    reversed.reserve(text.size());
    std::size_t end = text.size();
    while (end > 0) {
        std::size_t start = end - 1;
        while (start > 0 && U8_IS_TRAIL(static_cast<uint8_t>(text[start]))) --start;
        reversed.append(text.substr(start, end - start));
        end = start;
    }
    return reversed;
}

}  // namespace DBKernel::Dialect
