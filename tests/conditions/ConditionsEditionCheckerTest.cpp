#include "Modules/Towary/Tools/conditions/ConditionsEditionChecker.h"
#include "tests/conditions/RulesStore.h"
#include "tests/support/Failure.h"

#include <boost/optional/optional_io.hpp>

#include <functional>
#include <stdexcept>
#include <tuple>

namespace {

using Towary::ProductTools::ConditionsEditionChecker;
using Towary::ProductTools::ConditionType;
using Towary::ProductTools::Purchase;
using Towary::ProductTools::Sale;

// A key of the edition settings of the type's conditions: the names below "Edycja".
std::vector<std::string> edition(ConditionType type, std::vector<std::string> names) {
    const char* kind = type == Sale ? "Sprzedaży" : "Zakupu";
    names.insert(names.begin(), {"Parametry sklepu", "Towary", "Warunki", kind, "Edycja"});
    return names;
}
const std::string kPeriod = "Domyślny okres obowiązywania warunku";
const std::string kLocalLock = "Blokada dodawania lokalnych warunków sprzedaży";
const std::string kPromotionLock = "Blokada edycji warunku centralowego promocyjnego";

class ConditionRules : public RulesStore {
protected:
    ConditionsEditionChecker checker_;
};

TEST_F(ConditionRules, EachEditionRuleReadsItsOwnKeyAtEveryCallLocalConditionsTheirLockAndDatesTheDefaultPeriodsAndAnotherPromotionsOverlap) {
    using C = ConditionsEditionChecker;
    const std::vector<std::pair<std::string, std::function<bool(C&)>>> rules = {
        {kPromotionLock, &C::isHQSalePromotionConditionEditionLocked},
        {"Blokada edycji rozpoczętego warunku centralowego promocyjnego",
         &C::isHQCurrentSalePromotionConditionEditionLocked},
        {"Dopuszczalna edycja warunku centralowego promocyjnego", &C::HQSalePromotionConditionEditable},
        {"Dopuszczalna edycja warunku centralowego", &C::HQSaleConditionEditable},
        {"Dozwolona zmiana ceny warunku centralowego tylko poniżej ceny sugerowanej",
         &C::allowPriceChangeOnlyBelowSuggestedForHQSaleCondition},
        {"Warunek centralowy promocyjny - tylko zmiana ceny", &C::allowOnlyPriceChangeForHqPromotionCondition},
        {"Dozwolona ręczna edycja warunków dla towarów wielocenowych", &C::multiPriceProductSaleConditionEditable},
    };
    for (const auto& [name, rule] : rules)
        for (const bool value : {true, false}) {
            setSetting(edition(Sale, {name}), value);
            EXPECT_EQ(rule(checker_), value) << name;
        }

    // Local sale conditions follow their lock and its exceptions.
    auto listed = product(1, "0101", "000100");
    auto other = product(2, "0202", "000200");
    EXPECT_TRUE(checker_.localSaleConditionAdding());
    EXPECT_TRUE(checker_.localSaleConditionAdding(other.get()));
    setSetting(edition(Sale, {kLocalLock}), true);
    setSetting(edition(Sale, {kLocalLock, "Indeksy towarów - wyjątki"}), "000100");
    EXPECT_FALSE(checker_.localSaleConditionAdding());
    EXPECT_TRUE(checker_.localSaleConditionAdding(listed.get()));
    EXPECT_FALSE(checker_.localSaleConditionAdding(other.get()));
    setSetting(edition(Sale, {kLocalLock, "Grupy towarowe - wyjątki"}), "02");
    EXPECT_TRUE(checker_.localSaleConditionAdding(other.get()));

    // Default periods and the date range lock with its exceptions.
    EXPECT_TRUE(checker_.isDefaultConditionDurationActive(Sale));
    EXPECT_EQ(checker_.getDefaultConditionDurationDays(Sale), boost::optional<int>(30));
    EXPECT_EQ(checker_.getDefaultConditionDurationDays(Purchase), boost::optional<int>(90));
    EXPECT_FALSE(checker_.isDateRangeEditionLocked(Sale));
    EXPECT_FALSE(checker_.isDateRangeEditionLocked(Sale, "100"));
    setSetting(edition(Sale, {kPeriod, "Blokada edycji zakresu datowego"}), true);
    setSetting(edition(Sale, {kPeriod, "Blokada edycji zakresu datowego", "Indeksy towarów - wyjątki"}),
               "100;200\n300");
    EXPECT_TRUE(checker_.isDateRangeEditionLocked(Sale));
    for (const char* exempt : {"100", "200", "300"}) EXPECT_FALSE(checker_.isDateRangeEditionLocked(Sale, exempt));
    for (const char* locked : {"20", "2000", ""}) EXPECT_TRUE(checker_.isDateRangeEditionLocked(Sale, locked));
    EXPECT_FALSE(checker_.isDateRangeEditionLocked(Purchase, "20")) << "each type its own lock";

    setSetting(edition(Sale, {kPeriod}), false);
    EXPECT_FALSE(checker_.isDateRangeEditionLocked(Sale, "20")) << "no default period, no lock";
    EXPECT_FALSE(checker_.isDefaultConditionDurationActive(Sale));
    EXPECT_EQ(checker_.getDefaultConditionDurationDays(Sale), boost::none);
    setSetting(edition(Purchase, {kPeriod, "Liczba dni"}), -1);
    EXPECT_THROW(checker_.getDefaultConditionDurationDays(Purchase), std::runtime_error) << "days out of range";

    // An overlap with another headquarters promotion, under its lock, on the products above.
    // A condition of each promotion: the second's GUID has the editable prefix "{L", the third is local.
    run("insert into promocja (lPromocjaRef, sNazwa, sGuid, bLokalna) values (1, 'Promocja', '{ABCD-0001}', 0), "
        "(2, 'Promocja', '{LOCAL-0002}', 0), (3, 'Promocja', '{ABCD-0003}', 1)");
    run("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, bLokalny) values "
        "(1, 1, 45000, 45010, 9.99, 1, 0), (2, 2, 45000, 45010, 9.99, 2, 0), (3, 2, 45020, 45030, 9.99, 3, 1)");
    EXPECT_FALSE(checker_.isInOtherHQSalePromotionConditionDateRange(1, 45005, 45006)) << "not locked";

    setSetting(edition(Sale, {kPromotionLock}), true);
    const std::tuple<int, int, int, bool, const char*> cases[] = {
        {1, 44990, 45000, true, "touches the first day"}, {1, 45010, 45020, true, "touches the last day"},
        {1, 45011, 45020, false, "after"},                 {1, 44990, 44999, false, "before"},
        {2, 45000, 45010, false, "editable prefix"},       {2, 45020, 45030, false, "local promotion"},
    };
    for (const auto& [product, from, to, overlaps, why] : cases)
        EXPECT_EQ(checker_.isInOtherHQSalePromotionConditionDateRange(product, from, to), overlaps) << why;

    const auto prefix = edition(Sale, {kPromotionLock, "Prefiks promocji pozwalający na edycję warunku"});
    setSetting(prefix, "{l");
    EXPECT_TRUE(checker_.isInOtherHQSalePromotionConditionDateRange(2, 45000, 45010)) << "the prefix is exact";
    setSetting(prefix, "{A'");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                  [&] { checker_.isInOtherHQSalePromotionConditionDateRange(1, 45000, 45010); }),
              "Ustawienie \"Parametry sklepu / Towary / Warunki / Sprzedaży / Edycja / Blokada edycji warunku "
              "centralowego promocyjnego / Prefiks promocji pozwalający na edycję warunku\" nie może zawierać "
              "apostrofu: prefiks GUID promocji to cyfry szesnastkowe, nawias klamrowy i łącznik.");
}

TEST_F(ConditionRules, PurchaseDaysComeFromTheCompanyWhenTheSettingsSaySoTheShorterPeriodEndsAllAndTheDaoIsNeeded) {
    run("insert into firma (lFirmaRef, sNazwa) values (7, 'Dostawca'), (8, 'Dostawca'), (9, 'Dostawca')");
    run("insert into firmaatrybut (lFirmaAtrybutRef, lFirmaRef, sNazwa, sWartosc) values "
        "(7, 7, 'Okres warunku zakupu', '10'), (9, 9, 'Okres warunku zakupu', '4.5')");
    EXPECT_EQ(checker_.getPurchaseConditionDurationDays(7), boost::optional<int>(90)) << "attribute not asked for";
    EXPECT_EQ(checker_.getMaxSaleAndPurchaseEndDate(40000, boost::none), 40030u);
    EXPECT_EQ(checker_.getMaxSaleAndPurchaseEndDate(2958464), 2958465u) << "never past the no-end day";
    setSetting(edition(Purchase, {kPeriod, "Liczba dni z atrybutu firmy"}), true);
    EXPECT_EQ(checker_.getPurchaseConditionDurationDays(7), boost::optional<int>(10));
    EXPECT_EQ(checker_.getPurchaseConditionDurationDays(8), boost::optional<int>(90)) << "the company lacks it";
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { checker_.getPurchaseConditionDurationDays(9); }),
              "Atrybut \"Okres warunku zakupu\" firmy o identyfikatorze 9 ma wartość \"4.5\", a okres obowiązywania "
              "warunku zakupu musi być liczbą całkowitą dni od 0 do 2958465. Popraw atrybut firmy.");
    EXPECT_EQ(checker_.getMaxSaleAndPurchaseEndDate(40000, 7), 40010u);
    EXPECT_EQ(checker_.getMaxSaleAndPurchaseEndDate(40000), 40030u) << "the one-argument form asks no company";

    setSetting(edition(Purchase, {kPeriod}), false);  // only the sale period configured
    EXPECT_EQ(checker_.getPurchaseConditionDurationDays(9), boost::none) << "inactive whatever the company";
    EXPECT_EQ(checker_.getMaxSaleAndPurchaseEndDate(40000), 2958465u);
    EXPECT_EQ(checker_.getMaxSaleAndPurchaseEndDate(40000, 7), 40030u);
    EXPECT_EQ(checker_.getMaxSaleAndPurchaseEndDate(2958460, 7), 2958465u) << "capped at the no-end day";

    // The checker needs the company data-access object.
    companyDao_.reset();
    EXPECT_THROW(ConditionsEditionChecker(), std::runtime_error);
}

}  // namespace
