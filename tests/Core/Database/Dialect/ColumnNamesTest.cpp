#include "Core/Database/Dialect/ColumnNames.h"

#include "Core/Database/Schema.h"
#include "Core/tools/IgnoringCase.h"
#include "tests/Core/Database/Dialect/DialectDatabase.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using DBKernel::Dialect::ColumnNames;

// A server folds unquoted names to lower case; the layer names the columns as the module's text does.
TEST(ColumnNames, TheStatementsSpellingThenTheSchemasThenTheServersOwn) {
    const ColumnNames listed("select t.sArtIndex, p.sPLU as KodPLU, byVAT from Towar t, Plu p where t.lTowarRef = p.ltowarref");
    EXPECT_EQ(listed.spelling("sartindex"), "sArtIndex");
    EXPECT_EQ(listed.spelling("kodplu"), "KodPLU");
    EXPECT_EQ(listed.spelling("byvat"), "byVAT");
    // The first spelling the text gives, which is the select list's.
    EXPECT_EQ(listed.spelling("ltowarref"), "lTowarRef");

    const ColumnNames all("select * from towar where ltowarref = :id");
    EXPECT_EQ(all.spelling("ltowarref"), "ltowarref");
    EXPECT_EQ(all.spelling("sgrindex"), "sGrIndex");
    EXPECT_EQ(all.spelling("dprzeliczniksprz2base"), "dPrzelicznikSprz2Base");
    EXPECT_EQ(all.spelling("?column?"), "?column?");
}

// What a "select *" on the server is named after: every column of every table and view as the
// SQLite store defines it (in one of its tables, where two spell a name differently), read from
// the migrations' texts without running them.
TEST(ColumnNames, EveryColumnOfTheSchemaIsSpelledAsTheStoreDefinesIt) {
    TestSupport::DialectDatabase store;
    store.exec("drop table dual");
    for (const auto& migration : DBKernel::Schema::migrations()) store.exec(std::string(migration.script));
    std::map<std::string, std::set<std::string>> defined;
    for (const auto& row : store.query("select p.name from sqlite_schema s, pragma_table_info(s.name) p "
                                       "where s.type in ('table', 'view')"))
        defined[Core::lowerAscii(row[0])].insert(row[0]);
    ASSERT_GT(defined.size(), 100U);
    const ColumnNames all("select *");
    for (const auto& [folded, spellings] : defined) EXPECT_TRUE(spellings.contains(all.spelling(folded))) << folded;
}
