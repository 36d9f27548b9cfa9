#include "Modules/Towary/Tools/plu/IdentifierChars.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"
#include "tests/plu/PluStore.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreSession.h"

#include <set>
#include <string>

using namespace Product::Tools;

TEST(IdentifierChars, LettersDigitsAndThreeSigns) {
    for (char c : {'a', 'Z', '0', '9', '%', '*', '/'}) EXPECT_TRUE(isValidIdentifierChar(c)) << c;
    for (char c : {' ', '-', '\'', '.', '_', '\t'}) EXPECT_FALSE(isValidIdentifierChar(c)) << c;
    for (char32_t c : {U'ą', U'Ż', U'ł', U'é', U'q'}) EXPECT_TRUE(isValidIdentifierChar(c));
    for (char32_t c : {U' ', U'-', U'\'', U'α', U'€'}) EXPECT_FALSE(isValidIdentifierChar(c));
    // A byte of a two-byte letter is no character of its own.
    for (char c : std::string("ż")) EXPECT_FALSE(isValidIdentifierChar(c));

    TIdentifierFilterFrame field;
    for (char32_t typed : std::u32string(U"żó ł-w")) field.keyPress(typed);
    EXPECT_EQ(field.identifier(), "żółw");
}

TEST_F(PluStore, IdentifierSearchAReportsFilterTheSubqueriesOfTheThreeFormsTheProductsTheyFindAndTheCodeConditions) {
    // The store's sample PLU masks: short codes (G, up to 5 digits), weighed goods
    // completed from their item number (W, "28" and 5 digits), EAN-8 and EAN-13.
    // The codes are deleted ones: the search finds codes of every status.
    registerIdentifierFilterControllerImplObjects(registrations_);
    addProduct(1, "Mleko łaciate", "000123");
    addCode(10, "5901234123457", 1, 3);
    addProduct(2, "Mleczko", "00000123");
    addCode(20, "17", 2, 3);
    addProduct(3, "O'Neil whisky", "456789");
    addCode(30, "2800017000004", 3, 3);
    addProduct(4, "Żółty ser", "0żółw1");
    exec(session_, "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (5, 'Mleko i sery', "
                   "'01', '1żółw1', 4)");
    const auto allowLengths = [](const Orvel::TValue& lengths) {
        TestSupport::setSetting({"Parametry programu", "Towary", "Dozwolone długości indeksów"}, lengths);
    };
    // The ids the identifier finds through the action, ascending.
    const auto found = [this](const std::string& identifier) {
        TTowarCollectionPtr products;
        const auto runs =
            TestSupport::traced([&] { products = GetProductByIdentifierInvoker().invoke(identifier, session_); });
        EXPECT_EQ(runs.size(), 1u) << "one statement a search";
        std::set<int> sorted;
        for (const auto& product : *products) sorted.insert(product->GetTowarRef());
        std::string ids;
        for (int id : sorted) ids += (ids.empty() ? "" : " ") + std::to_string(id);
        return ids;
    };

    const auto controller = IdentifierFilterInvoker().invoke();
    const BaseRaport::TReportStatement base{"t.lTowarRef", "towar t", "t.byCode = 6"};
    BaseRaport::TFilterItemGroup filter;
    // An identifier, the filter's items and the ids the report selects with it; the empty text filters nothing.
    for (const auto& [identifier, items, ids] : {std::tuple{"mle*ko", "ProductIdentifier", "1\n2\n"},
                                                 {"O'Neil", "ProductIdentifier", "3\n"}, {"", "", "1\n2\n3\n4\n"}}) {
        controller->frame().setIdentifier(identifier);
        ApplyIdentifierFilterInvoker().invoke(filter, controller);
        std::string named;
        for (const auto& item : filter.items()) named += item.id;
        EXPECT_EQ(named, items) << identifier;
        EXPECT_EQ(TestSupport::rows(controller->session(), filter.statement(base) + " order by t.lTowarRef"), ids)
            << identifier;
    }
    EXPECT_EQ(IdentifierFilterInvoker().invoke("/123")->frame().identifier(), "/123");

    // The subqueries of the three forms and the products they find.
    allowLengths("6, 8");
    EXPECT_EQ(found("/123"), "2") << "padded to the longest length allowed";
    allowLengths("6");
    // An identifier, the ids of the products it finds: the end of an article index (padded by characters, not
    // bytes: "/żółw1" is "0żółw1"), the beginning of a name in any case, a code in its canonical form or
    // completed to a weighed-goods code, and the empty text for any code.
    const std::pair<const char*, const char*> cases[] = {
        {"/123", "1 2"}, {"/123456789", "3"}, {"/12'3", ""}, {"/żółw1", "4"}, {"mle*ko", "1 2 5"}, {"O'Neil", "3"},
        {"żół", "4"},    {"17", "2 3"},       {"0017", "2 3"}, {"590123412345", "1"}, {"", "1 2 3"},
    };
    for (const auto& [identifier, ids] : cases) EXPECT_EQ(found(identifier), ids) << identifier;
    EXPECT_NE(getIdentifierSqlPart("12345678901234").find("p.sPlu like '%12345678901234%'"), std::string::npos)
        << "digits no mask reads nor completes";
    EXPECT_NE(getIdentifierSqlPart("/").find("sArtIndex like '%000000'"), std::string::npos);

    allowLengths("6,x");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { getIdentifierSqlPart("/1"); }),
              "Nieprawidłowa długość indeksu \"x\" w ustawieniu Parametry programu / Towary / Dozwolone "
              "długości indeksów: długości to liczby dodatnie oddzielone przecinkami.");
    for (const char* lengths : {"", " , "}) {
        allowLengths(lengths);
        EXPECT_THROW(getIdentifierSqlPart("/1"), std::runtime_error) << lengths;
    }
    allowLengths(6);
    EXPECT_THROW(getIdentifierSqlPart("/1"), std::logic_error);

    // The code condition and its switches.
    EXPECT_EQ(getPluSqlCondition("5901234123457", "any", false, false), "(p.sPlu in ('5901234123457'))");
    // A short code is no candidate of the general list; completed, its number is.
    EXPECT_EQ(getPluSqlCondition("17", "", false, false), "p.sPlu like '%17%'");
    EXPECT_EQ(getPluSqlCondition("17", "", false, true), "(p.sPlu in ('2800017000004'))");
    EXPECT_EQ(getPluSqlCondition("17", "", true, true), "(p.sPlu in ('17'))");
    EXPECT_EQ(getPluSqlCondition("12a4", "", true, false), "(p.sPlu in ('12a4'))");
    EXPECT_EQ(getPluSqlCondition("12a4", "", false, true), "p.sPlu like '%12a4%'");
    EXPECT_EQ(getPluSqlCondition("1' or '1", "", false, true), "p.sPlu like '%1'' or ''1%'");
    // The weighed-goods mask completes item numbers of up to its five digits.
    EXPECT_EQ(getPluSqlCondition("12345", "", false, true), "(p.sPlu in ('2812345000007'))");
    EXPECT_EQ(getPluSqlCondition("123456", "", false, true), "p.sPlu like '%123456%'");
}
