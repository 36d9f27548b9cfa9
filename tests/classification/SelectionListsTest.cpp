// The product types and their sets, the code-to-label lists of the product
// forms and the measure-unit combo box.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Modules/Towary/Tools/classification/CJmComboWrapper.h"
#include "Modules/Towary/Tools/classification/ProductTypes.h"
#include "Modules/Towary/Tools/classification/SelectionLists.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

namespace VC = Core::VisualComponents;

// The list as "code label" lines, "- label" for the entry without a code.
std::string selectionText(const VC::CodeList& list) {
    std::string lines;
    for (const auto& item : list) lines += (item.none ? "-" : std::to_string(item.value)) + " " + item.text + "\n";
    return lines;
}

TEST(SelectionLists, TheTypesListNamesEveryKnownTypeTheStoresListsReadTheDatabaseAndTheUnitComboHoldsThirteenUnits) {
    std::set<int> listed;
    for (const auto& item : VC::getProductTypes()) {
        listed.insert(item.value);
        EXPECT_EQ(Towar::getProductTypeByDescription(item.text), item.value) << item.text;
    }
    for (int code = 0; code <= 24; ++code)
        EXPECT_EQ(listed.count(code) == 1, Towar::getProductTypeDescription(code) != "<nieznany>") << code;
    EXPECT_EQ(listed.size(), 21u) << "no 16 and no 20";
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { Towar::getProductTypeByDescription("zwykły"); }),
              "Brak typu towaru zwykły") << "a label differing in letter case names no type";

    // Stock and purchase conditions go by the type, of one byte.
    TTowar product;
    product.SetTyp(4);
    EXPECT_TRUE(Towar::obslugaStanow(&product));
    product.SetTyp(11);
    EXPECT_FALSE(Towar::obslugaStanow(&product));
    EXPECT_TRUE(Towar::obslugaWarunkowZakupu(&product));
    product.SetTyp(4 + 256);
    EXPECT_FALSE(Towar::obslugaStanow(&product)) << "a byTyp past one byte names no type";

    // The store's lists read the database; the unit combo holds thirteen units.
    TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    EXPECT_EQ(selectionText(VC::getUsedProductHierarchies()), "") << "a store without groups";
    TestSupport::exec({}, "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values "
                          "(1, 'T', '01', 1), (2, 'T', '01', 3), (3, 'T', '01', 2), (4, 'T', '01', 6)");
    EXPECT_EQ(selectionText(VC::getUsedProductHierarchies()), "1 poziom 1\n2 poziom 2\n3 poziom 3\n")
        << "the deepest group level is 3; products do not count";

    EXPECT_EQ(selectionText(VC::getDiscountReasonList()), "");
    TestSupport::exec({}, "insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values "
                          "(7, 'Uszkodzone opakowanie'), (3, 'Krótki termin')");
    const std::string reasons = selectionText(VC::getDiscountReasonList());  // in no set order
    EXPECT_NE(reasons.find("7 Uszkodzone opakowanie\n"), std::string::npos) << reasons;
    EXPECT_NE(reasons.find("3 Krótki termin\n"), std::string::npos) << reasons;
    EXPECT_THROW(TestSupport::exec({}, "insert into DiscountReasonDict values (2147483648, 'Za duży')"),
                 std::runtime_error) << "an id the list could not read";

    Core::ImplRegistration<Core::ProductActivityStatuses> statuses;
    EXPECT_EQ(selectionText(VC::getProductActivityStatusesWithNone()),
              "- <brak>\n1 Aktywny\n2 Nowy\n3 Zablokowany do zamówień\n4 Wycofywany\n5 Wycofany\n6 Sezonowy\n"
              "7 Czasowo niedostępny\n8 Wycofywany po sezonie\n") << "an added entry without a code comes first";

    // The measure-unit combo box: thirteen units, an item by its code.
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
    units.clear();
    EXPECT_FALSE(units.isChosen());
}

}  // namespace
