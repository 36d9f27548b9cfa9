#include "Core/Database/Sql.h"
#include "Core/Database/SqlTrace.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/plu/IdentifierChars.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"
#include "apps/towary/SampleSettings.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace Product::Tools;

namespace {

// The store's sample PLU masks: short codes (G, up to 5 digits), weighed goods
// completed from their item number (W, "28" and 5 digits), EAN-8 and EAN-13.
class IdentifierSearch : public ::testing::Test {
protected:
    IdentifierSearch() {
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        registerIdentifierFilterControllerImplObjects(registrations_);
        addProduct(1, "Mleko łaciate", "000123", "5901234123457");
        addProduct(2, "Mleczko", "00000123", "17");
        addProduct(3, "O'Neil whisky", "456789", "2800017000004");
        addProduct(4, "Żółty ser", "777777", "");
        run("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (5, 'Mleko i sery', '01', 4)");
    }

    void run(const std::string& sql) { DBKernel::Sql::Command(sql, session_).execute(); }

    void addProduct(int id, const std::string& name, const std::string& index, const std::string& code) {
        TestSupport::addProduct(session_, id, name, "01", index);
        if (!code.empty()) TestSupport::addCode(session_, id * 10, id, code, 3);
    }

    static void allowLengths(const Orvel::TValue& lengths) {
        TestSupport::setSetting({"Parametry programu", "Towary", "Dozwolone długości indeksów"}, lengths);
    }

    // The ids the identifier finds through the action, ascending; the statement the
    // action sent to the layer is kept in sent_, as the SQL trace saw it.
    std::string found(const std::string& identifier) {
        std::vector<std::string> texts;
        DBKernel::SqlTrace::start([&texts](const DBKernel::TracedExecution& run) { texts.push_back(run.text); }, false);
        const auto products = GetProductByIdentifierInvoker().invoke(identifier, session_);
        DBKernel::SqlTrace::stop();
        EXPECT_EQ(texts.size(), 1u) << "one statement a search";
        sent_ = texts.empty() ? "" : texts.front();
        std::set<int> sorted;
        for (const auto& product : *products) sorted.insert(product->GetTowarRef());
        std::string ids;
        for (int id : sorted) ids += (ids.empty() ? "" : " ") + std::to_string(id);
        return ids;
    }

    // The ids the report statement selects in the session, in order.
    static std::string reported(const std::string& statement, TSessionHolder session) {
        DBKernel::Sql::OpenedQuery query(statement + " order by t.lTowarRef", std::move(session));
        std::string ids;
        while (query.next()) ids += (ids.empty() ? "" : " ") + query.field(0).asString();
        return ids;
    }

    std::string sent_;
    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_;
    Core::Registrations registrations_;
};

std::string indexPart(const std::string& ending) {
    return "\n (\n \tselect\n \t\tlTowarRef productId\n \tfrom Towar\n \twhere sArtIndex like '%" + ending + "'\n )";
}

std::string namePart(const std::string& pattern) {
    return "\n (\n \tselect\n \t\tlTowarRef productId\n \tfrom Towar\n \twhere upper(sNazwa) like '" + pattern +
           "%'\n )";
}

// The statement that loads the products an identifier's subquery finds.
std::string loading(const std::string& part) {
    return "select * from towar t, " + part + " identifier where identifier.productId = t.lTowarRef";
}

}  // namespace

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

TEST_F(IdentifierSearch, SubqueriesOfTheThreeFormsAndTheProductsTheyFind) {
    allowLengths("6, 8");
    EXPECT_EQ(getIdentifierSqlPart("/123"), indexPart("00000123"));
    EXPECT_EQ(found("/123"), "2");
    EXPECT_EQ(sent_, loading(indexPart("00000123")));
    allowLengths("6");
    EXPECT_EQ(found("/123"), "1 2");
    EXPECT_EQ(getIdentifierSqlPart("/123456789"), indexPart("456789"));
    EXPECT_EQ(found("/123456789"), "3");
    EXPECT_EQ(sent_, loading(indexPart("456789")));
    EXPECT_EQ(getIdentifierSqlPart("mle*ko"), namePart("MLE%KO"));
    EXPECT_EQ(found("mle*ko"), "1 2 5");
    EXPECT_EQ(sent_, loading(namePart("MLE%KO")));
    EXPECT_EQ(getIdentifierSqlPart("O'Neil"), namePart("O''NEIL"));
    EXPECT_EQ(found("O'Neil"), "3");
    EXPECT_EQ(sent_, loading(namePart("O''NEIL")));
    EXPECT_EQ(getIdentifierSqlPart("żółty"), namePart("ŻÓŁTY"));
    EXPECT_EQ(found("żół"), "4");
    EXPECT_EQ(sent_, loading(namePart("ŻÓŁ")));
    EXPECT_EQ(getIdentifierSqlPart("5901234123457"),
              "\n (\n \tselect distinct\n \t\tlTowarRef productId\n \tfrom Plu p\n \twhere (p.sPlu in "
              "('5901234123457'))\n )");
    // A short code, and the weighed-goods code its number completes to.
    EXPECT_NE(getIdentifierSqlPart("17").find("(p.sPlu in ('17', '2800017000004'))"), std::string::npos);
    EXPECT_EQ(found("17"), "2 3");
    EXPECT_EQ(sent_, loading("\n (\n \tselect distinct\n \t\tlTowarRef productId\n \tfrom Plu p\n \twhere (p.sPlu in "
                             "('17', '2800017000004'))\n )"));
    // Digits no mask reads nor completes.
    EXPECT_NE(getIdentifierSqlPart("12345678901234").find("p.sPlu like '%12345678901234%'"), std::string::npos);
    // Codes are looked for in their canonical form, not as typed.
    EXPECT_NE(getIdentifierSqlPart("0017").find("('17', "), std::string::npos);
    EXPECT_NE(getIdentifierSqlPart("590123412345").find("('5901234123457')"), std::string::npos);
    // The empty text is all digits: no code, so any code.
    EXPECT_EQ(getIdentifierSqlPart(""),
              "\n (\n \tselect distinct\n \t\tlTowarRef productId\n \tfrom Plu p\n \twhere p.sPlu like '%%'\n )");
    EXPECT_EQ(found(""), "1 2 3");
    EXPECT_EQ(sent_, loading(getIdentifierSqlPart("")));
    // After the slash: characters, not bytes, and an apostrophe stays inside the literal.
    EXPECT_EQ(getIdentifierSqlPart("/12'3"), indexPart("0012''3"));
    EXPECT_EQ(found("/12'3"), "");
    EXPECT_EQ(getIdentifierSqlPart("/żółw12"), indexPart("żółw12"));
    EXPECT_EQ(getIdentifierSqlPart("/"), indexPart("000000"));

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
}

TEST_F(IdentifierSearch, PluConditionSwitches) {
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

TEST_F(IdentifierSearch, FilterOfAReport) {
    const auto controller = IdentifierFilterInvoker().invoke();
    for (char32_t typed : {U'm', U'l', U'\'', U'e', U' ', U'*', U'-', U'k', U'o'}) controller->frame().keyPress(typed);
    EXPECT_EQ(controller->frame().identifier(), "mle*ko");

    BaseRaport::TFilterItemGroup filter;
    const BaseRaport::TReportStatement base{"t.lTowarRef", "towar t", "t.byCode = 6"};
    ApplyIdentifierFilterInvoker().invoke(filter, controller);
    ASSERT_EQ(filter.items().size(), 1u);
    EXPECT_EQ(filter.items()[0].id, "ProductIdentifier");
    EXPECT_EQ(filter.items()[0].join, getIdentifierSqlPart("mle*ko") + " identifier");
    EXPECT_EQ(filter.items()[0].condition, "and identifier.productId = t.lTowarRef");
    EXPECT_EQ(reported(filter.statement(base), controller->session()), "1 2");

    controller->frame().setIdentifier("O'Neil");
    ApplyIdentifierFilterInvoker().invoke(filter, controller);
    EXPECT_EQ(filter.items().size(), 1u);
    EXPECT_EQ(reported(filter.statement(base), controller->session()), "3");

    controller->frame().setIdentifier("");
    ApplyIdentifierFilterInvoker().invoke(filter, controller);
    EXPECT_TRUE(filter.items().empty());
    EXPECT_EQ(reported(filter.statement(base), controller->session()), "1 2 3 4");
    EXPECT_EQ(IdentifierFilterInvoker().invoke("/123")->frame().identifier(), "/123");
}
