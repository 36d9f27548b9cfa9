#pragma once
// What a product identifier typed by a user stands for, as SQL. The identifier
// is a code (digits, which a weighed-goods mask may complete to a code), "/"
// and the end of an article index, or the beginning of a product name with
// "*" for any characters. getIdentifierSqlPart gives a subquery of the ids of
// the products it finds, with the column productId, for a join:
//   select * from towar t, <subquery> identifier where identifier.productId = t.lTowarRef
// Every function reads the store's PLU masks and settings afresh.

#include "Core/Export.h"

#include <string>
#include <vector>

namespace Product::Tools {

// The code texts an identifier may stand for, in this order:
// - the canonical code the identifier parses to, when acceptAnyCode is set or
//   its type is W, C, S or P (or G too, with extended set);
// - the identifier itself, when it is no code and acceptAnyCode is set;
// - with extended set, or with completeWithMasks set and acceptAnyCode not,
//   the code each completing W mask at least as long as the identifier
//   makes of it, when the identifier is a number.
TOWARY_EXPORT std::vector<std::string> getPluCandidates(const std::string& identifier, bool extended,
                                                        bool acceptAnyCode, bool completeWithMasks);

// The condition on p.sPlu over the candidates (extended not set), or
// "p.sPlu like '%IDENTIFIER%'" without any, the identifier's apostrophes
// doubled. The second argument does not change the result.
TOWARY_EXPORT std::string getPluSqlCondition(const std::string& identifier, const std::string& unused,
                                             bool acceptAnyCode, bool completeWithMasks);

// The subquery of the ids of the products the identifier finds:
// - digits: the products with any of its candidate codes (extended, completed
//   by the masks), codes of every status;
// - "/" and digits: the products whose article index ends with them, padded
//   with zeros to the longest allowed index length, or their last digits when
//   longer ("Parametry programu / Towary / Dozwolone długości indeksów");
// - anything else: the rows of towar, groups included, whose name begins
//   with it in any case, "*" standing for any characters.
// The empty identifier takes the code form: the products with any code.
TOWARY_EXPORT std::string getIdentifierSqlPart(const std::string& identifier);

}  // namespace Product::Tools
