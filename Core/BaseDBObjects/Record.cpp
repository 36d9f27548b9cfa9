#include "Core/BaseDBObjects/Record.h"

#include "Core/tools/IgnoringCase.h"

#include <string_view>

namespace BaseDBObjects {

Record::Record(std::span<const ColumnInfo> columns) : columns_(columns), values_(columns.size()) {}

bool Record::isNull(std::size_t column) const { return DBKernel::isNull(values_.at(column)); }

void Record::setNull(std::size_t column) { values_.at(column) = DBKernel::Value{}; }

std::int64_t Record::integer(std::size_t column) const { return DBKernel::toInt64(values_.at(column)); }

double Record::number(std::size_t column) const { return DBKernel::toDouble(values_.at(column)); }

std::string Record::text(std::size_t column) const { return DBKernel::toString(values_.at(column)); }

void Record::set(std::size_t column, DBKernel::Value value) { values_.at(column) = std::move(value); }

namespace {

// Where a column named so lies in the query's row, without regard to case: first
// at `hint` (a "select *" gives the table's columns in the record's order), else
// anywhere; nullopt where the query lacks it.
std::optional<std::size_t> placeOf(std::string_view name, const DBKernel::Sql::Query& query, std::size_t hint) {
    const std::size_t count = query.columnCount();
    if (hint < count && Core::equalsIgnoringCase(query.columnName(hint), name)) return hint;
    for (std::size_t i = 0; i < count; ++i)
        if (Core::equalsIgnoringCase(query.columnName(i), name)) return i;
    return std::nullopt;
}

}  // namespace

Record::Places Record::placesIn(std::span<const ColumnInfo> columns, const DBKernel::Sql::Query& query) {
    Places places(columns.size());
    std::size_t next = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        places[c] = placeOf(columns[c].readName, query, next);
        if (!places[c]) places[c] = placeOf(columns[c].column, query, next);
        if (places[c]) next = *places[c] + 1;
    }
    return places;
}

void Record::load(const DBKernel::Sql::Query& query) { load(query, placesIn(columns_, query)); }

void Record::load(const DBKernel::Sql::Query& query, const Places& places) {
    for (std::size_t c = 0; c < columns_.size(); ++c)
        values_[c] = places.at(c) ? query.field(*places[c]).value() : DBKernel::Value{};
}

}  // namespace BaseDBObjects
