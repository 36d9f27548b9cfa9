#include "Modules/Towary/Tools/conditions/ConditionsEditionChecker.h"
#include "tests/conditions/RulesStore.h"
#include "tests/support/Failure.h"

#include <boost/optional/optional_io.hpp>

#include <stdexcept>

namespace {

using Towary::ProductTools::ConditionsEditionChecker;
using Towary::ProductTools::ConditionType;
using Towary::ProductTools::Purchase;
using Towary::ProductTools::Sale;

const std::vector<std::string> kSaleEdition = {"Parametry sklepu", "Towary", "Warunki", "Sprzedaży", "Edycja"};

std::vector<std::string> saleEdition(const std::vector<std::string>& names) {
    auto path = kSaleEdition;
    path.insert(path.end(), names.begin(), names.end());
    return path;
}
std::vector<std::string> period(ConditionType type, const std::vector<std::string>& names = {}) {
    std::vector<std::string> path = {"Parametry sklepu", "Towary", "Warunki", type == Sale ? "Sprzedaży" : "Zakupu",
                                     "Edycja", "Domyślny okres obowiązywania warunku"};
    path.insert(path.end(), names.begin(), names.end());
    return path;
}

class ConditionRules : public RulesStore {
protected:
    void addCompany(int id, const std::string& attribute, const std::string& value) {
        run("insert into firma (lFirmaRef, sNazwa) values (" + std::to_string(id) + ", 'Dostawca')");
        if (!attribute.empty())
            run("insert into firmaatrybut (lFirmaAtrybutRef, lFirmaRef, sNazwa, sWartosc) values (" +
                std::to_string(id) + ", " + std::to_string(id) + ", '" + attribute + "', '" + value + "')");
    }
    void addPromotionCondition(int id, int productId, int from, int to, const std::string& guid, int local) {
        run("insert into promocja (lPromocjaRef, sNazwa, sGuid, bLokalna) values (" + std::to_string(id) +
            ", 'Promocja', '" + guid + "', " + std::to_string(local) + ")");
        run("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, bLokalny) values (" +
            std::to_string(id) + ", " + std::to_string(productId) + ", " + std::to_string(from) + ", " +
            std::to_string(to) + ", 9.99, " + std::to_string(id) + ", " + std::to_string(local) + ")");
    }
};

TEST_F(ConditionRules, EachEditionRuleReadsItsOwnKeyAtEveryCall) {
    ConditionsEditionChecker checker;
    using Rule = bool (ConditionsEditionChecker::*)();
    const std::vector<std::pair<std::string, Rule>> rules = {
        {"Blokada edycji warunku centralowego promocyjnego",
         &ConditionsEditionChecker::isHQSalePromotionConditionEditionLocked},
        {"Blokada edycji rozpoczętego warunku centralowego promocyjnego",
         &ConditionsEditionChecker::isHQCurrentSalePromotionConditionEditionLocked},
        {"Dopuszczalna edycja warunku centralowego promocyjnego",
         &ConditionsEditionChecker::HQSalePromotionConditionEditable},
        {"Dopuszczalna edycja warunku centralowego", &ConditionsEditionChecker::HQSaleConditionEditable},
        {"Dozwolona zmiana ceny warunku centralowego tylko poniżej ceny sugerowanej",
         &ConditionsEditionChecker::allowPriceChangeOnlyBelowSuggestedForHQSaleCondition},
        {"Warunek centralowy promocyjny - tylko zmiana ceny",
         &ConditionsEditionChecker::allowOnlyPriceChangeForHqPromotionCondition},
    };
    for (const auto& [name, rule] : rules) {
        setSetting(saleEdition({name}), true);
        EXPECT_TRUE((checker.*rule)()) << name;
        setSetting(saleEdition({name}), false);
        EXPECT_FALSE((checker.*rule)()) << name;
    }
    const std::string multiPrice = "Dozwolona ręczna edycja warunków dla towarów wielocenowych";
    setSetting(saleEdition({multiPrice}), true);
    EXPECT_TRUE(checker.multiPriceProductSaleConditionEditable());
}

TEST_F(ConditionRules, LocalSaleConditionsFollowTheLockAndItsExceptions) {
    const auto lockKey = saleEdition({"Blokada dodawania lokalnych warunków sprzedaży"});
    auto listed = product(1, "0101", "000100");
    auto other = product(2, "0202", "000200");
    ConditionsEditionChecker checker;
    EXPECT_TRUE(checker.localSaleConditionAdding());
    EXPECT_TRUE(checker.localSaleConditionAdding(other.get()));
    setSetting(lockKey, true);
    setSetting(saleEdition({"Blokada dodawania lokalnych warunków sprzedaży", "Indeksy towarów - wyjątki"}),
               "000100");
    EXPECT_FALSE(checker.localSaleConditionAdding());
    EXPECT_TRUE(checker.localSaleConditionAdding(listed.get()));
    EXPECT_FALSE(checker.localSaleConditionAdding(other.get()));
    setSetting(saleEdition({"Blokada dodawania lokalnych warunków sprzedaży", "Grupy towarowe - wyjątki"}), "02");
    EXPECT_TRUE(checker.localSaleConditionAdding(other.get()));
}

TEST_F(ConditionRules, DefaultPeriodsAndTheirDays) {
    ConditionsEditionChecker checker;
    EXPECT_TRUE(checker.isDefaultConditionDurationActive(Sale));
    EXPECT_EQ(checker.getDefaultConditionDurationDays(Sale), boost::optional<int>(30));
    EXPECT_EQ(checker.getDefaultConditionDurationDays(Purchase), boost::optional<int>(90));
    setSetting(period(Sale), false);
    EXPECT_FALSE(checker.isDefaultConditionDurationActive(Sale));
    EXPECT_EQ(checker.getDefaultConditionDurationDays(Sale), boost::none);
    setSetting(period(Purchase, {"Liczba dni"}), -1);
    EXPECT_THROW(checker.getDefaultConditionDurationDays(Purchase), std::runtime_error) << "days out of range";
}

TEST_F(ConditionRules, PurchaseDaysComeFromTheCompanyWhenTheSettingsSaySo) {
    addCompany(7, "Okres warunku zakupu", "45");
    addCompany(8, "", "");
    addCompany(9, "Okres warunku zakupu", "4.5");
    ConditionsEditionChecker checker;
    EXPECT_EQ(checker.getPurchaseConditionDurationDays(7), boost::optional<int>(90)) << "attribute not asked for";
    setSetting(period(Purchase, {"Liczba dni z atrybutu firmy"}), true);
    EXPECT_EQ(checker.getPurchaseConditionDurationDays(7), boost::optional<int>(45));
    EXPECT_EQ(checker.getPurchaseConditionDurationDays(8), boost::optional<int>(90)) << "the company lacks it";
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { checker.getPurchaseConditionDurationDays(9); }),
              "Atrybut \"Okres warunku zakupu\" firmy o identyfikatorze 9 ma wartość \"4.5\", a okres obowiązywania "
              "warunku zakupu musi być liczbą całkowitą dni od 0 do 2958465. Popraw atrybut firmy.");

    setSetting(period(Purchase), false);
    EXPECT_EQ(checker.getPurchaseConditionDurationDays(9), boost::none) << "inactive whatever the company";
}

TEST_F(ConditionRules, LatestEndDayOfBothOverloads) {
    addCompany(7, "Okres warunku zakupu", "10");
    ConditionsEditionChecker checker;
    EXPECT_EQ(checker.getMaxSaleAndPurchaseEndDate(40000, boost::none), 40030u);
    EXPECT_EQ(checker.getMaxSaleAndPurchaseEndDate(2958464), 2958465u) << "never past the no-end day";
    setSetting(period(Purchase, {"Liczba dni z atrybutu firmy"}), true);
    EXPECT_EQ(checker.getMaxSaleAndPurchaseEndDate(40000, 7), 40010u);
    EXPECT_EQ(checker.getMaxSaleAndPurchaseEndDate(40000), 40030u) << "the one-argument form asks no company";

    setSetting(period(Purchase), false);  // only the sale period configured
    EXPECT_EQ(checker.getMaxSaleAndPurchaseEndDate(40000), 2958465u);
    EXPECT_EQ(checker.getMaxSaleAndPurchaseEndDate(40000, 7), 40030u);
    EXPECT_EQ(checker.getMaxSaleAndPurchaseEndDate(2958460, 7), 2958465u) << "capped at the no-end day";
}

TEST_F(ConditionRules, DateRangeLockAndItsArticleExceptions) {
    ConditionsEditionChecker checker;
    EXPECT_FALSE(checker.isDateRangeEditionLocked(Sale));
    EXPECT_FALSE(checker.isDateRangeEditionLocked(Sale, "100"));
    setSetting(period(Sale, {"Blokada edycji zakresu datowego"}), true);
    setSetting(period(Sale, {"Blokada edycji zakresu datowego", "Indeksy towarów - wyjątki"}), "100;200\n300");
    EXPECT_TRUE(checker.isDateRangeEditionLocked(Sale));
    for (const char* exempt : {"100", "200", "300"}) EXPECT_FALSE(checker.isDateRangeEditionLocked(Sale, exempt));
    for (const char* locked : {"20", "2000", ""}) EXPECT_TRUE(checker.isDateRangeEditionLocked(Sale, locked));
    EXPECT_FALSE(checker.isDateRangeEditionLocked(Purchase, "20")) << "each type its own lock";

    setSetting(period(Sale), false);
    EXPECT_FALSE(checker.isDateRangeEditionLocked(Sale, "20")) << "no default period, no lock";
}

TEST_F(ConditionRules, OverlapWithAnotherHeadquartersPromotion) {
    product(1, "0101", "000001");
    product(2, "0101", "000002");
    addPromotionCondition(1, 1, 45000, 45010, "{ABCD-0001}", 0);
    addPromotionCondition(2, 2, 45000, 45010, "{LOCAL-0002}", 0);  // the editable prefix "{L"
    addPromotionCondition(3, 2, 45020, 45030, "{ABCD-0003}", 1);   // a local promotion
    ConditionsEditionChecker checker;
    EXPECT_FALSE(checker.isInOtherHQSalePromotionConditionDateRange(1, 45005, 45006)) << "not locked";

    setSetting(saleEdition({"Blokada edycji warunku centralowego promocyjnego"}), true);
    EXPECT_TRUE(checker.isInOtherHQSalePromotionConditionDateRange(1, 44990, 45000)) << "touches the first day";
    EXPECT_TRUE(checker.isInOtherHQSalePromotionConditionDateRange(1, 45010, 45020)) << "touches the last day";
    EXPECT_FALSE(checker.isInOtherHQSalePromotionConditionDateRange(1, 45011, 45020));
    EXPECT_FALSE(checker.isInOtherHQSalePromotionConditionDateRange(1, 44990, 44999));
    EXPECT_FALSE(checker.isInOtherHQSalePromotionConditionDateRange(2, 45000, 45010)) << "editable prefix";
    EXPECT_FALSE(checker.isInOtherHQSalePromotionConditionDateRange(2, 45020, 45030)) << "local promotion";

    const auto prefix = saleEdition({"Blokada edycji warunku centralowego promocyjnego",
                                     "Prefiks promocji pozwalający na edycję warunku"});
    setSetting(prefix, "{l");
    EXPECT_TRUE(checker.isInOtherHQSalePromotionConditionDateRange(2, 45000, 45010)) << "the prefix is exact";
    setSetting(prefix, "{A'");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                  [&] { checker.isInOtherHQSalePromotionConditionDateRange(1, 45000, 45010); }),
              "Ustawienie \"Parametry sklepu / Towary / Warunki / Sprzedaży / Edycja / Blokada edycji warunku "
              "centralowego promocyjnego / Prefiks promocji pozwalający na edycję warunku\" nie może zawierać "
              "apostrofu: prefiks GUID promocji to cyfry szesnastkowe, nawias klamrowy i łącznik.");
}

TEST(ConditionRulesHost, TheCheckerNeedsTheCompanyDataAccessObject) {
    TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    Towary::Host::writeSampleSettings(Core::Store::settingsFile());
    Core::SetupRegistration setup;
    EXPECT_THROW(ConditionsEditionChecker(), std::runtime_error);
}

}  // namespace

