#pragma once
// SQLite cannot seek an index for a "like" on an expression, nor for a pattern
// that begins with "%". The module's identifier search writes both
// ("upper(sNazwa) like 'MLEKO%'", "sArtIndex like '%000123'"), so this rule puts
// before such a "like" a range on an expression the store indexes; the "like"
// itself stays and decides, so the condition means exactly what it meant.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/SqlTree.h"

#include <optional>
#include <string>
#include <string_view>

namespace DBKernel::Dialect {

// On one nesting level:
//   upper(e) like 'L...'  becomes  (polish_upper(e) >= 'L' and polish_upper(e) < 'L+' and polish_upper(e) like 'L...')
//   c like '%L'           becomes  (reverse_chars(c) >= 'R' and reverse_chars(c) < 'R+' and c like '%L')
// (polish_upper is the dialect's upper under the name its index is built on: the filter
// folds with it too, so that the index answers the whole condition),
// where L is the pattern's text before its first wildcard, R is L reversed and X+ is the
// least text above every text beginning with X. A pattern given as a parameter, as the
// layer writes a search's literal (StatementShape.h), gets the same range computed from
// the bound value when the statement runs:
//   upper(e) like :p [|| '...']  becomes  (polish_upper(e) >= like_prefix(:p) and
//                                          polish_upper(e) < like_prefix_end(:p) and polish_upper(e) like ...)
//   c like '%' || :p             becomes  (reverse_chars(c) >= like_prefix(reverse_chars(:p)) and
//                                          reverse_chars(c) < like_prefix_end(reverse_chars(:p)) and c like ...)
// A "like" in any other form or position ("not like", an "escape", an operand or pattern
// that another operator takes) is left alone. On PostgreSQL the bounds compare in byte order
// ('L' collate "C", like_prefix(:p) collate "C"), as SQLite's do, whatever the database's
// collation: the indexes the ranges seek are built so. A server has no text above every
// text, so there a parameter's range gives way when its pattern has none:
//   ((e >= like_prefix(:p) collate "C" and e < like_prefix_end(:p) collate "C"
//     or like_prefix_end(:p) is null) and <the like as written>)
// The planner folds the functions of the bound value into constants, and the range into
// an index seek, in the plan it makes for each run of the prepared statement; a generic
// plan, which cannot seek, reads every row and costs more than any of those, so the
// server keeps making them.
void addLikeRanges(Nodes& level, Target target);

// The range of texts a pattern's matches lie in: its text before the first wildcard, and
// the least text above every text that begins so. None when the pattern begins with a
// wildcard or its prefix has no such bound (see upperBound in LikeRanges.cpp). The SQL
// functions like_prefix and like_prefix_end give them; when there are none, '' and on
// SQLite an empty blob (below and above every text), on PostgreSQL NULL.
struct PrefixRange {
    std::string low, high;
};
std::optional<PrefixRange> prefixRange(std::string_view pattern);

// The text reversed character by character, as the SQL function "reverse_chars" gives it: a
// byte that does not continue a UTF-8 character starts one, so a text that ends with a
// valid text L begins, reversed, with L reversed.
std::string reverseCharacters(std::string_view text);

}  // namespace DBKernel::Dialect
