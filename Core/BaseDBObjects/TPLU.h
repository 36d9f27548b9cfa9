#pragma once
// TPLU: the host's code object, one row of the store's table plu (a barcode or
// a short code of a product). A Get and a Set per column and a null mark per
// field, as TTowar has.

#include "Core/BaseDBObjects/TTowar.h"

class TOWARY_EXPORT TPLU : public BaseDBObjects::Record {
public:
    enum Column { PLU_COLUMNS(RECORD_ENUM) ColumnCount };

    TPLU();
    static std::span<const BaseDBObjects::ColumnInfo> columnInfo();

    PLU_COLUMNS(RECORD_ACCESSORS)
};

// The codes of one product, as a caller hands them over to be stored.
using TPLUCollection = std::vector<TPLU>;

// The values of plu.byStatus. 1 and 2 are live, and every query of usable
// codes takes both; a code is never removed, its row is marked deleted with 3.
// The code observer counts 4 as deleted too.
namespace PluStatus {
constexpr int kLive = 1;
constexpr int kLiveSecondary = 2;
constexpr int kDeleted = 3;
constexpr int kDeletedOther = 4;
}  // namespace PluStatus
