// A product's stock, reserved quantity and units in complaint handling, on a
// real store with documents of the kinds and statuses the reservation names.

#include "Modules/Towary/Tools/classification/StockQuantities.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void exec(const std::string& statement) { TestSupport::exec({}, statement); }

// A document of one position of product 1 (and its id as the position's).
void document(int id, int type, int processing, int booking, double quantity, int derivedFrom = 0,
              int product = 1) {
    exec("insert into Dok (lDokRef, nTyp, nStatusPrzetw, nStatusKsieg, lPomocRef) values (" + std::to_string(id) +
         ", " + std::to_string(type) + ", " + std::to_string(processing) + ", " + std::to_string(booking) + ", " +
         (derivedFrom ? std::to_string(derivedFrom) : "null") + ")");
    exec("insert into DokPoz (lDokPozRef, lDokRef, lTowarRef, dIlosc) values (" + std::to_string(id) + ", " +
         std::to_string(id) + ", " + std::to_string(product) + ", " + std::to_string(quantity) + ")");
}

TEST(StockQuantities, StockIsOfTheLastStockDayInServiceTheStoresOwnUnitsReservedOpenOrdersAndBookedOnes) {
    const TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    for (int product : {1, 2, 3}) TestSupport::addProduct({}, product, "Towar " + std::to_string(product));
    exec("insert into stn (lTowarRef, data, dStan) values (1, 40000, 5), (1, 40100, 7.5), (2, 40000, 3), "
         "(3, 40200, null)");
    EXPECT_DOUBLE_EQ(Towar::calcStock(1), 7.5) << "the latest day, not the first";
    EXPECT_DOUBLE_EQ(Towar::calcStock(2), 3);
    EXPECT_DOUBLE_EQ(Towar::calcStock(3), 0) << "a NULL quantity";
    EXPECT_DOUBLE_EQ(Towar::calcStock(4), 0) << "no stock row at all";

    // Units in complaint handling: the store's own ones in the store.
    // Owned by the store (1) or not, in the store (1) or not.
    exec("insert into Reklamacja (lReklamacjaRef, lTowarRef, nWlasnosc, nMiejscePobytu) values (1, 1, 1, 1), "
         "(2, 1, 1, 1), (3, 1, 2, 1), (4, 1, 1, 2)");
    EXPECT_DOUBLE_EQ(Towar::calcInService(1), 2);
    EXPECT_DOUBLE_EQ(Towar::calcInService(2), 0);

    // Reserved counts open orders and booked documents only. Reserving: 10, an open order; 18, whose type-35
    // document sold another product; 22, whose type-33 document is not processed yet; 30 and 32, of the listed
    // types, booked. Not: 11 to 13, of processing status 4, 5, 6; 14, booked past 2; 15, its position sold on a
    // receipt; 16, a type-35 document made from it sold the product; 20, its type-33 document processed; 31,
    // not booked yet; 33, of a type the reservation does not list.
    for (const auto& [id, type, processing, booking, quantity] :
         {std::tuple{10, 32, 1, 2, 3.0}, {11, 32, 4, 0, 100.0}, {12, 32, 5, 0, 100.0}, {13, 32, 6, 0, 100.0},
          {14, 32, 1, 3, 100.0}, {15, 32, 0, 0, 100.0}, {16, 32, 0, 1, 100.0}, {18, 32, 0, 1, 2.0},
          {20, 32, 0, 0, 100.0}, {22, 32, 0, 0, 4.0}, {30, 9, 0, 3, 10.0}, {31, 38, 0, 2, 100.0},
          {32, 11, 0, 5, 20.0}, {33, 12, 0, 3, 100.0}})
        document(id, type, processing, booking, quantity);
    for (const auto& [id, type, processing, derivedFrom, product] :
         {std::tuple{17, 35, 0, 16, 1}, {19, 35, 0, 18, 2}, {21, 33, 5, 20, 1}, {23, 33, 1, 22, 1}})
        document(id, type, processing, 0, 100, derivedFrom, product);
    // The receipts that sold the positions of documents 15, 17 and 19.
    exec("insert into ParagPoz (lParagPozRef, lDokPozRef) values (15, 15), (17, 17), (19, 19)");
    EXPECT_DOUBLE_EQ(Towar::calcReserved(1, 0), 3 + 2 + 4 + 10 + 20);
    EXPECT_DOUBLE_EQ(Towar::calcReserved(1, 10), 2 + 4 + 10 + 20) << "the excluded order";
    EXPECT_DOUBLE_EQ(Towar::calcReserved(1, 30), 3 + 2 + 4 + 20) << "the excluded booked document";
    EXPECT_DOUBLE_EQ(Towar::calcReserved(2, 0), 0) << "product 2 is only on a type-35 document";
    EXPECT_DOUBLE_EQ(Towar::calcReserved(3, 0), 0) << "no document at all";
}

}  // namespace
