#include "Core/BaseDBObjects/TPLU.h"

#include <array>

namespace {

constexpr std::array kPluColumns{PLU_COLUMNS(RECORD_INFO)};
static_assert(kPluColumns.size() == static_cast<std::size_t>(TPLU::ColumnCount));

}  // namespace

TPLU::TPLU() : Record(kPluColumns) {}

std::span<const BaseDBObjects::ColumnInfo> TPLU::columnInfo() { return kPluColumns; }
