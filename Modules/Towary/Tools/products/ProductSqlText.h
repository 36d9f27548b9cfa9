#pragma once
// Pieces of product selects taken from or added to their text: the tables and
// conditions of a select, and the store's configured product sort order.

#include "Core/Export.h"
#include "Core/System/AnsiString.h"

// The text between the FROM keyword (" from " or " FROM ") of a select and
// its " order by " clause.
TOWARY_EXPORT System::AnsiString GetSQLStatementAfterFrom(System::AnsiString sql);

namespace TowarFunkcje {

// The sort order of the setting "Parametry sklepu" / "Towary" / "Sortowanie" /
// "Kolejność sortowania" ("sNazwa, sArtIndex desc") as an ORDER BY list
// without the keywords, each column under the alias when one is given:
// "t.sNazwa ASC, t.sArtIndex DESC". Throws std::runtime_error "Błąd
// konfiguracji sortowania towarów." for an item with no column, a third word
// or a direction other than asc or desc.
TOWARY_EXPORT System::AnsiString getOrderByClause(System::AnsiString alias);

}  // namespace TowarFunkcje
