#include "Core/BaseDBObjects/TPLU.h"

#include <array>

namespace {

#define PLU_INFO(column, Name, kind, readName, updated, inserted) \
    BaseDBObjects::ColumnInfo{#column, #Name, BaseDBObjects::ColumnKind::kind, readName, updated, inserted},
constexpr std::array kPluColumns{PLU_COLUMNS(PLU_INFO)};
#undef PLU_INFO
static_assert(kPluColumns.size() == static_cast<std::size_t>(TPLU::ColumnCount));

}  // namespace

TPLU::TPLU() : Record(kPluColumns) {}

std::span<const BaseDBObjects::ColumnInfo> TPLU::columnInfo() { return kPluColumns; }
