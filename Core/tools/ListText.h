#pragma once
// Lists written as one text, as settings and arguments hold them ("6,8",
// "sNazwa, sArtIndex desc", a key path "A / B", one GUID a line): the one
// place they are split.

#include <string>
#include <string_view>
#include <vector>

namespace Core {

enum class EmptyItems { keep, drop };

// The items between any of the separator characters, each with the white
// space at its ends removed. Items left empty are kept, so that a caller can
// refuse ",," or a trailing separator, or dropped.
std::vector<std::string> splitList(std::string_view text, const char* separators, EmptyItems empty);

}  // namespace Core
