#pragma once
// TPLU: the host's code object, one row of the store's table plu (a barcode or
// a short code of a product). A Get and a Set per column and a null mark per
// field, as TTowar has.

#include "Core/BaseDBObjects/TTowar.h"

class TOWARY_EXPORT TPLU : public BaseDBObjects::Record {
public:
#define PLU_ENUM(column, Name, kind, readName, updated, inserted) Name,
    enum Column { PLU_COLUMNS(PLU_ENUM) ColumnCount };
#undef PLU_ENUM

    TPLU();
    static std::span<const BaseDBObjects::ColumnInfo> columnInfo();

#define PLU_ACCESSORS(column, Name, kind, readName, updated, inserted)                           \
    BaseDBObjects::Towar##kind Get##Name() const { return read##kind(Name); }                     \
    void Set##Name(const BaseDBObjects::Towar##kind& value) { set(Name, DBKernel::Value(write##kind(value))); } \
    bool IsNull##Name() const { return isNull(Name); }                                           \
    void SetNull##Name() { setNull(Name); }
    PLU_COLUMNS(PLU_ACCESSORS)
#undef PLU_ACCESSORS

private:
    int readInteger(Column c) const { return static_cast<int>(integer(c)); }
    double readDouble(Column c) const { return number(c); }
    std::string readText(Column c) const { return text(c); }
    static std::int64_t writeInteger(int value) { return value; }
    static double writeDouble(double value) { return value; }
    static std::string writeText(const std::string& value) { return value; }
};
