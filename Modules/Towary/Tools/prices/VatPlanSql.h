#pragma once
// What the plans of VAT changes share: the head of the statement that
// inserts planned changes, followed by the day and the target code.

namespace Towar {

inline constexpr const char* kPlanInsertHead =
    "insert into zmianavat ( lzmianavatref , ltowarref , ddata , byvat , bapplied , dczasmod) select newref , "
    "t.ltowarref , ";

}  // namespace Towar
