#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/LikeRanges.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/Numbers.h"
#include "Core/tools/PolishText.h"

#include <sqlite3.h>

#include <charconv>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace DBKernel::Dialect {
namespace {

std::string_view textOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {text, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

struct Number {
    bool integer = false;
    sqlite3_int64 whole = 0;
    double value = 0;
};

// The value as a number, as Oracle converts it for a numeric comparison; text that is no number gives none.
std::optional<Number> numberOf(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return Number{true, sqlite3_value_int64(value), static_cast<double>(sqlite3_value_int64(value))};
    case SQLITE_FLOAT:
        return Number{false, 0, sqlite3_value_double(value)};
    case SQLITE_TEXT: {
        const auto parsed = Core::parseNumber<double>(Core::trimBlanks(textOf(value)));
        if (!parsed) return std::nullopt;
        return Number{false, 0, *parsed};
    }
    default:
        return std::nullopt;
    }
}

bool isNull(sqlite3_value* value) {
    return sqlite3_value_type(value) == SQLITE_NULL;
}

bool decodeMatches(sqlite3_value* expression, sqlite3_value* search, bool numeric) {
    if (isNull(expression) || isNull(search)) return isNull(expression) && isNull(search);
    if (!numeric) return textOf(expression) == textOf(search);
    const auto left = numberOf(expression);
    const auto right = numberOf(search);
    if (!left || !right) return false;
    return left->integer && right->integer ? left->whole == right->whole : left->value == right->value;
}

// decode(expression, search, result, ..., [default]). As in Oracle, NULL matches NULL, and
// the values compare as numbers when the first search value given is a number, else as text.
void decode(sqlite3_context* context, int count, sqlite3_value** arguments) {
    if (count < 3) {
        sqlite3_result_error(context, "decode wymaga co najmniej trzech argumentów", -1);
        return;
    }
    bool numeric = false;
    for (int i = 1; i + 1 < count; i += 2) {
        if (isNull(arguments[i])) continue;
        const int type = sqlite3_value_type(arguments[i]);
        numeric = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
        break;
    }
    int i = 1;
    for (; i + 1 < count; i += 2) {
        if (decodeMatches(arguments[0], arguments[i], numeric)) {
            sqlite3_result_value(context, arguments[i + 1]);
            return;
        }
    }
    if (i < count) {
        sqlite3_result_value(context, arguments[i]);
    } else {
        sqlite3_result_null(context);
    }
}

void nvl(sqlite3_context* context, int, sqlite3_value** arguments) {
    sqlite3_result_value(context, isNull(arguments[0]) ? arguments[1] : arguments[0]);
}

template <bool upper>
void foldCase(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (isNull(arguments[0])) {
        sqlite3_result_null(context);
        return;
    }
    const std::string_view text = textOf(arguments[0]);
    const std::string result = upper ? Core::PolishText::toUpper(text) : Core::PolishText::toLower(text);
    sqlite3_result_text(context, result.data(), static_cast<int>(result.size()), SQLITE_TRANSIENT);
}

// What the article index search seeks on: an index of the reversed texts turns
// "ends with" into "begins with" (see LikeRanges.h).
void reverse(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (isNull(arguments[0])) {
        sqlite3_result_null(context);
        return;
    }
    const std::string result = reverseCharacters(textOf(arguments[0]));
    sqlite3_result_text(context, result.data(), static_cast<int>(result.size()), SQLITE_TRANSIENT);
}

// The range before a "like" whose pattern is a parameter (LikeRanges.h): without one,
// from '' to an empty blob, which take in every text.
template <bool end>
void likePrefix(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (isNull(arguments[0])) {
        sqlite3_result_null(context);
        return;
    }
    const auto range = prefixRange(textOf(arguments[0]));
    if (!range) {
        if (end) {
            sqlite3_result_zeroblob(context, 0);
        } else {
            sqlite3_result_text(context, "", 0, SQLITE_STATIC);
        }
        return;
    }
    const std::string& bound = end ? range->high : range->low;
    sqlite3_result_text(context, bound.data(), static_cast<int>(bound.size()), SQLITE_TRANSIENT);
}

void now(sqlite3_context* context, int, sqlite3_value**) {
    sqlite3_result_double(context, Core::DayNumber::now());
}

using Function = void (*)(sqlite3_context*, int, sqlite3_value**);

void define(sqlite3* connection, const char* name, int arguments, Function function, bool deterministic) {
    const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS : 0);
    if (sqlite3_create_function_v2(connection, name, arguments, flags, nullptr, function, nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        throw std::runtime_error(std::string("Nie można zarejestrować funkcji SQL ") + name + ": " +
                                 sqlite3_errmsg(connection));
    }
}

}  // namespace

void registerFunctions(sqlite3* connection) {
    define(connection, "decode", -1, decode, true);
    define(connection, "nvl", 2, nvl, true);
    define(connection, "upper", 1, foldCase<true>, true);
    define(connection, "lower", 1, foldCase<false>, true);
    // The indexes of the identifier search are built on these two: names of their own, so that
    // a tool without them (the sqlite3 shell) fails on a write to the table instead of
    // filling an index with its own, ASCII-only or byte-wise, results.
    define(connection, "reverse_chars", 1, reverse, true);
    define(connection, "polish_upper", 1, foldCase<true>, true);
    define(connection, "like_prefix", 1, likePrefix<false>, true);
    define(connection, "like_prefix_end", 1, likePrefix<true>, true);
    define(connection, "sysdate", 0, now, false);
    define(connection, "borlandsysdate", 0, now, false);
    char* error = nullptr;
    if (sqlite3_exec(connection, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : "";
        sqlite3_free(error);
        throw std::runtime_error("Nie można włączyć rozróżniania wielkości liter w LIKE: " + message);
    }
}

}  // namespace DBKernel::Dialect
