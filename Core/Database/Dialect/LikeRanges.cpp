#include "Core/Database/Dialect/LikeRanges.h"

#include "Core/Database/SQLUtils.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

namespace DBKernel::Dialect {
namespace {

// A bound of a range: on PostgreSQL in byte order, as the indexes are, whatever the database's collation.
Nodes inByteOrder(Nodes bound, Target target) {
    if (target == Target::postgresql) {
        bound.push_back(Node::word("collate"));
        bound.push_back(Node{Token{Token::Kind::QuotedName, "\"C\""}, {}, false});
    }
    return bound;
}

Nodes bound(std::string_view text, Target target) {
    return inByteOrder({Node{Token{Token::Kind::String, "'" + SQLUtils::SQLString(text) + "'"}, {}, false}}, target);
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

// A "like" condition may stand here alone: the whole condition is its operand, pattern and nothing else.
bool startsCondition(const Nodes& level, std::size_t at) {
    return at == 0 || level[at - 1].isAnyWord({"where", "and", "or", "on", "not", "when", "having"});
}
bool endsCondition(const Nodes& level, std::size_t at) {
    return at == level.size() ||
           level[at].isAnyWord({"and", "or", "then", "when", "else", "end", "order", "group", "having", "limit",
                             "union", "intersect", "except"}) ||
           level[at].isSymbol(";");
}

Nodes call(const char* function, const Nodes& argument) {
    return {Node::word(function), Node::groupOf(argument)};
}

// e >= low and e < high
Nodes rangeOn(const Nodes& indexed, const Nodes& low, const Nodes& high) {
    Nodes condition = indexed;
    condition.push_back(Node::symbol(">="));
    condition.insert(condition.end(), low.begin(), low.end());
    condition.push_back(Node::word("and"));
    condition.insert(condition.end(), indexed.begin(), indexed.end());
    condition.push_back(Node::symbol("<"));
    condition.insert(condition.end(), high.begin(), high.end());
    return condition;
}

// (<range> and <the like as written>)
Node ranged(Nodes range, const Nodes& like) {
    range.push_back(Node::word("and"));
    range.insert(range.end(), like.begin(), like.end());
    return Node::groupOf(std::move(range));
}

// The range of a pattern bound as a parameter, from its value when the statement runs. A server
// has no text above every text for a pattern without a range: like_prefix_end is NULL there, and
// the range gives way to the like alone.
Node parameterRanged(const Nodes& indexed, const Nodes& pattern, const Nodes& like, Target target) {
    const Nodes high = call("like_prefix_end", pattern);
    Nodes bounded = rangeOn(indexed, inByteOrder(call("like_prefix", pattern), target), inByteOrder(high, target));
    if (target == Target::postgresql) {
        bounded.push_back(Node::word("or"));
        bounded.insert(bounded.end(), high.begin(), high.end());
        bounded.push_back(Node::word("is"));
        bounded.push_back(Node::word("null"));
        bounded = {Node::groupOf(std::move(bounded))};
    }
    return ranged(std::move(bounded), like);
}

bool isUpperCall(const Nodes& operand) {
    return operand.size() == 2 && operand[0].isWord("upper") && operand[1].group;
}
bool isColumnOperand(const Nodes& operand) { return !operand.empty() && operand.back().isWord(); }

// The range that comes before "operand like pattern", or none.
std::optional<Node> rangeFor(const Nodes& operand, const std::string& pattern, Nodes like, Target target) {
    if (isUpperCall(operand)) {
        const auto range = prefixRange(pattern);
        if (!range) return std::nullopt;
        return ranged(rangeOn(call("polish_upper", operand[1].inner), bound(range->low, target),
                            bound(range->high, target)),
                      like);
    }
    if (isColumnOperand(operand) && pattern.starts_with('%') && pattern.find_first_of("%_", 1) == std::string::npos) {
        const auto range = prefixRange(reverseCharacters(std::string_view(pattern).substr(1)));
        if (!range) return std::nullopt;
        return ranged(rangeOn(call("reverse_chars", operand), bound(range->low, target), bound(range->high, target)),
                      like);
    }
    return std::nullopt;
}

bool isParameter(const Node& node) { return !node.group && node.token.kind == Token::Kind::Parameter; }
bool isLiteral(const Node& node, std::optional<std::string_view> text = std::nullopt) {
    return !node.group && node.token.kind == Token::Kind::String && (!text || node.token.text == *text);
}

// The range that comes before "operand like <pattern nodes>" when the pattern is a
// parameter: ":p", ":p || 'literal'" after upper(e), "'%' || :p" after a column.
// Returns the range and how many nodes the pattern takes.
std::optional<std::pair<Node, std::size_t>> parameterRangeFor(const Nodes& operand, const Nodes& level,
                                                              std::size_t pattern, Nodes likeStart, Target target) {
    const auto at = [&](std::size_t k) -> const Node* { return k < level.size() ? &level[k] : nullptr; };
    const auto take = [&](std::size_t count) {
        likeStart.insert(likeStart.end(), nth(level, pattern), nth(level, pattern + count));
        return likeStart;
    };
    if (isUpperCall(operand) && at(pattern) && isParameter(*at(pattern))) {
        const bool concatenated = at(pattern + 2) && at(pattern + 1)->isSymbol("||") && isLiteral(*at(pattern + 2));
        const std::size_t count = concatenated ? 3 : 1;
        if (!endsCondition(level, pattern + count)) return std::nullopt;
        return std::pair{
            parameterRanged(call("polish_upper", operand[1].inner), {level[pattern]}, take(count), target), count};
    }
    if (isColumnOperand(operand) && at(pattern + 2) && isLiteral(level[pattern], "'%'") && at(pattern + 1)->isSymbol("||") &&
        isParameter(*at(pattern + 2)) && endsCondition(level, pattern + 3)) {
        return std::pair{parameterRanged(call("reverse_chars", operand), call("reverse_chars", {level[pattern + 2]}),
                                         take(3), target),
                         std::size_t{3}};
    }
    return std::nullopt;
}

// The operand that ends just before position `like`: a column (t.c or c) or a call of upper.
std::optional<std::size_t> operandStart(const Nodes& level, std::size_t like) {
    if (like >= 2 && level[like - 1].group && level[like - 2].isWord("upper")) return like - 2;
    if (like < 1 || !level[like - 1].isWord() ||
        level[like - 1].isAnyWord({"not", "where", "and", "or", "on", "end", "then", "else", "select", "distinct"}))
        return std::nullopt;
    if (like >= 3 && level[like - 2].isSymbol(".") && level[like - 3].isWord()) return like - 3;
    return like - 1;
}

}  // namespace

void addLikeRanges(Nodes& level, Target target) {
    // "a between b and c like ..." would read the "and" of the between as a condition's start.
    if (std::any_of(level.begin(), level.end(), [](const Node& node) { return node.isWord("between"); })) return;
    for (std::size_t i = 0; i + 1 < level.size(); ++i) {
        if (!level[i].isWord("like")) continue;
        const auto start = operandStart(level, i);
        if (!start || !startsCondition(level, *start)) continue;
        const Nodes operand(nth(level, *start), nth(level, i));
        // After upper(e) the filter folds as the range does: the index of polish_upper(e) then
        // answers the whole condition, not only its range, without reading a row of the table.
        const auto likeUpTo = [&](std::size_t end) {
            Nodes like(nth(level, *start), nth(level, end));
            if (isUpperCall(operand)) like[0] = Node::word("polish_upper");
            return like;
        };
        std::optional<Node> range;
        std::size_t patternNodes = 1;
        if (isLiteral(level[i + 1]) && endsCondition(level, i + 2)) {
            range = rangeFor(operand, unquotedLiteral(level[i + 1].token.text), likeUpTo(i + 2), target);
        } else if (auto found =
                       parameterRangeFor(operand, level, i + 1, likeUpTo(i + 1), target)) {
            range = std::move(found->first);
            patternNodes = found->second;
        }
        if (!range) continue;
        level.erase(nth(level, *start + 1), nth(level, i + 1 + patternNodes));
        level[*start] = std::move(*range);
        i = *start;
    }
}

std::optional<PrefixRange> prefixRange(std::string_view pattern) {
    const auto wildcard = pattern.find_first_of("%_");
    if (wildcard == 0) return std::nullopt;
    const std::string_view prefix = pattern.substr(0, wildcard);
    auto high = upperBound(prefix);
    if (!high) return std::nullopt;
    return PrefixRange{std::string(prefix), std::move(*high)};
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
