// The type sets, the code-to-label lists of the product forms and the
// measure-unit combo box.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/Sql.h"
#include "Core/PlacedRuntimeError.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Modules/Towary/Tools/classification/CJmComboWrapper.h"
#include "Modules/Towary/Tools/classification/ProductTypes.h"
#include "Modules/Towary/Tools/classification/SelectionLists.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace VC = Core::VisualComponents;

// The list as "code label" lines, "- label" for the entry without a code.
std::string text(const VC::CodeList& list) {
    std::string lines;
    for (const auto& item : list) lines += (item.none ? "-" : std::to_string(item.value)) + " " + item.text + "\n";
    return lines;
}

TEST(TypeSets, StockAndPurchaseConditionTypes) {
    EXPECT_EQ(std::vector<int>(Towar::TypyZObslugaStanow::begin(), Towar::TypyZObslugaStanow::end()),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 8, 9, 13, 14, 15, 17, 23}));
    EXPECT_EQ(std::vector<int>(Towar::TypyZObslugaWarunkowZakupu::begin(), Towar::TypyZObslugaWarunkowZakupu::end()),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 8, 9, 11, 13, 14, 15, 17, 19}));
    EXPECT_FALSE(Towar::obslugaStanow(7)) << "a service";
    EXPECT_FALSE(Towar::obslugaWarunkowZakupu(7));
    EXPECT_TRUE(Towar::obslugaWarunkowZakupu(11)) << "prepaid";
    EXPECT_FALSE(Towar::obslugaStanow(11));
    EXPECT_TRUE(Towar::obslugaWarunkowZakupu(19));
    EXPECT_FALSE(Towar::obslugaStanow(19));
    EXPECT_TRUE(Towar::obslugaStanow(23));
    EXPECT_FALSE(Towar::obslugaWarunkowZakupu(23));

    TTowar product;
    product.SetTyp(11);
    EXPECT_FALSE(Towar::obslugaStanow(&product));
    EXPECT_TRUE(Towar::obslugaWarunkowZakupu(&product));
    product.SetTyp(4 + 256);
    EXPECT_FALSE(Towar::obslugaStanow(&product)) << "a byTyp past one byte names no type";
}

TEST(SelectionLists, FixedListsAndTheirAddedEntries) {
    const std::string types = text(VC::getProductTypes());
    EXPECT_EQ(types,
              "1 Opakowanie\n2 Zestaw\n3 Zastępczy\n4 Zwykły\n5 Specjalny\n6 Prasa\n7 Usługa\n8 Zestaw rozbijany\n"
              "9 Towar grupujący\n10 Prowizja\n11 Prepaid\n12 Prepaid nieznany\n13 Nośnik\n14 Kosztowy\n"
              "15 Zestaw komponowany\n17 Paliwo\n18 Karta podarunkowa\n19 Ubezpieczenie\n21 Transakcja finansowa\n"
              "22 Prowizja od transakcji finansowej\n23 Propozycja\n")
        << "no 16 and no 20";
    EXPECT_EQ(text(VC::getProductTypesWithAll()), "- <wszystkie>\n" + types) << "the plain list stays as it is";
    EXPECT_EQ(text(VC::getProductTypesWithNone()), "- <brak>\n" + types);

    const std::string weights =
        "1 towar lekki\n2 towar ze zmienną wagą\n3 towar niemożliwy do zważenia\n4 towar normalny\n";
    EXPECT_EQ(text(VC::getProductWeightTypes()), weights);
    EXPECT_EQ(text(VC::getProductWeightTypesWithNone()), "- <brak>\n" + weights);
    EXPECT_EQ(text(VC::getBoolValues()), "0 nie\n1 tak\n");
    EXPECT_EQ(text(VC::getBoolValuesWithNone()), "- <brak>\n0 nie\n1 tak\n");
    EXPECT_EQ(text(VC::getSaleConditionsPeriods()),
              "0 \n1 warunek trwa w okresie\n2 warunek rozpoczyna się w okresie\n3 warunek kończy się w okresie\n"
              "4 daty warunku zgodne z podanymi\n");
    const std::string levels = "1 poziom 1\n2 poziom 2\n3 poziom 3\n4 poziom 4\n5 poziom 5\n";
    EXPECT_EQ(text(VC::getProductHierarchies()), levels);
    EXPECT_EQ(text(VC::getProductHierarchiesWithAll()), "- <wszystkie>\n" + levels);
    EXPECT_EQ(text(VC::getProductHierarchiesWithNone()), "- <brak>\n" + levels);
}

TEST(SelectionLists, StoreListsReadTheDatabase) {
    TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    EXPECT_EQ(text(VC::getUsedProductHierarchies()), "") << "a store without groups";
    for (const auto& [id, code] : std::initializer_list<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 3}, {4, 6}})
        DBKernel::Sql::Command("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (" +
                               std::to_string(id) + ", 'T', '01', " + std::to_string(code) + ")")
            .execute();
    EXPECT_EQ(text(VC::getUsedProductHierarchies()), "1 poziom 1\n2 poziom 2\n3 poziom 3\n")
        << "the deepest group level is 3; products do not count";

    EXPECT_EQ(text(VC::getDiscountReasonList()), "");
    DBKernel::Sql::Command("insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values "
                           "(7, 'Uszkodzone opakowanie'), (3, 'Krótki termin')")
        .execute();
    const std::string reasons = text(VC::getDiscountReasonList());
    EXPECT_NE(reasons.find("7 Uszkodzone opakowanie\n"), std::string::npos) << reasons;
    EXPECT_NE(reasons.find("3 Krótki termin\n"), std::string::npos) << reasons;
    EXPECT_THROW(DBKernel::Sql::Command("insert into DiscountReasonDict values (2147483648, 'Za duży')").execute(),
                 std::runtime_error)
        << "an id the list could not read";

    Core::ImplRegistration<Core::ProductActivityStatuses> statuses;
    const std::string all = text(VC::getProductActivityStatuses());
    EXPECT_EQ(all,
              "1 Aktywny\n2 Nowy\n3 Zablokowany do zamówień\n4 Wycofywany\n5 Wycofany\n6 Sezonowy\n"
              "7 Czasowo niedostępny\n8 Wycofywany po sezonie\n");
    EXPECT_EQ(text(VC::getProductActivityStatusesWithAll()), "- <wszystkie>\n" + all);
    EXPECT_EQ(text(VC::getProductActivityStatusesWithNone()), "- <brak>\n" + all);
    EXPECT_EQ(text(VC::getSimpleProductActivityStatusList()), all);
}

TEST(JmComboWrapper, ThirteenUnitsItemByCode) {
    EXPECT_EQ(CJmComboWrapper::itemsText(),
              "szt\t1\nltr\t2\nkg\t3\nbut\t4\nkar\t5\npal\t6\nop\t7\nmb\t8\nm2\t9\nm3\t10\nkpl\t11\nzgr\t12\ndsp\t13");
    CJmComboWrapper::Combo combo{std::vector<VC::ComboBoxItem<int>>()};
    CJmComboWrapper units(combo);
    ASSERT_EQ(combo.items().size(), 13u);
    EXPECT_EQ(combo.items()[2].text, "kg");
    EXPECT_FALSE(units.isChosen());
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { units.get(); }), "Nie wybrano jednostki miary.");
    units.set(3);
    EXPECT_EQ(combo.selectedIndex().value_or(99), 2u);
    EXPECT_EQ(units.get(), 3);
    for (int other : {0, 14, -1}) units.set(other);
    EXPECT_EQ(units.get(), 3) << "a code outside 1 to 13 leaves the selection";
    units.set(13);
    EXPECT_EQ(units.get(), 13);
    units.clear();
    EXPECT_FALSE(units.isChosen());
}

}  // namespace
