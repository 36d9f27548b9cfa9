#include "Core/Setup/CachedKey.h"
#include "Core/Setup/Setup.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace {

using Orvel::TKey;

constexpr const char* kSettings = R"(# Ustawienia sklepu testowego
["Parametry programu".Towary.Indeksy.Departament]
"@" = 2                                 # długość segmentu
"Nazwa wyświetlana" = "Dział"

["Parametry programu".Towary.Indeksy]
Sektor = 2
Sekcja = 2
Rodzina = 3
Podrodzina = 3

["Parametry programu".Towary]
"Długość krótkiej nazwy" = 20
"Marże" = 1.5
Przeceny.Blokada = true
)";

class SetupKey : public ::testing::Test {
protected:
    SetupKey() { TestSupport::replaceSettingsFile(kSettings); }

    static TKey key(const std::string& path) {
        return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(Orvel::splitPath(path));
    }

    template <class T>
    static std::string failure(const std::string& path) {
        return TestSupport::failure<std::logic_error>([&] { key(path).GetVal<T>(); });
    }

    static std::string loadFailure() {
        return TestSupport::failure<std::runtime_error>([] { key("a").GetVal<double>(); });
    }

    TestSupport::TempStore store_;
    Core::SetupRegistration setup_;
};

TEST_F(SetupKey, LookupsReadEveryTypeInFileOrderTextsWithDotsAndOthersEditsAndFailuresNameTheCastTheKeyOrTheFileLine) {
    EXPECT_EQ(key("Parametry programu / Towary / Indeksy / Departament").GetVal<int>(), 2);
    EXPECT_EQ(key("Parametry programu / Towary / Marże").GetVal<double>(), 1.5);
    EXPECT_TRUE(key("Parametry programu / Towary / Przeceny / Blokada").GetVal<bool>());

    const TKey name = key("Parametry programu / Towary / Indeksy / Departament / Nazwa wyświetlana");
    EXPECT_EQ(name.GetVal<std::string>(), "Dział");
    EXPECT_EQ(name.GetVal<System::AnsiString>().Length(), 5) << "characters, not bytes";
    EXPECT_FALSE(name.has_val<int>());

    std::string names;
    for (const TKey& child : key("Parametry programu / Towary / Indeksy")) names += child.GetName() + " ";
    EXPECT_EQ(names, "Departament Sektor Sekcja Rodzina Podrodzina ");
    EXPECT_EQ(key("Nie ma / takiego").begin(), key("Nie ma / takiego").end());

    // A failed lookup carries the cast, or the empty key.
    const std::string indexes = "Parametry programu / Towary / Indeksy / ";
    EXPECT_EQ(failure<double>(indexes + "Sektor"),
              "nie można rzutować wartości klucza\n" + indexes + "Sektor\ntypu (int) na (double)")
        << "an integer is not a double: the file must say 2.0";
    const std::string empty = "próba pobrania wartości typu (int) z pustego klucza\n";
    EXPECT_EQ(failure<std::string>("Parametry programu / Towary"),
              "próba pobrania wartości typu (std::string) z pustego klucza\nParametry programu / Towary")
        << "a key with children only holds no value";
    EXPECT_EQ(failure<int>("Parametry programu / Towary / Marże / Dalej"),
              empty + "Parametry programu / Towary / Marże / Dalej");
    EXPECT_EQ(failure<int>(indexes + "Departament / @"), empty + indexes + "Departament / @")
        << "\"@\" is how the file stores a value, not a key";

    // Another program's edit is seen once its event is read; the host's own writes are read back by the settings
    // writer's tests.
    const TKey length = key("Parametry programu / Towary / Długość krótkiej nazwy");
    EXPECT_EQ(length.GetVal<int>(), 20);

    // Another program edits the file in place, same size, within one tick of the clock: only the watch can tell.
    std::string edited = kSettings;
    edited.replace(edited.find("= 20"), 4, "= 24");
    std::fstream(Core::Store::settingsFile(), std::ios::in | std::ios::out) << edited;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (length.GetVal<int>() != 24 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(length.GetVal<int>(), 24);

    TestSupport::replaceSettingsFile(std::string(kSettings) + "\"Nowy klucz\" = \"jest\"\n");
    EXPECT_EQ(key("Parametry programu / Towary / Nowy klucz").GetVal<std::string>(), "jest");

    // Dots and brackets in texts and comments are no nesting.
    const std::string dots(200, '.');
    TestSupport::replaceSettingsFile("# " + dots + "\n[a]\n" +  //
                                     R"(b = ")" + dots + R"(\")" + dots + R"(" # )" + dots + "\n" +  //
                                     "c = '" + dots + "[{'\n" +                                      //
                                     R"(d = """)" "\n" + dots + "\n" + R"(\""")" + dots + R"(""")" "\n" +
                                     "e = '''" + dots + "\n" + dots + "'''\n" +  //
                                     R"("x)" + dots + R"(".y = 2.5)" "\n");
    EXPECT_EQ(key("a / b").GetVal<std::string>(), dots + "\"" + dots);
    EXPECT_EQ(key("a / c").GetVal<std::string>(), dots + "[{");
    EXPECT_EQ(key("a / d").GetVal<std::string>(), dots + "\n\"\"\"" + dots);
    EXPECT_EQ(key("a / e").GetVal<std::string>(), dots + "\n" + dots);
    EXPECT_EQ(key("a / x" + dots + " / y").GetVal<double>(), 2.5);

    // A malformed or missing file is told with its name and line until it is fixed.
    TestSupport::replaceSettingsFile("[a]\nb = 1\nc = = 2\nd = 4\n");
    const std::string file = Core::Store::settingsFile().string();
    EXPECT_EQ(loadFailure(), "Błąd składni pliku ustawień " + file + ", wiersz 3, kolumna 5: zapis niezgodny z formatem "
                       "TOML. Sprawdź w tym miejscu, czy po nazwie klucza stoi znak = i wartość, czy tekst jest w "
                       "cudzysłowie, czy nawias [ ] nagłówka tabeli jest zamknięty i czy klucz się nie powtarza.");

    std::string deep = "a";
    for (int level = 0; level < 20000; ++level) deep += ".a";
    const std::string tooDeep = ": więcej niż 64 poziomy zagnieżdżenia kluczy, tabel lub wartości w jednym wierszu.";
    const std::pair<std::string, std::string> refused[] = {
        {"a = 1\n\nb = 3000000000\n", "wiersz 3: wartość 3000000000 klucza b nie mieści się w zakresie typu int."},
        {"[a]\nb = [1, 2]\n", "wiersz 2: klucz a / b ma wartość typu tablica; ustawienia przyjmują liczby całkowite "
                              "(int), liczby (double), wartości logiczne (bool) i teksty."},
        {"[a.b]\n\"@\" = { c = 1 }\n",
         "wiersz 2: \"@\" w kluczu a / b jest tabelą; pod \"@\" zapisuje się wartość klucza."},
        {"b = 1\n" + deep + " = 1\n", "wiersz 2" + tooDeep},
        {"[" + deep + "]\n", "wiersz 1" + tooDeep},
        {"a = 1\nb = " + std::string(20000, '{') + "\n", "wiersz 2" + tooDeep},
    };
    for (const auto& [text, reason] : refused) {
        TestSupport::replaceSettingsFile(text);
        EXPECT_EQ(loadFailure(), "Błąd w pliku ustawień " + file + ", " + reason) << text.substr(0, 40);
    }

    TestSupport::removeSettingsFile();
    EXPECT_EQ(loadFailure(), "Brak pliku ustawień sklepu " + file + ".") << "a missing file is no empty store";

    TestSupport::replaceSettingsFile("a = 1.5\n");
    EXPECT_EQ(key("a").GetVal<double>(), 1.5);
}

TEST(CachedSetupKey, FollowsEditsOfTheFileAndTheStoreTheHostRegistersNow) {
    Core::Setup::CachedKey kept(Orvel::splitPath("a / b"));
    {
        const TestSupport::TempStore store;
        TestSupport::replaceSettingsFile("[a]\nb = 1\n");
        const Core::SetupRegistration setup;
        EXPECT_EQ(kept.key().GetVal<int>(), 1);
        Core::Setup::writeSetting(Core::Store::settingsFile(), {"a", "b"}, 2);
        EXPECT_EQ(kept.key().GetVal<int>(), 2);
    }
    const TestSupport::TempStore store;
    TestSupport::replaceSettingsFile("[a]\nb = 3\n");
    const Core::SetupRegistration setup;
    EXPECT_EQ(kept.key().GetVal<int>(), 3);
}

}  // namespace
