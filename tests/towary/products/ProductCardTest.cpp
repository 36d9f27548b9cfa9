// The product card read from a hand-built store, and the price history a
// promotion shapes.

#include <gtest/gtest.h>

#include "Core/Database/Query.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/products/ProductCard.h"
#include "tests/support/Failure.h"
#include "tests/towary/products/ProductStoreSupport.h"

#include <string>
#include <vector>

using Towary::Host::Products::priceHistory;
using Towary::Host::Products::readProductCard;

namespace {

class ProductCardStore : public ::testing::Test {
protected:
    void exec(const std::string& sql) { DBKernel::Sql::Command(sql, session()).execute(); }
    const TSessionHolder& session() const { return store_.session(); }

    ProductTest::Store store_;
    Core::SetupRegistration setup_;
    Core::ImplRegistration<Vat::AvailVatRates> vatRates_;
    Core::ImplRegistration<Core::ProductActivityStatuses> statuses_;
};

std::string day(int offset) { return std::to_string(Core::DayNumber::today() + offset); }

TEST_F(ProductCardStore, CardOfAMultiPriceElementOnPromotionWithCodesQuantitiesPlannedStatusesAndPriceHistory) {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (1, 'Spożywcze', '01', 1), "
         "(2, 'Nabiał', '0102', 2), (3, 'Masło', '010203', 3)");
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, byTyp, bWieleCen, dCenaSprzed) values "
         "(99, 'Masło wielocenowe', '010203', '000099', 6, 9, 0, null)");
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, byTyp, bWieleCen, byVAT, dCenaSprzed, "
         "nWagaSekcja, nWagaPLU, dLastSTNDate) values (100, 'Masło 200 g', '010203', '000100', 6, 1, 1, 13, 10.0, "
         "2, 15, " + day(0) + ")");
    TestSupport::addCode(session(), 200, 99, "2000001");
    TestSupport::addCode(session(), 201, 100, "2000002", 2);
    TestSupport::addCode(session(), 202, 100, "2000003", 3);
    exec("insert into promocja (lPromocjaRef, sNazwa) values (1, 'Jesień')");
    exec("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, alternative_prices) "
         "values (10, 100, " + day(-20) + ", " + day(-3) + ", 9.99, null, null), (11, 100, " + day(-2) + ", " +
         day(5) + ", 7.99, 1, '<alternative_prices><price>7.5</price><price>6.99</price></alternative_prices>')");
    exec("insert into stn (lTowarRef, data, dStan) values (100, " + day(-1) + ", 4), (100, " + day(0) + ", 12.5)");
    exec("insert into Dok (lDokRef, nTyp, nStatusPrzetw, nStatusKsieg) values (1, 9, 1, 3)");
    exec("insert into DokPoz (lDokPozRef, lDokRef, lTowarRef, dIlosc) values (1, 1, 100, 3)");
    exec("insert into Reklamacja (lReklamacjaRef, lTowarRef, nWlasnosc, nMiejscePobytu) values (1, 100, 1, 1), "
         "(2, 100, 1, 1), (3, 100, 2, 1)");
    exec("insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod) values "
         "(1, 100, 4, " + day(-1) + ", 0, 0), (2, 100, 5, " + day(3) + ", 0, 0), (3, 100, 42, " + day(4) +
         ", null, 0), (4, 100, 3, " + day(6) + ", 1, 0), (5, 99, 5, " + day(3) + ", 0, 0)");

    const auto card = readProductCard(100, session());
    std::string path, codes, statuses;
    for (const auto& group : card.path) path += group.index + " " + group.name + "; ";
    for (const auto& code : card.liveCodes) codes += code.code + " " + std::to_string(code.status) + "; ";
    for (const auto& code : card.deletedCodes) codes += "usunięty " + code.code + "; ";
    for (const auto& status : card.plannedStatuses)
        statuses += std::to_string(status.day - Core::DayNumber::today()) + " " + status.statusName + "; ";
    EXPECT_EQ(card.name + "; " + card.articleIndex + "; " + path + codes + statuses,
              "Masło 200 g; 000100; 01 Spożywcze; 0102 Nabiał; 010203 Masło; 2000002 2; usunięty 2000003; 3 Wycofany; "
              "4 <nieznany>; ");
    ASSERT_TRUE(card.vat && card.priceBeforePromotion && card.lowestPriceBeforePromotion && card.multiPrice);
    EXPECT_EQ(card.vat->name, "23%");
    EXPECT_EQ(card.vat->rate, Core::Decimal(23, 100));
    EXPECT_EQ(card.today.source, Towary::Host::Products::ProductCard::TodaysPrice::Source::condition);
    EXPECT_EQ(card.today.productPrice, Core::Price(10.0));
    EXPECT_EQ(card.today.alternativePrices, (std::vector<Core::Price>{6.99, 7.5}));
    EXPECT_EQ(card.today.price.toString() + " " + card.priceBeforePromotion->previousPrice.toString() + " " +
                  card.lowestPriceBeforePromotion->lowestPrice.toString(),
              "7.99 9.99 9.99");
    EXPECT_EQ(card.multiPrice->codes, std::vector<std::string>{"2000001"});
    ASSERT_EQ(std::to_string(card.multiPrice->id) + " " + std::to_string(card.multiPrice->elements.size()), "99 1");
    EXPECT_EQ(card.multiPrice->elements[0].conditions.size(), 2u);

    EXPECT_EQ(card.quantities.stock.toString() + " " + card.quantities.reserved.toString() + " " +
                  card.quantities.inComplaint.toString() + " " + std::to_string(card.scaleSection) + " " +
                  std::to_string(card.scaleNumber.value_or(0)),
              "12.500 3.000 2.000 2 15");

    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { readProductCard(2, session()); }),
              "Wiersz \"2\" (Nabiał) nie jest towarem: kartę ma tylko towar, nie grupa.");
    EXPECT_NE(TestSupport::failure<std::runtime_error>([&] { readProductCard(555, session()); }).find("555"),
              std::string::npos);

    // The history flags the promotion's days and its lowest price line follows them.
    constexpr int kLast = 45000;
    TestSupport::addProduct(session(), 101, "Ser", "010203", "000101");
    exec("update towar set dCenaSprzed = 10 where lTowarRef = 101");
    exec("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef) values "
         "(12, 101, " + std::to_string(kLast - 9) + ", " + std::to_string(kLast - 5) + ", 8, null)");
    const auto history = priceHistory(101, kLast, Towary::Host::Products::kCardHistoryDays, session());
    ASSERT_EQ(history.size(), 90u);
    EXPECT_EQ(history.front().day, kLast - 89);
    EXPECT_EQ(history.back().day, kLast);
    std::string line;
    for (const auto& day : history)
        if (day.day >= kLast - 10)
            line += day.price.toString() + (day.promotion ? "*" : "") + "/" + day.lowest30.toString() + " ";
    EXPECT_EQ(line,
              "10.00/10.00 8.00*/10.00 8.00*/8.00 8.00*/8.00 8.00*/8.00 8.00*/8.00 10.00/8.00 10.00/8.00 10.00/8.00 "
              "10.00/8.00 10.00/8.00 ");
    EXPECT_EQ(priceHistory(101, kLast - 60, 1, session()).front().lowest30.toString(), "10.00");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { priceHistory(101, kLast, 0, session()); }),
              "Historia cen obejmuje co najmniej jeden dzień; podano 0.");
}

}  // namespace
