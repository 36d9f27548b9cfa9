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
