#pragma once
// BaseDBObjects::Record: one row of a store table as the host's database
// objects hold it: a value per column, each either null or set, filled from
// the current row of a query. The derived classes (TTowar, TPLU) name the
// columns and give a typed getter and setter per field.

#include "Core/Database/Query.h"
#include "Core/Export.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace BaseDBObjects {

enum class ColumnKind { Integer, Double, Text };

// The field types of the host's row objects, one per column kind.
using TowarInteger = int;
using TowarDouble = double;
using TowarText = std::string;

struct ColumnInfo {
    const char* column;    // the table's column
    const char* name;      // the host's field name, without the type prefix
    ColumnKind kind;
    const char* readName;  // the name a select gives the column
    bool updated;          // written by the editor's update statement
    bool inserted;         // written by the editor's insert statement
};

class TOWARY_EXPORT Record {
public:
    explicit Record(std::span<const ColumnInfo> columns);

    std::span<const ColumnInfo> columns() const { return columns_; }
    bool isNull(std::size_t column) const;
    void setNull(std::size_t column);
    // The value as stored; NULL when the field is marked null.
    const DBKernel::Value& value(std::size_t column) const { return values_.at(column); }

    // Where each of `columns` lies in the query's rows: a column is found by its
    // read name, else by its table name, without regard to case; nullopt where the
    // query lacks it. A name the result gives twice is taken right after the place
    // of the record's previous column when it lies there (the table's own among a
    // join's "t.*, p.*"), else where it first lies. Found once per result, so that
    // loading many rows does not search the names again for each.
    using Places = std::vector<std::optional<std::size_t>>;
    static Places placesIn(std::span<const ColumnInfo> columns, const DBKernel::Sql::Query& query);

    // Fills every field from the current row of the query, at the places placesIn
    // gave for it (found here when not given); a field the query lacks, or whose
    // value is NULL, is marked null.
    void load(const DBKernel::Sql::Query& query);
    void load(const DBKernel::Sql::Query& query, const Places& places);
    // Sets one field as a row read from a file brings it; NULL marks it null.
    void set(std::size_t column, DBKernel::Value value);

protected:
    std::int64_t integer(std::size_t column) const;
    double number(std::size_t column) const;
    std::string text(std::size_t column) const;

    // The typed field access RECORD_ACCESSORS generates its getters and setters from.
    TowarInteger readInteger(std::size_t c) const { return static_cast<TowarInteger>(integer(c)); }
    TowarDouble readDouble(std::size_t c) const { return number(c); }
    TowarText readText(std::size_t c) const { return text(c); }
    void writeInteger(std::size_t c, TowarInteger value) { set(c, DBKernel::Value(std::int64_t{value})); }
    void writeDouble(std::size_t c, TowarDouble value) { set(c, DBKernel::Value(value)); }
    void writeText(std::size_t c, const TowarText& value) { set(c, DBKernel::Value(value)); }

private:
    std::span<const ColumnInfo> columns_;
    std::vector<DBKernel::Value> values_;
};

}  // namespace BaseDBObjects

// What a row object generates from its column list, an X-macro whose rows are
// (column, Name, kind, readName, updated, inserted): the column enumeration,
// the column descriptions, and a Get, a Set and a null mark per field.
#define RECORD_ENUM(column, Name, kind, readName, updated, inserted) Name,
#define RECORD_INFO(column, Name, kind, readName, updated, inserted) \
    BaseDBObjects::ColumnInfo{#column, #Name, BaseDBObjects::ColumnKind::kind, readName, updated, inserted},
#define RECORD_ACCESSORS(column, Name, kind, readName, updated, inserted)                                     \
    BaseDBObjects::Towar##kind Get##Name() const { return read##kind(Name); }                                 \
    void Set##Name(const BaseDBObjects::Towar##kind& value) { write##kind(Name, value); }                     \
    bool IsNull##Name() const { return isNull(Name); }                                                        \
    void SetNull##Name() { setNull(Name); }
