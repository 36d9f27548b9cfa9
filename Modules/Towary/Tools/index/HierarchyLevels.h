#pragma once
// The product hierarchy: the hierarchy code of a towar row (byCode) and the
// index arithmetic built on the store's level lengths. A group of level k has
// an index (sGrIndex) of F(k) digits, F(k) = L(1) + ... + L(k), each L a store
// setting; its first F(j) digits are the index of its ancestor of level j.
// Lengths count characters, not bytes: a Polish letter in an index is one.
// Every function reads the settings it needs at each call; nothing is cached,
// so callers that need many lengths read them once.

#include "Core/Export.h"
#include "Core/System/AnsiString.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Towar {

// Hierarchy code, one signed byte (column byCode).
enum TowarCode : signed char {
    tcBrak = 0,  // none: past either end of the hierarchy, or an index too short for a level
    tcDepartament = 1,
    tcSektor = 2,
    tcSekcja = 3,
    tcRodzina = 4,
    tcPodrodzina = 5,
    tcTowar = 6,  // a product (article)
};
// The hierarchy code as the rights conditions take it.
using Hierarchy = TowarCode;

// The longest segment or article index the settings may give: the next free
// index is looked for among numbers, which must fit 64 bits.
inline constexpr int kMaxIndexLength = 18;

// L(1) to L(5) for the group levels, the article index length for tcTowar,
// each from 0 to kMaxIndexLength (std::runtime_error naming the settings
// file and key otherwise). Any other code throws Sysutils::Exception
// "Nieznany kod towaru (TowarCode = N).".
TOWARY_EXPORT int getIndexLength(TowarCode code);
// F(1) to F(5); the article level has no full length: tcTowar throws as an unknown code.
TOWARY_EXPORT int getFullIndexLength(TowarCode code);
// The name of a group level shown to users; other codes throw as unknown.
TOWARY_EXPORT std::string getHierarchyLevelDisplayName(TowarCode code);
// "Parametry programu / Towary / Dozwolone długości indeksów": the article
// index lengths the store accepts, a text of lengths separated by ",", in the
// order written. Throws std::runtime_error for an item that is no number from
// 1 to kMaxIndexLength and for a text without any.
TOWARY_EXPORT std::vector<int> getAllowedIndexLengths();
// The site's identifier and "_" when the store prefixes its indexes, else "".
TOWARY_EXPORT std::string getIndexPrefix();
// The five argument pairs of an SQL substr cutting each level's segment out of
// sGrIndex, first level first: "1, 2", "3, 2", ... for lengths 2, 2, ...
TOWARY_EXPORT std::vector<std::string> getHierarchyIndexSubStringValues();
// The lowest level whose full length is at least the index's length; tcBrak
// for an index shorter than L(1), tcPodrodzina for one longer than F(5).
TOWARY_EXPORT TowarCode getTowarCodefromIndex(System::AnsiString index);
// The neighbouring group levels: tcBrak past either end and for codes that are not levels.
TOWARY_EXPORT TowarCode getNextTowarCode(TowarCode code);
TOWARY_EXPORT TowarCode getPrevTowarCode(TowarCode code);
// The length of the parent's index of a group index of level 2 to 5. Throws
// std::runtime_error "Błędy indeks grupy (INDEX)." for any other length.
TOWARY_EXPORT int previousIndexLength(const std::string& groupIndex);

// The first level from `from` to `to` (group levels) whose full length equals
// `length`, or tcBrak. Reads L(1) up to the matching level only, as the
// comparisons go; when two full lengths coincide the lower level wins.
TowarCode levelOfFullLength(std::size_t length, TowarCode from, TowarCode to);

}  // namespace Towar
