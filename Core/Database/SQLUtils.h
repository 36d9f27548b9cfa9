#pragma once
// Helpers for SQL assembled as text.

#include <string>
#include <string_view>

namespace SQLUtils {

// The text escaped for use inside a quoted literal: every ' doubled. The
// caller writes the surrounding quotes: "'" + SQLString(name) + "'".
std::string SQLString(std::string_view text);

}  // namespace SQLUtils
