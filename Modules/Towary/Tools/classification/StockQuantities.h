#pragma once
// The quantities the host shows beside a product: its stock on its last stock
// day, the quantity open documents reserve, and the units in complaint
// handling. Each is one statement with the values written in, run on the
// session given (the current store's main session by default); a NULL or a
// missing row reads as 0. Database errors reach the caller as the database
// layer throws them.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

namespace Towar {

// The statements, as the functions below run them.
TOWARY_EXPORT std::string stockSql(int productId);
TOWARY_EXPORT std::string reservedSql(int productId, int excludedDocumentId);
TOWARY_EXPORT std::string inServiceSql(int productId);

// The product's dStan in stn on the day lastStnDate gives.
TOWARY_EXPORT double calcStock(int productId, TSessionHolder session = {});
// The quantity that documents other than the excluded one reserve: open
// orders (type 32) not yet sold or passed on, and documents of types 9, 11,
// 14, 16, 20, 36 and 38 once booked.
TOWARY_EXPORT double calcReserved(int productId, int excludedDocumentId, TSessionHolder session = {});
// The product's complaint records that are the store's own and in the store.
TOWARY_EXPORT double calcInService(int productId, TSessionHolder session = {});

}  // namespace Towar
