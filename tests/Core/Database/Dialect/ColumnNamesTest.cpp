#include "Core/Database/Dialect/ColumnNames.h"

#include <gtest/gtest.h>

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
