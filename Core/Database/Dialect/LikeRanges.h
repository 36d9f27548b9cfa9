#pragma once
// SQLite cannot seek an index for a "like" on an expression, nor for a pattern
// that begins with "%". The module's identifier search writes both
// ("upper(sNazwa) like 'MLEKO%'", "sArtIndex like '%000123'"), so this rule puts
// before such a "like" a range on an expression the store indexes; the "like"
// itself stays and decides, so the condition means exactly what it meant.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/SqlTree.h"

#include <string>
#include <string_view>

namespace DBKernel::Dialect {

// On one nesting level:
//   upper(e) like 'L...'  becomes  (polish_upper(e) >= 'L' and polish_upper(e) < 'L+' and upper(e) like 'L...')
//   c like '%L'           becomes  (reverse_chars(c) >= 'R' and reverse_chars(c) < 'R+' and c like '%L')
// (polish_upper is the dialect's upper under the name its index is built on),
// where L is the pattern's text before its first wildcard, R is L reversed and X+ is the
// least text above every text beginning with X. A "like" in any other form or position
// ("not like", an "escape", an operand or pattern that another operator takes) is left alone.
// On PostgreSQL the bounds compare in byte order ('L' collate "C"), as SQLite's do, whatever
// the database's collation: the indexes the ranges seek are built so.
void addLikeRanges(Nodes& level, Target target);

// The text reversed character by character, as the SQL function "reverse_chars" gives it: a
// byte that does not continue a UTF-8 character starts one, so a text that ends with a
// valid text L begins, reversed, with L reversed.
std::string reverseCharacters(std::string_view text);

}  // namespace DBKernel::Dialect
