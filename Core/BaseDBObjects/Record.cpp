#include "Core/BaseDBObjects/Record.h"

#include "Core/tools/IgnoringCase.h"

#include <unordered_map>

namespace BaseDBObjects {

Record::Record(std::span<const ColumnInfo> columns) : columns_(columns), values_(columns.size()) {}

bool Record::isNull(std::size_t column) const { return DBKernel::isNull(values_.at(column)); }

void Record::setNull(std::size_t column) { values_.at(column) = DBKernel::Value{}; }

std::int64_t Record::integer(std::size_t column) const { return DBKernel::toInt64(values_.at(column)); }

double Record::number(std::size_t column) const { return DBKernel::toDouble(values_.at(column)); }

std::string Record::text(std::size_t column) const { return DBKernel::toString(values_.at(column)); }

void Record::set(std::size_t column, DBKernel::Value value) { values_.at(column) = std::move(value); }

Record::Places Record::placesIn(std::span<const ColumnInfo> columns, const DBKernel::Sql::Query& query) {
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < query.columnCount(); ++i)
        byName.emplace(Core::lowerAscii(query.columnName(i)), i);
    Places places(columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        auto found = byName.find(Core::lowerAscii(columns[c].readName));
        if (found == byName.end()) found = byName.find(Core::lowerAscii(columns[c].column));
        if (found != byName.end()) places[c] = found->second;
    }
    return places;
}

void Record::load(const DBKernel::Sql::Query& query) { load(query, placesIn(columns_, query)); }

void Record::load(const DBKernel::Sql::Query& query, const Places& places) {
    for (std::size_t c = 0; c < columns_.size(); ++c)
        values_[c] = places.at(c) ? query.field(*places[c]).value() : DBKernel::Value{};
}

}  // namespace BaseDBObjects
