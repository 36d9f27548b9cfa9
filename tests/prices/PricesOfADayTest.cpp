// The prices of a day on a real store: today's sale price, the price before a
// promotion in the five modes of the label setting, the label's promotion
// features and the alternative prices of a condition.

#include "Core/Labels/Labels.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/prices/AlternativePriceManager.h"
#include "Modules/Towary/Tools/prices/CurrentSalePrice.h"
#include "Modules/Towary/Tools/prices/LowestPriceBeforePromotion.h"
#include "Modules/Towary/Tools/prices/PriceBeforePromotion.h"
#include "Modules/Towary/Tools/prices/PromoFeatures.h"
#include "tests/support/Failure.h"
#include "tests/support/SampleStore.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"

#include <gtest/gtest.h>

#include <locale>
#include <optional>
#include <vector>

namespace {

using TestSupport::exec;
using TestSupport::failure;

// The day the promotions of the store run on.
constexpr int kDay = 50000;

class PricesOfADay : public TestSupport::SampleStore {
protected:
    PricesOfADay() {
        // The sample settings (previous-price mode 1, kilograms for labels, alternative prices on) with a
        // promotional text that needs escaping and a list of groups with an empty line.
        TestSupport::setSetting({"Parametry sklepu", "Towary", "Etykiety", "Domyślny tekst promocyjny"},
                                std::string("Promocja, \"taniej\""));
        TestSupport::setSetting({"Inne", "Obsługa wielu cen sprzedaży na kasie", "Dozwolone dla grup towarowych"},
                                std::string("01\n\n0203\n"));
        exec({}, "insert into jednostkamiary (nJm, sSkrot, sNazwa) values (1, 'szt', 'sztuka'), (2, 'l', 'litr')");
        exec({}, "insert into promocja (lPromocjaRef, sNazwa) values (1, 'Jesień'), (2, 'Lato')");
        units_.emplace();
    }

    template <class T>
    static std::string orNull(std::optional<T> value) {
        return value ? std::to_string(*value) : "null";
    }

    static void product(int id, std::optional<double> price, std::optional<int> unit = {},
                        std::optional<double> factor = {}) {
        TestSupport::addProduct({}, id, "Towar " + std::to_string(id));
        exec({}, "update towar set dCenaSprzed = " + orNull(price) + ", nJmPrzelicznik = " + orNull(unit) +
                     ", dPrzelicznik = " + orNull(factor) + " where lTowarRef = " + std::to_string(id));
    }

    // A sale condition of the product from day `from` to day `to`, of the promotion when one is given.
    static void condition(int productId, int from, int to, double price, std::optional<int> promotion = {},
                          int deleted = 0, const std::string& alternatives = {}) {
        exec({}, "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, byDeleted, "
                 "alternative_prices) values (newref, " + std::to_string(productId) + ", " + std::to_string(from) +
                     ", " + std::to_string(to) + ", " + std::to_string(price) + ", " + orNull(promotion) + ", " +
                     std::to_string(deleted) + ", nullif('" + alternatives + "', ''))");
    }
    // The promotion every product of a test is on: 5.00 from kDay - 2 to kDay + 5.
    static void promotion(int productId) { condition(productId, kDay - 2, kDay + 5, 5.0, 1); }

    // "id:text" of every record, by id, the text what `text` makes of the record.
    template <class Records, class Text>
    static std::string listed(const Records& records, Text text) {
        std::string list;
        for (const auto& [id, record] : records) list += " " + std::to_string(id) + ":" + text(record);
        return list.empty() ? list : list.substr(1);
    }
    // The days of a record's promotion, counted from kDay.
    static std::string period(const auto& record) {
        return std::to_string(record.promotionDateFrom - kDay) + ".." + std::to_string(record.promotionDateTo - kDay);
    }
    // The previous price of every product the mode reports on kDay.
    static std::string reported(int mode) {
        return listed(Towar::getPricesBeforePromotion({}, kDay, mode),
                      [](const auto& record) { return record.previousPrice.toString(); });
    }

    std::optional<Core::ImplRegistration<Core::AvailMeasureUnits>> units_;
};

TEST_F(PricesOfADay, EachModeChoosesItsOwnPreviousConditionAndTodaysPriceIsTheConditionsElseTheProducts) {
    // 1: a dearer ordinary condition up to the day before.
    product(1, 10.0);
    condition(1, kDay - 12, kDay - 3, 8.0);
    // 2: a dearer ordinary condition ending two days before.
    product(2, 10.0);
    condition(2, kDay - 12, kDay - 4, 7.0);
    // 3: the latest ordinary condition cheaper than the promotion, an older one dearer.
    product(3, 10.0);
    condition(3, kDay - 30, kDay - 20, 9.0);
    condition(3, kDay - 19, kDay - 3, 4.0);
    // 4: a dearer promotion up to the day before, priced per litre at half a litre.
    product(4, 10.0, 2, 0.5);
    condition(4, kDay - 12, kDay - 3, 6.0, 2);
    // 5: the promotion deleted.
    product(5, 10.0);
    condition(5, kDay - 12, kDay - 3, 8.0);
    condition(5, kDay - 2, kDay + 5, 5.0, 1, 1);
    // 6: no earlier condition at all.
    product(6, 10.0);
    for (int id : {1, 2, 3, 4, 6}) promotion(id);

    // Outside 1 to 5 (here 0) the latest earlier condition counts, when dearer.
    std::string byMode;
    for (int mode : {1, 2, 3, 4, 5, 0}) byMode += reported(mode) + "\n";
    EXPECT_EQ(byMode, "1:8.00\n1:8.00 4:6.00\n1:8.00 2:7.00\n1:8.00 2:7.00 3:9.00\n1:8.00 2:7.00 3:9.00 4:6.00\n"
                      "1:8.00 2:7.00 4:6.00\n");
    EXPECT_EQ(listed(Towar::getPricesBeforePromotion({}, kDay, 5),
                     [](const auto& record) {
                         return period(record) + " " + orNull(record.labelMeasureUnit) + " " +
                                record.unitPrice.toString();
                     }),
              "1:-2..5 null 8.00 2:-2..5 null 7.00 3:-2..5 null 9.00 4:-2..5 2 12.00");

    // The store's mode is 1; the day after the promotion has none.
    EXPECT_EQ(Towar::getPricesBeforePromotion({}, kDay).size(), 1u);
    EXPECT_TRUE(Towar::getPricesBeforePromotion({}, kDay + 6, 5).empty());
    EXPECT_TRUE(Towar::getPricesBeforePromotion({}, kDay - 3, 5).empty());

    // Today's price is the condition's, else the product's, rounded to two places.
    using namespace Towary::ProductTools;
    const int today = Core::DayNumber::today();
    product(11, 9.994);
    condition(11, today - 3, today + 3, 9.995, {}, 0, "<alternative_prices><price>8.5</price></alternative_prices>");
    condition(11, today - 20, today - 4, 12.0);
    product(12, 9.994);
    condition(12, today + 1, today + 9, 7.0);
    product(13, std::nullopt);

    EXPECT_EQ(getCurrentSalePrice(11, {}), 9.994);
    EXPECT_EQ(getCurrentConditionSalePrice(11, {}), 9.995);
    EXPECT_EQ(getCurrentAdditionalSalePrices(11, {}), "<alternative_prices><price>8.5</price></alternative_prices>");
    EXPECT_EQ(getCurrentConditionSalePrice(12, {}), std::nullopt);
    EXPECT_EQ(getCurrentAdditionalSalePrices(12, {}), "");
    EXPECT_EQ(getCurrentSalePrice(13, {}), std::nullopt);
    EXPECT_EQ(getCurrentSalePrice(14, {}), std::nullopt);
    std::vector<Core::Decimal> rounded;
    for (int id : {11, 12, 13, 14}) rounded.push_back(getCurrentProductSalePrice(id, {}));
    EXPECT_EQ(rounded, (std::vector<Core::Decimal>{{1000, 100}, {999, 100}, 0, 0}));
}

TEST_F(PricesOfADay, TheLowestPriceOfThirtyDaysCountsEveryDayBeforeThePromotion) {
    // 1: a shorter promotion among ordinary prices; the five modes see only the ordinary ones.
    product(1, 10.0);
    condition(1, kDay - 40, kDay - 20, 8.0);
    condition(1, kDay - 19, kDay - 10, 6.5, 2);
    condition(1, kDay - 9, kDay - 3, 9.0);
    // 2: the first twelve days of the thirty without a condition: the product's own price.
    product(2, 7.0);
    condition(2, kDay - 20, kDay - 3, 8.0);
    // 3: no price of its own; a deleted cheaper condition does not count, nor one before the thirty days.
    product(3, std::nullopt);
    condition(3, kDay - 60, kDay - 33, 1.0);
    condition(3, kDay - 10, kDay - 3, 9.0);
    condition(3, kDay - 12, kDay - 11, 2.0, {}, 1);
    // 4: two conditions on the same days: the first by id is the one in force.
    product(4, std::nullopt);
    condition(4, kDay - 32, kDay - 3, 9.5);
    condition(4, kDay - 32, kDay - 3, 3.0);
    for (int id : {1, 2, 3, 4}) promotion(id);
    // 5: not on promotion.
    product(5, 1.0);

    EXPECT_EQ(listed(Towar::getLowestPricesBeforePromotion({}, kDay),
                     [](const auto& record) { return record.lowestPrice.toString(); }),
              "1:6.50 2:7.00 3:9.00 4:9.50");
    EXPECT_EQ(reported(1), "1:9.00 2:8.00 3:9.00 4:9.50");

    const auto one = Towar::getLowestPricesBeforePromotion({}, kDay, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(period(one.at(1)), "-2..5");
    std::string features = "\"Cena\" = \"5.00\"";
    Towar::appendLowestPriceFeature(features, one.at(1));
    EXPECT_EQ(features, "\"Cena\" = \"5.00\", \"Najnizsza_cena_30_dni\" = \"6.50\"");
    EXPECT_TRUE(Towar::getLowestPricesBeforePromotion({}, kDay + 6).empty());

    // The period shown is of the promotion starting first; a condition without its product, as a store edited
    // with its foreign keys off holds it, is skipped.
    product(6, 10.0);
    promotion(6);
    condition(6, kDay - 1, kDay + 9, 4.0, 2);
    const bool sqlite = store_.server().empty();
    exec({}, sqlite ? "pragma foreign_keys = off" : "set session_replication_role = replica");
    condition(999, kDay - 10, kDay - 3, 9.0);
    promotion(999);
    exec({}, sqlite ? "pragma foreign_keys = on" : "set session_replication_role = origin");
    EXPECT_EQ(listed(Towar::getLowestPricesBeforePromotion({}, kDay), [](const auto& record) { return period(record); }),
              "1:-2..5 2:-2..5 3:-2..5 4:-2..5 6:-2..5");
}

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(PricesOfADay, TheLabelFeaturesOfAPromotionReadBackUnchangedAndAlternativePricesAreAnAscendingSetStoredAsXml) {
    product(1, 10.0);
    condition(1, kDay - 12, kDay - 3, 8.0);
    product(2, 10.0, 2, 0.5);
    condition(2, kDay - 12, kDay - 3, 6.0);
    for (int id : {1, 2}) promotion(id);

    std::string features;
    Towar::appendPromoFeatures(features, {}, 3, kDay);
    EXPECT_EQ(features, "");
    Towar::appendPromoFeatures(features, {}, 1, kDay);
    // The promotion runs from 2036-11-19 to 2036-11-26.
    EXPECT_EQ(features,
              "\"Poprzednia_cena\" = \"8.00\", \"Data_od\" = \"19-11-36\", \"Data_do\" = \"26-11-36\", "
              "\"Tekst_promocyjny\" = \"Promocja\\, \\\"taniej\\\"\", "
              "\"Poprzednia_cena_jednostki_przeliczeniowej\" = \"8.00\", \"Nazwa_jednostki_przeliczeniowej\" = \"kg\"");
    Towar::appendPromoFeatures(features, {}, 2, kDay);

    const auto read = Labels::readFeatures(features);
    ASSERT_EQ(read.size(), 12u);
    EXPECT_EQ(read[3].second, "Promocja, \"taniej\"");
    EXPECT_EQ(read[6], (std::pair<std::string, std::string>("Poprzednia_cena", "6.00")));
    EXPECT_EQ(read[10].second + " " + read[11].second, "12.00 l");

    for (const std::string value : {"", "\\", "a\\\"b", ",,\"", "\\,", "zł \\n"}) {
        const auto text = "\"x\" = \"" + Labels::escapeFeature(value) + "\"";
        EXPECT_EQ(Labels::readFeatures(text).at(0).second, value) << text;
    }
    EXPECT_EQ(Labels::formatPrice(std::nullopt), "");

    // Alternative prices: an ascending set stored as XML, refused in Polish, enabled for the listed groups.
    Tools::AlternativePriceManager prices;
    EXPECT_EQ(prices.generateXML(false), "");
    prices.addAlternativePrices(4.99);
    prices.addAlternativePrices(std::set<Core::Price>{3.99, 4.99});
    EXPECT_EQ(prices.getCharSeparatedAlternativePrices(), "3.99&#160;4.99");
    const auto xml = prices.generateXML(false);
    EXPECT_EQ(xml, "<alternative_prices><price>3.99</price><price>4.99</price></alternative_prices>");
    EXPECT_EQ(Tools::AlternativePriceManager(xml).getAlternativePrices(), prices.getAlternativePrices());
    EXPECT_TRUE(Tools::AlternativePriceManager("").getAlternativePrices().empty());
    EXPECT_EQ(Tools::AlternativePriceManager("<?xml version=\"1.0\"?><alternative_prices><x/><price> 2.5 </price>"
                                             "</alternative_prices>").getCharSeparatedAlternativePrices(), "2.50");

    const auto previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const auto local = prices.generateXML(true), classic = prices.generateXML(false);
    std::locale::global(previous);
    EXPECT_EQ(local, "<alternative_prices><price>3,99</price><price>4,99</price></alternative_prices>");
    EXPECT_EQ(classic, xml);

    // Bad lists are refused in Polish.
    const std::pair<std::string, std::string> cases[] = {
        {"<alternative_prices><price>1", "Niepoprawny dokument XML (znak 28): znacznik zamykający nie pasuje do "
                                         "otwierającego."},
        {"<alternative_prices><price>1,5</price></alternative_prices>",
         "Wartość węzła XML „price” nie jest liczbą: „1,5”."},
        {"<alternative_prices><price/></alternative_prices>", "Wartość węzła XML „price” nie jest liczbą: „”."},
        {"<alternative_prices><price>1</price></alternative_prices><alternative_prices><price>2</price>"
         "</alternative_prices>",
         "Niepoprawny dokument XML (znak 58): więcej niż jeden element główny."},
    };
    for (const auto& [bad, message] : cases)
        EXPECT_EQ(failure([&text = bad] { const Tools::AlternativePriceManager parsed(text); }), message) << bad;
    TestSupport::setSetting({"Parametry programu", "XML", "Parser", "Id"}, std::string("msxml"));
    EXPECT_EQ(failure([] { Tools::AlternativePriceManager("<alternative_prices/>"); }),
              "Nieznany parser XML „msxml”; znane parsery: pugixml.");

    // Enabled for the listed groups.
    EXPECT_TRUE(Tools::AlternativePriceManager::isAlternativePriceSupported());
    for (const auto& [group, enabled] : {std::pair{"0105", true}, {"020301", true}, {"0204", false}, {"0", false}})
        EXPECT_EQ(Tools::AlternativePriceManager::isEnabledForGroup(group), enabled) << group;
    TestSupport::setSetting({"Inne", "Obsługa wielu cen sprzedaży na kasie"}, false);
    EXPECT_FALSE(Tools::AlternativePriceManager::isEnabledForGroup("0105"));
}

}  // namespace

