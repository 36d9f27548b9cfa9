#include "Core/PlacedRuntimeError.h"
#include "Modules/Towary/Tools/products/Lookup.h"
#include "Modules/Towary/Tools/products/ProductLookup.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"
#include "Modules/Towary/Tools/products/productToDbProduct.h"
#include "tests/products/ProductStore.h"
#include "tests/support/Failure.h"

#include <boost/make_shared.hpp>

#include <vector>

TEST_F(ProductStore, LoadersAndLookupsFindWhatIsStoredNameWhatIsNotKeepATypedTextOneLiteralAndTheProductLookupCaches) {
    const auto run = [this](const std::string& sql) { TestSupport::exec(session_, sql); };
    run("insert into klasa (lKlasaRef, sNazwa) values (3, 'Pieczywo')");
    run("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen, lKlasaRef) values "
        "(1, 'Napoje', '0101', null, 2, 0, null), (2, 'Kawa ziarnista', '0101', '000002', 6, 0, null), "
        "(3, 'KAWA mielona', '0101', '000003', 6, 0, null), (4, 'Napój kawowy', '010101', '000004', 6, 1, 3), "
        "(5, 'Whisky O''Neil', '0101', '000005', 6, 0, null), (6, 'Kawiarnia', '0102', null, 2, 0, null)");
    run("insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (10, '5900000000011', 2, 1, 1), "
        "(11, '2005', 3, 1, 1), (12, '2005', 4, 1, 3), (13, '5900000000028', 4, 1, 2)");
    const auto ids = [](const TTowarCollectionPtr& products) {
        std::string text;
        for (const auto& product : *products) text += (text.empty() ? "" : " ") + std::to_string(product->GetTowarRef());
        return text;
    };
    using TestSupport::failure;
    EXPECT_EQ(failure([this] { Towar::getProduct(42, session_); }), "Brak towaru o ID = 42");
    for (const char* code : {"5900000000099", "2005"})  // unknown, and a live and a deleted row of one text
        EXPECT_EQ(failure([&] { Towar::getTTowarByPlu(code, session_); }),
                  std::string("Nie istnieje towar z przypisanym kodem plu ") + code + ".");
    EXPECT_EQ(failure([this] { Towar::getTTowarByIndex("000009", session_); }), "Nie istnieje towar o indeksie 000009.");
    EXPECT_EQ(ids(Towar::getTTowarProductGroupByIndex("0101", session_)), "1");
    EXPECT_EQ(failure([this] { Towar::getTTowarProductGroupByIndex("010101", session_); }),
              "Nie istnieje towar o indeksie 010101.");

    EXPECT_EQ(ids(Towar::getTTowarByName("kaw", session_)), "2 3 4");
    EXPECT_EQ(ids(Towar::getTTowarByName("NAPÓJ", session_)), "4") << "Polish letters compare without regard to case";
    EXPECT_EQ(ids(Towar::getTTowarByName("O'Neil", session_)), "5");
    EXPECT_THROW(Towar::getTTowarByName("O'Brien", session_), Core::PlacedRuntimeError);

    // A typed text stays one literal whatever it holds.
    EXPECT_THROW(Towar::getTTowarByIndex("x' or t.sartindex = '000002", session_), Core::PlacedRuntimeError);
    EXPECT_THROW(Towar::getTTowarByPlu("x' or p.splu = '5900000000011", session_), Core::PlacedRuntimeError);
    EXPECT_THROW(Towar::getTTowarProductGroupByIndex("x' or t.sgrindex = '0101", session_), Core::PlacedRuntimeError);
    TestSupport::addProduct(session_, 8, "Herbata", "0101", "0'7");
    EXPECT_EQ(ids(Towar::getTTowarByIndex("0'7", session_)), "8");

    // A name the result gives twice: the product takes the one among its table's columns.
    for (const char* select : {"select 'inna' sNazwa, t.* from towar t where lTowarRef = 2",
                               "select t.*, 'inna' sNazwa from towar t where lTowarRef = 2"}) {
        SCOPED_TRACE(select);
        DBKernel::Sql::OpenedQuery query(select, session_);
        TTowarCollection products;
        products.load(query);
        ASSERT_EQ(products.size(), 1U);
        EXPECT_EQ(products[0]->GetNazwa() + " " + products[0]->GetArtIndex(), "Kawa ziarnista 000002");
    }

    // Lookups read their rows while the reply lives; an entity becomes a product.
    Towar::LookupIsMultiPriceWare isMultiPrice(session_);
    isMultiPrice.setArtIndex("000004");
    {
        Towar::Lookup::Reply reply(isMultiPrice);
        ASSERT_FALSE(reply.empty());
        EXPECT_EQ(reply["ltowarref"].asString() + " " + reply["sgrindex"].asString() + " " +
                      reply["snazwaklasy"].asString(),
                  "4 010101 Pieczywo");
    }
    isMultiPrice.setArtIndex("000404");
    EXPECT_TRUE(Towar::Lookup::Reply(isMultiPrice).empty());

    Towar::LookupWareByRef byRef(session_);
    byRef.setTowarRef(5);
    {
        Towar::Lookup::Reply reply(byRef);
        TTowar product;
        product.load(*reply);
        EXPECT_EQ(product.GetNazwa() + " " + product.GetArtIndex(), "Whisky O'Neil 000005");
    }

    Towar::LookupMultiPriceWareBarCodes codes(session_);
    codes.setGroup("010101", 1);
    {
        Towar::Lookup::Reply reply(codes);
        std::vector<std::string> found;
        while ((*reply).next()) found.push_back(reply["splu"].asString() + "/" + reply["njm"].asString());
        EXPECT_EQ(found, (std::vector<std::string>{"2005/1", "5900000000028/1"}));
    }

    // An entity becomes a product with its empty optionals left null.
    auto entity = boost::make_shared<Orvel::Entities::Product>();
    entity->setProductIndex("000007");
    entity->setOptMargin(30.0);
    const TTowarPtr product = Products::Tools::productToDbProduct(entity);
    EXPECT_EQ(product->GetArtIndex(), "000007");
    EXPECT_DOUBLE_EQ(product->GetMarza(), 30.0);
    EXPECT_TRUE(product->IsNullTowarRef());
    EXPECT_TRUE(product->IsNullVAT());
    EXPECT_FALSE(product->IsNullKrNazwa()) << "a plain attribute is always set, empty or not";

    // The product lookup caches known and unknown identifiers.
    Products::Tools::ProductLookup lookup(session_);
    EXPECT_EQ(lookup.getProductIdByIndex("000003"), 3);
    EXPECT_EQ(lookup.getProductIdByPlu("5900000000028"), 4);
    EXPECT_FALSE(lookup.tryGetProductIdByIndex("999999"));

    const auto unknownCode = [&lookup](const std::string& code) {
        return TestSupport::failure<std::runtime_error>([&] { lookup.getProductIdByPlu(code); });
    };
    EXPECT_EQ(unknownCode("777"), "Nie znaleziono towaru o plu 777");
    // Answered from the cache: the code added since stays unknown, the moved product keeps its old id.
    TestSupport::addCode(session_, 14, 2, "777");
    run("update plu set lTowarRef = 3 where lPluRef = 13");
    EXPECT_EQ(unknownCode("777"), "Nie znaleziono towaru o plu 777");
    EXPECT_EQ(lookup.getProductIdByPlu("5900000000028"), 4);
    EXPECT_EQ(Products::Tools::ProductLookup(session_).getProductIdByPlu("777"), 2);

    // A found id leaves no read open on the session: what another session
    // commits afterwards is seen, and a transaction can still start.
    TestSupport::addProduct(TSessionHolder::open(), 7, "Herbata", "0101", "000007");
    EXPECT_EQ(Products::Tools::ProductLookup(session_).getProductIdByIndex("000007"), 7);
    DBKernel::TransactionGuard transaction(session_);
    run("update towar set sNazwa = 'Herbata czarna' where lTowarRef = 7");
    transaction.commit();
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { lookup.getProductIdByIndex("999999"); }),
              "Nie znaleziono towaru o indeksie 999999");
}
