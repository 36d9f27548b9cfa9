// The cost of the Oracle dialect: translating a statement (done once per text,
// the database layer keeps the result) and the Polish upper() that a name
// search applies to every product row.

#include "Core/Database/Dialect/Dialect.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace {

constexpr const char* kMerge =
    "\n merge into SpecCenDruk scd using\n ( select\n \t  :lPluRef lPluRef\n \t, :lIlosc lIlosc\n \t, :lUzytkRef "
    "lUzytkRef\n \tfrom dual) x\n on (scd.lPluRef = x.lPluRef)\n when matched\n then update set lIlosc = x.lIlosc, "
    "lUzytkRef = x.lUzytkRef\n when not matched\n then insert (lSpecCenDrukRef, lIlosc, lPluRef, lUzytkRef)\n "
    "\tvalues (NewRef, x.lIlosc, x.lPluRef, x.lUzytkRef)";

constexpr const char* kOuterJoin =
    "\n select nvl(tg.sArtIndex, t.sArtIndex) productIndex\n from towar t,\n (\n \tselect sArtIndex, sGrIndex from "
    "towar where byTyp = 9\n ) tg\n where t.sGrIndex = tg.sGrIndex(+)\n \tand t.nStatusAktywnosci in (4, 8)\n "
    "group by nvl(tg.sArtIndex, t.sArtIndex)";

void BM_TranslateMerge(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DBKernel::Dialect::translate(kMerge));
}
BENCHMARK(BM_TranslateMerge);

void BM_TranslateOuterJoinQuery(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DBKernel::Dialect::translate(kOuterJoin));
}
BENCHMARK(BM_TranslateOuterJoinQuery);

// A name search over 10000 product names: upper(sNazwa) like '...%'.
void BM_PolishUpperNameSearch(benchmark::State& state) {
    sqlite3* raw = nullptr;
    sqlite3_open(":memory:", &raw);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> connection(raw, sqlite3_close);
    DBKernel::Dialect::registerFunctions(raw);
    sqlite3_exec(raw,
                 "create table towar (sNazwa text);"
                 "with recursive n(i) as (select 1 union all select i + 1 from n where i < 10000)"
                 " insert into towar select 'żółty ser gouda ' || i from n",
                 nullptr, nullptr, nullptr);
    const std::string search = DBKernel::Dialect::translate(
                                   "select count(*) from towar where upper(sNazwa) like 'ŻÓŁTY SER GOUDA 99%'")
                                   .statements.front();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw, search.c_str(), -1, &statement, nullptr);
    for (auto _ : state) {
        sqlite3_step(statement);
        benchmark::DoNotOptimize(sqlite3_column_int(statement, 0));
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
}
BENCHMARK(BM_PolishUpperNameSearch)->Unit(benchmark::kMillisecond);

}  // namespace
