// The ordering methods a store offers, read from its settings file, and the
// stock levels each method works with.

#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/classification/OrderingMethods.h"
#include "tests/support/Failure.h"
#include "tests/support/TempStore.h"
#include "tests/support/SettingsFile.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace {

// Replaces the settings file by one whose methods' table holds the lines.
void offer(const std::string& lines) {
    TestSupport::replaceSettingsFile("[\"Parametry programu\".\"Zamówienia\".\"Dostępne algorytmy zamawiania\"]\n" +
                                     lines);
}

using MethodsWithEntry = std::map<std::optional<int>, std::string>;

TEST(OrderingMethods, ChildKeysAreMethodsReadAtEveryCallOrOnceByTheSingletonAndAMissingOrBadOneIsTold) {
    const TestSupport::TempStore store;
    const Core::SetupRegistration setup;
    offer("A = 3\nB = 1\n");
    // The singleton keeps what it read, and knows each method's stock levels.
    Core::Registrations registrations;
    registerOrderingMethodsObjects(registrations);
    auto& methods = Core::SingletonImplHolder::get<Towar::OrderingMethods>();
    offer("C = 4\n");
    EXPECT_EQ(methods.getOrderingMethodText(3), "A") << "read once, when the object was made";
    EXPECT_EQ(methods.getOrderingMethodText(1), "B");
    EXPECT_EQ(methods.getOrderingMethodText(4), "") << "not offered when it was made";
    EXPECT_EQ(methods.getUsedStocks(1), (std::set<int>{1, 2}));
    EXPECT_EQ(methods.getUsedStocks(2), (std::set<int>{3}));
    EXPECT_TRUE(methods.getUsedStocks(3).empty());
    offer("A = 3\nB = 1\n");

    EXPECT_EQ(Towar::getOrderingMethods(), (std::vector<std::pair<int, std::string>>{{3, "A"}, {1, "B"}}));
    EXPECT_EQ(Towar::getOrderingMethodsMap(), (std::map<int, std::string>{{1, "B"}, {3, "A"}}));
    EXPECT_EQ(Towar::getOrderingMethodsStringList(), (std::vector<std::string>{"A\t3", "B\t1"}));
    EXPECT_EQ(Towar::getOrderingMethodsWithAll(), (MethodsWithEntry{{std::nullopt, "<wszystkie>"}, {1, "B"}, {3, "A"}}));
    EXPECT_EQ(Towar::getOrderingMethodsWithNone(), (MethodsWithEntry{{std::nullopt, "<brak>"}, {1, "B"}, {3, "A"}}));

    offer("\"Według zapasu\" = 2\n");
    EXPECT_EQ(Towar::getOrderingMethodsStringList(), (std::vector<std::string>{"Według zapasu\t2"}));

    // A store without its methods is told, and so is a name that cannot be one line of the list.
    offer("");
    const std::string file = Core::Store::settingsFile().string();
    EXPECT_EQ(TestSupport::failure<std::logic_error>([] { Towar::getOrderingMethods(); }),
              "Ustawienia sklepu nie podają żadnego algorytmu zamawiania: brak kluczy w\nParametry programu / "
              "Zamówienia / Dostępne algorytmy zamawiania\n(plik " + file + ").");
    // The names as TOML writes them in a quoted key, and as they are read.
    for (const auto& [written, name] : std::initializer_list<std::pair<const char*, std::string>>{
             {"Zapas\\tdocelowy", "Zapas\tdocelowy"}, {"Zapas\\ndocelowy", "Zapas\ndocelowy"}}) {
        offer("A = 3\n\"" + std::string(written) + "\" = 2\n");
        EXPECT_EQ(TestSupport::failure<std::logic_error>([] { Towar::getOrderingMethodsStringList(); }),
                  "Nazwa algorytmu zamawiania \"" + name +
                      "\" w\nParametry programu / Zamówienia / Dostępne algorytmy zamawiania\n(plik " + file +
                      ") ma tabulator lub koniec wiersza, a lista algorytmów podaje nazwę, tabulator i typ w jednym "
                      "wierszu. Popraw nazwę w pliku ustawień.")
            << "its item would not be one line of the name, a tab and the type";
    }
}
}  // namespace
