#include "Core/BaseDBObjects/TTowar.h"

#include <boost/make_shared.hpp>

#include <array>
#include <optional>

namespace {

constexpr std::array kTowarColumns{TOWAR_COLUMNS(RECORD_INFO)};
static_assert(kTowarColumns.size() == static_cast<std::size_t>(TTowar::ColumnCount));

}  // namespace

TTowar::TTowar() : Record(kTowarColumns) {}

std::span<const BaseDBObjects::ColumnInfo> TTowar::columnInfo() { return kTowarColumns; }

void TTowarCollection::load(DBKernel::Sql::Query& query) {
    std::optional<BaseDBObjects::Record::Places> places;
    while (query.next()) {
        if (!places) places = TTowar::placesIn(kTowarColumns, query);
        auto product = boost::make_shared<TTowar>();
        product->load(query, *places);
        items_.push_back(std::move(product));
    }
}
