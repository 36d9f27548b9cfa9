#include "Core/Database/Dialect/ColumnNames.h"

#include "Core/Database/Sql.h"
#include "Core/tools/IgnoringCase.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using DBKernel::Dialect::ColumnNames;

// A server folds unquoted names to lower case; the layer names the columns as the module's text does.
TEST(ColumnNames, TheStatementsSpellingThenTheSchemasAsTheStoreDefinesEveryColumnThenTheServersOwn) {
    const ColumnNames listed("select t.sArtIndex, p.sPLU as KodPLU, byVAT from Towar t, Plu p where t.lTowarRef = p.ltowarref");
    EXPECT_EQ(listed.spelling(0, "sartindex"), "sArtIndex");
    EXPECT_EQ(listed.spelling(1, "kodplu"), "KodPLU");
    EXPECT_EQ(listed.spelling(2, "byvat"), "byVAT");
    // The first spelling the text gives, which is the select list's.
    EXPECT_EQ(listed.spelling(3, "ltowarref"), "lTowarRef");

    // The schema's spellings are below.
    const ColumnNames all("select * from towar where ltowarref = :id");
    EXPECT_EQ(all.spelling(0, "ltowarref"), "ltowarref");
    EXPECT_EQ(all.spelling(0, "?column?"), "?column?");

    // An expression without an alias is named by its text as SQLite is given it (the layer's query
    // tests name them on either engine); after a "*" the places of the items are not known.
    const ColumnNames starred("select t.*, count(*) from towar t");
    EXPECT_EQ(starred.spelling(105, "count"), "count");

    // What a "select *" on the server is named after: every column of every table and view as the
    // SQLite store defines it (in one of its tables, where two spell a name differently); the rule
    // reads them from the migrations' texts without running them.
    if (TestSupport::onServer()) GTEST_SKIP() << "the definitions are the SQLite store's";
    const TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    DBKernel::Sql::OpenedQuery columns("select p.name from sqlite_schema s, pragma_table_info(s.name) p where s.type in "
                                       "('table', 'view')",
                                       TSessionHolder::open());
    std::map<std::string, std::set<std::string>> defined;
    while (columns.next()) defined[Core::lowerAscii(columns["name"].asString())].insert(columns["name"].asString());
    ASSERT_GT(defined.size(), 100U);
    const ColumnNames bare("select *");
    for (const auto& [folded, spellings] : defined) EXPECT_TRUE(spellings.contains(bare.spelling(0, folded))) << folded;
}
