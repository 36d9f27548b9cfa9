// The module's statements translated for PostgreSQL: the texts, and, on a real
// server (PGHOST set, as pg_virtualenv sets it), the rows they give there.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/tools/IgnoringCase.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

using DBKernel::Dialect::Target;
using DBKernel::Dialect::translate;

namespace {

using Statements = std::vector<std::string>;
using Value = std::variant<std::nullptr_t, std::int64_t, double, std::string>;
using Params = std::vector<std::pair<std::string, Value>>;
using Rows = std::vector<std::vector<std::string>>;  // NULL reads "NULL"

struct Case {
    std::string oracle;
    Statements postgres;
    Rows rows;                // of the last statement, or of `check` when given
    std::vector<std::vector<std::string>> parameters = {{}};
    Params bind = {};
    std::string check = {};   // PostgreSQL, run after the statements
    bool lockRows = false;
    bool lockNowait = false;
};

const std::string kMerge =
    "\n merge into SpecCenDruk scd using\n ( select\n \t  :lPluRef lPluRef\n \t, :lIlosc lIlosc\n \t, :lUzytkRef "
    "lUzytkRef\n \tfrom dual) x\n on (scd.lPluRef = x.lPluRef)\n when matched\n then update set scd.lIlosc = "
    "x.lIlosc, lUzytkRef = x.lUzytkRef\n when not matched\n then insert (lSpecCenDrukRef, lIlosc, lPluRef, "
    "lUzytkRef)\n \tvalues (NewRef, x.lIlosc, x.lPluRef, x.lUzytkRef)";
const std::string kMergeSource = "(select $1 lPluRef, $2 lIlosc, $3 lUzytkRef from dual) as x";
const std::string kMergeText =
    "merge into SpecCenDruk as scd using " + kMergeSource +
    " on (scd.lPluRef = x.lPluRef) when matched then update set lIlosc = x.lIlosc, lUzytkRef = x.lUzytkRef when "
    "not matched then insert (lSpecCenDrukRef, lIlosc, lPluRef, lUzytkRef) values (NewRef(), x.lIlosc, x.lPluRef, "
    "x.lUzytkRef)";

const std::vector<Case> kCases{
    {"select lTowarRef from towar where sGrIndex = :GRP and byTyp = :typ and sArtIndex <> :grp order by 1",
     {"select lTowarRef from towar where sGrIndex = $1 and byTyp = $2 and sArtIndex <> $1 order by 1"},
     {{"1"}},
     {{"grp", "typ"}},
     {{"Grp", "0101"}, {"TYP", std::int64_t{1}}}},
    {"select t.ltowarref, decode (t.byvat, 2, 9, 3, 12, null, 0, 1) from towar t order by 1",
     {"select t.ltowarref, case when t.byvat = 2 then 9 when t.byvat = 3 then 12 when t.byvat is null then 0 else 1 "
      "end from towar t order by 1"},
     {{"1", "9"}, {"2", "12"}, {"3", "1"}, {"4", "0"}}},
    {"select decode(:a, :b, 'tak', 'nie'), decode(t.sGrIndex, 12, 'dwanaście'), decode(-1, -1, 'x') from towar t "
     "where t.lTowarRef = 3",
     {"select case when $1 is not distinct from $2 then 'tak' else 'nie' end, case when cast(t.sGrIndex as numeric) "
      "= 12 then 'dwanaście' end, case when - 1 = - 1 then 'x' end from towar t where t.lTowarRef = 3"},
     {{"tak", "dwanaście", "x"}},
     {{"a", "b"}},
     {{"a", nullptr}, {"b", nullptr}}},
    {"select previousCondition.dCenaSprzed / decode(t.dPrzelicznik, null, 1, 0, 1, t.dPrzelicznik) from towar t, "
     "towar previousCondition where previousCondition.lTowarRef = t.lTowarRef order by t.lTowarRef",
     {"select previousCondition.dCenaSprzed * 1.0 / case when t.dPrzelicznik is null then 1 when t.dPrzelicznik = 0 "
      "then 1 else t.dPrzelicznik end from towar t, towar previousCondition where previousCondition.lTowarRef = "
      "t.lTowarRef order by t.lTowarRef"},
     {{"9.994"}, {"5.5"}, {"6.25"}, {"NULL"}}},
    {"select nvl(t.dataOstSprzed, nvl(:dflt, 1)) from towar t where t.lTowarRef in (1, 2) order by t.lTowarRef",
     {"select coalesce(t.dataOstSprzed, coalesce($1, 1)) from towar t where t.lTowarRef in (1, 2) order by "
      "t.lTowarRef"},
     {{"39000"}, {"40000.5"}},
     {{"dflt"}},
     {{"dflt", 40000.5}}},
    {"select ltowarref from towar where bytyp = 1 and rownum = 1",
     {"select ltowarref from towar where bytyp = 1 limit 1"},
     {{"1"}}},
    {"select t.lTowarRef, p.sPLU from towar t, plu p where t.lTowarRef = p.lTowarRef(+) and p.byStatus(+) = 1 "
     "order by 1",
     {"select t.lTowarRef, p.sPLU from towar t left join plu p on t.lTowarRef = p.lTowarRef and p.byStatus = 1 order "
      "by 1"},
     {{"1", "590123"}, {"2", "NULL"}, {"3", "777"}, {"4", "NULL"}}},
    {"select sGrIndex from towar minus select sGrIndex from towar where byTyp = 9 order by 1",
     {"select sGrIndex from towar except select sGrIndex from towar where byTyp = 9 order by 1"},
     {{"0101"}, {"12"}, {"NULL"}}},
    {kMerge,
     {kMergeText},
     {{"1", "1", "8", "9"}},
     {{"lpluref", "lilosc", "luzytkref"}},
     {{"lPluRef", std::int64_t{1}}, {"lIlosc", std::int64_t{8}}, {"lUzytkRef", std::int64_t{9}}},
     "select lSpecCenDrukRef, lPluRef, lIlosc, lUzytkRef from SpecCenDruk order by 1"},
    {kMerge,
     {kMergeText},
     {{"1", "1", "5", "7"}, {"1000", "3", "2", "9"}},
     {{"lpluref", "lilosc", "luzytkref"}},
     {{"lPluRef", std::int64_t{3}}, {"lIlosc", std::int64_t{2}}, {"lUzytkRef", std::int64_t{9}}},
     "select lSpecCenDrukRef, lPluRef, lIlosc, lUzytkRef from SpecCenDruk order by 1"},
    {" update plu p set   p.splu = :PLU , p.bystatus = :STATUS where p.splu = :QPLU",
     {"update plu as p set splu = $1, bystatus = $2 where p.splu = $3"},
     {{"3", "0777", "3"}},
     {{"plu", "status", "qplu"}},
     {{"PLU", "0777"}, {"STATUS", std::int64_t{3}}, {"QPLU", "777"}},
     "select lPluRef, sPLU, byStatus from plu where lTowarRef = 3"},
    {"delete zmianavat z where z.ddata >= 40544",
     {"delete from zmianavat as z where z.ddata >= 40544"},
     {{"1"}},
     {{}},
     {},
     "select count(*) from zmianavat"},
    {"select Generators.getWolnyNumerWKanale(3, 1) as n, floor(sysdate) - floor(borlandsysdate), NewRef >= 1000 "
     "from dual",
     {"select Generators.getWolnyNumerWKanale(3, 1) as n, floor(sysdate()) - floor(borlandsysdate()), NewRef() >= "
      "1000 from dual"},
     {{"301", "0", "t"}}},
    {"select lower(sNazwa) from towar where upper(sNazwa) like 'MLE%' order by 1",
     {"select polish_lower(sNazwa) from towar where (polish_upper(sNazwa) >= 'MLE' collate \"C\" and "
      "polish_upper(sNazwa) < 'MLF' collate \"C\" and polish_upper(sNazwa) like 'MLE%' escape '') order by 1"},
     {{"mleczko"}, {"mleko"}}},
    {"select lTowarRef from Towar where sArtIndex like '%0123'",
     {"select lTowarRef from Towar where (reverse_chars(sArtIndex) >= '3210' collate \"C\" and "
      "reverse_chars(sArtIndex) < '3211' collate \"C\" and sArtIndex like '%0123' escape '')"},
     {{"1"}}},
    {"select lTowarRef from towar where sArtIndex like :productIndex || '%' or sNazwa like 'M\\%' or sNazwa like "
     "'50\\%' escape '\\' order by 1",
     {"select lTowarRef from towar where sArtIndex like $1 || '%' escape '' or sNazwa like 'M\\%' escape '' or "
      "sNazwa like '50\\%' escape '\\' order by 1"},
     {{"1"}},
     {{"productindex"}},
     {{"productIndex", "000123"}}},
    {"select lPluRef from plu where sPLU = 590123 or 777 = sPLU or sPLU in (1, 2) or lPluRef in (05) order by 1",
     {"select lPluRef from plu where sPLU = '590123' or '777' = sPLU or sPLU in ('1', '2') or lPluRef in ('05') order "
      "by 1"},
     {{"1"}, {"3"}}},
    {"select sGrIndex || 1, 1 || 2, 'a' || '' from towar where sgrindex not in (0102, 12)",
     {"select sGrIndex || '1', '1' || '2', 'a' || null from towar where sgrindex not in ('0102', '12')"},
     {{"01011", "12", "NULL"}}},
    {"select instr(sNazwa, 'ko'), to_number(sGrIndex), round(dCenaSprzed, 2), trunc(dCenaSprzed), 7 / 2 from towar "
     "where lTowarRef = 1",
     {"select strpos(sNazwa, 'ko'), cast(sGrIndex as numeric), round(cast(dCenaSprzed as numeric), 2), "
      "trunc(dCenaSprzed), 7 * 1.0 / 2 from towar where lTowarRef = 1"},
     {{"4", "101", "9.99", "9", "3.5000000000000000"}}},
    {"select lpluref from plu where sPLU = :plu for update nowait",
     {"select lpluref from plu where sPLU = $1 for update nowait"},
     {{"1"}},
     {{"plu"}},
     {{"plu", "590123"}},
     {},
     true,
     true},
    {"select p.lpluref from plu p where rownum <= 2 for update of p.bystatus, p.splu",
     {"select p.lpluref from plu p limit 2 for update of p"},
     {{"1"}, {"2"}},
     {{}},
     {},
     {},
     true},
};

std::string translationError(const std::string& sql) {
    return TestSupport::failure<std::runtime_error>([&] { translate(sql, Target::postgresql); });
}

// A connection to the server the PG* variables name, with the few tables and
// functions of the store the cases use, made by hand.
class Server {
public:
    Server() : connection_(PQconnectdb(""), PQfinish) {
        if (PQstatus(connection_.get()) != CONNECTION_OK)
            throw std::runtime_error(std::string("PostgreSQL: ") + PQerrorMessage(connection_.get()));
        exec(R"(
            set client_min_messages = warning;
            drop schema if exists public cascade; drop schema if exists generators cascade;
            create schema public; create schema generators;
            set search_path = public;
            create table dual (dummy varchar(1)); insert into dual values ('X');
            create table towar (lTowarRef bigint primary key, sArtIndex text, sGrIndex text, sNazwa text,
                byTyp smallint, byVat smallint, dPrzelicznik double precision, dCenaSprzed double precision,
                dataOstSprzed double precision);
            create table plu (lPluRef bigint primary key, sPLU text, lTowarRef bigint, byStatus smallint);
            create table SpecCenDruk (lSpecCenDrukRef bigint primary key, lPluRef bigint unique, lIlosc bigint,
                lUzytkRef bigint);
            create table zmianavat (lZmianaVatRef bigint, ddata double precision);
            create sequence refs start 1000;
            create function newref() returns bigint language sql as 'select nextval(''refs'')';
            create function sysdate() returns double precision language sql
                as 'select extract(epoch from now()) / 86400 + 25569';
            create function borlandsysdate() returns double precision language sql as 'select sysdate()';
            create function polish_upper(text) returns text immutable language sql as 'select upper($1)';
            create function polish_lower(text) returns text immutable language sql as 'select lower($1)';
            create function reverse_chars(text) returns text immutable language sql as 'select reverse($1)';
            create function generators.getWolnyNumerWKanale(bigint, bigint) returns bigint language sql
                as 'select $1 * 100 + $2';
            create index towar_reversed_sArtIndex on towar (reverse_chars(sArtIndex) collate "C");
            create index towar_upper_sNazwa on towar (polish_upper(sNazwa) collate "C");
            insert into towar values (1, '000123', '0101', 'mleko', 1, 2, null, 9.994, 39000),
                (2, '000124', '0102', 'Masło', 9, 3, 0, 5.5, null), (3, null, '12', 'mleczko', 1, 6, 2, 12.5, null),
                (4, '000120', null, 'M%', 4, null, 1, null, null);
            insert into plu values (1, '590123', 1, 1), (2, '0590123', 2, 3), (3, '777', 3, 1);
            insert into SpecCenDruk values (1, 1, 5, 7);
            insert into zmianavat values (1, 40000), (2, 40544);
            analyze)");
    }

    void exec(const std::string& sql) { check(PQexec(connection_.get(), sql.c_str())); }

    Rows query(const std::string& sql, const std::vector<std::string>& names, const Params& params) {
        std::vector<Oid> types;
        std::vector<std::string> texts;
        std::vector<bool> nulls;
        for (const std::string& name : names) {
            const auto value = std::find_if(params.begin(), params.end(),
                                            [&](const auto& each) { return Core::lowerAscii(each.first) == name; });
            if (value == params.end()) throw std::runtime_error("no value for " + name);
            types.push_back(std::visit(Type{}, value->second));
            texts.push_back(std::visit(Text{}, value->second));
            nulls.push_back(std::holds_alternative<std::nullptr_t>(value->second));
        }
        std::vector<const char*> values;
        for (std::size_t i = 0; i < texts.size(); ++i) values.push_back(nulls[i] ? nullptr : texts[i].c_str());
        return check(PQexecParams(connection_.get(), sql.c_str(), static_cast<int>(names.size()), types.data(),
                                  values.data(), nullptr, nullptr, 0));
    }

    Rows query(const std::string& sql) { return query(sql, {}, {}); }

private:
    // The types a layer binds its values with; a NULL leaves the type to the server.
    struct Type {
        Oid operator()(std::nullptr_t) const { return 0; }
        Oid operator()(std::int64_t) const { return 20; }  // int8
        Oid operator()(double) const { return 701; }       // float8
        Oid operator()(const std::string&) const { return 25; }  // text
    };
    struct Text {
        std::string operator()(std::nullptr_t) const { return {}; }
        std::string operator()(std::int64_t value) const { return std::to_string(value); }
        std::string operator()(double value) const { return std::to_string(value); }
        std::string operator()(const std::string& value) const { return value; }
    };

    Rows check(PGresult* raw) {
        const std::unique_ptr<PGresult, void (*)(PGresult*)> result(raw, PQclear);
        const auto status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            throw std::runtime_error(PQresultErrorMessage(result.get()));
        Rows rows;
        for (int row = 0; row < PQntuples(result.get()); ++row) {
            rows.emplace_back();
            for (int column = 0; column < PQnfields(result.get()); ++column) {
                rows.back().push_back(PQgetisnull(result.get(), row, column) ? "NULL"
                                                                             : PQgetvalue(result.get(), row, column));
            }
        }
        return rows;
    }

    std::unique_ptr<PGconn, void (*)(PGconn*)> connection_;
};

std::string plan(Server& server, const std::string& oracle) {
    std::string details;
    for (const auto& row : server.query("explain " + translate(oracle, Target::postgresql).statements.at(0)))
        details += row.at(0) + "\n";
    return details;
}

}  // namespace

TEST(DialectPostgres, TheModulesStatementsBecomePostgresTextWithNumberedParameters) {
    for (const Case& each : kCases) {
        const auto translation = translate(each.oracle, Target::postgresql);
        EXPECT_EQ(translation.statements, each.postgres) << each.oracle;
        EXPECT_EQ(translation.parameters, each.parameters) << each.oracle;
        EXPECT_EQ(translation.lockRows, each.lockRows) << each.oracle;
        EXPECT_EQ(translation.lockNowait, each.lockNowait) << each.oracle;
        EXPECT_TRUE(translate(each.oracle).parameters.empty()) << "SQLite numbers no parameters";
    }
}

TEST(DialectPostgres, WhatCannotBeCarriedOverFailsNamingPostgres) {
    const std::string prefix = "Nie można przenieść polecenia SQL na PostgreSQL: ";
    const std::vector<std::pair<std::string, std::string>> failures{
        {"select instr(sNazwa, 'a', 2) from towar", "instr z pozycją początkową lub numerem wystąpienia"},
        {"select to_number(sGrIndex, '999') from towar", "to_number z formatem"},
        {"select decode(a, 1) from t", "decode z mniej niż trzema argumentami"},
        {"select 1 from t where rownum > 2", "rownum w porównaniu innym niż rownum = 1, rownum <= n, rownum < n"},
        {"select 1 from t where a = 'x", "Błąd składni SQL: niezakończony tekst w apostrofach (pozycja 27)"},
        {"select 1 from t for update of c", "for update of z kolumną bez aliasu tabeli"},
    };
    for (const auto& [sql, construct] : failures) {
        EXPECT_EQ(translationError(sql), prefix + construct + ".\nPolecenie: " + sql);
    }
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { translate("select instr(a, 'b', 1, 2) from t"); }),
              "no exception")
        << "SQLite has its own instr";
}

TEST(DialectPostgres, EveryTranslationRunsOnARealServerWithItsParametersBound) {
    if (std::getenv("PGHOST") == nullptr) GTEST_SKIP() << "PGHOST unset: no PostgreSQL server (pg_virtualenv -v 15)";
    Server server;
    for (const Case& each : kCases) {
        const auto translation = translate(each.oracle, Target::postgresql);
        server.exec("begin");
        try {
            Rows rows;
            for (std::size_t i = 0; i < translation.statements.size(); ++i)
                rows = server.query(translation.statements[i], translation.parameters.at(i), each.bind);
            if (!each.check.empty()) rows = server.query(each.check);
            EXPECT_EQ(rows, each.rows) << each.oracle;
        } catch (const std::runtime_error& error) {
            ADD_FAILURE() << each.oracle << "\n" << error.what();
        }
        server.exec("rollback");
    }

    // The ranges seek the expression indexes (made with collate "C", as the bounds compare).
    server.exec("set enable_seqscan = off");
    EXPECT_NE(plan(server, "select 1 from towar where sArtIndex like '%000123'").find("towar_reversed_sartindex"),
              std::string::npos);
    EXPECT_NE(plan(server, "select 1 from towar where upper(sNazwa) like 'MLEKO%'").find("towar_upper_snazwa"),
              std::string::npos);
}
