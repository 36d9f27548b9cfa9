#include "Core/Database/SQLUtils.h"

namespace SQLUtils {

std::string SQLString(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        escaped += c;
        if (c == '\'') escaped += '\'';
    }
    return escaped;
}

}  // namespace SQLUtils
