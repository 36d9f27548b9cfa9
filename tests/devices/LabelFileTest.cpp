#include "Core/System/Sysutils.h"
#include "Core/tools/Charset.h"
#include "Modules/Towary/Tools/devices/Metki.h"
#include "tests/devices/LabelStore.h"
#include "tests/support/Failure.h"

#include <ctime>

namespace {

using TestSupport::failure;

// The name of the label file opened in a second: the second in eight hex digits.
std::string labelFileName(std::time_t second) {
    char name[32];
    std::snprintf(name, sizeof name, "%08lx.txt", static_cast<long>(second));
    return name;
}

// Whether the file is named for a second from `before` to now.
bool namedForNow(const std::filesystem::path& file, std::time_t before) {
    for (std::time_t second = before; second <= std::time(nullptr); ++second)
        if (file.filename() == labelFileName(second)) return true;
    return false;
}

TEST_F(LabelStore, RecordIsWrittenByteForByteWithCarriageReturns) {
    TMetki labels;
    const std::time_t before = std::time(nullptr);
    labels.otworzPlik();
    const std::filesystem::path file = labels.path();
    EXPECT_EQ(file.parent_path(), labels_) << "the setting's relative directory lies in the store";
    EXPECT_TRUE(namedForNow(file, before)) << file;
    labels.dodajDoPliku(12, -3, "Żółty ser gouda plastry 150 g, ŚWIEŻY", "5901234123457", 3.456, "a", "b");
    labels.dodajDoPliku(0, 7, "Chleb", "", 120, "", "");
    labels.zamknijPlik();

    // The name cut to thirty characters, in ISO-8859-2.
    EXPECT_EQ(readFile(file), "12\t-3\t\xAF\xF3\xB3ty ser gouda plastry 150 g,\t5901234123457\t3.46\r\n"
                              "0\t7\tChleb\t\t120.00\r\n");
}

TEST_F(LabelStore, OpenAndCloseRefuseOutOfTurnAndAnOpenAppends) {
    TMetki labels;
    EXPECT_EQ(failure<Sysutils::Exception>([&] { labels.dodajDoPliku(1, 1, "a", "b", 1, "", ""); }),
              "Plik dla metkownicy nie został otwarty.");
    EXPECT_THROW(labels.zamknijPlik(), Sysutils::Exception);

    // A file of this second and of the next exists already: the new one is one of them, appended to.
    const std::time_t now = std::time(nullptr);
    for (std::time_t second = now; second <= now + 1; ++second)
        std::ofstream(labels_ / labelFileName(second), std::ios::binary) << "earlier\r\n";
    labels.otworzPlik();
    EXPECT_EQ(failure<Sysutils::Exception>([&] { labels.otworzPlik(); }),
              "Plik dla metkownicy nie został zamknięty.");
    const std::filesystem::path file = labels.path();
    labels.dodajDoPliku(1, 2, "x", "y", 0.5, "", "");
    labels.zamknijPlik();
    EXPECT_EQ(readFile(file), "earlier\r\n1\t2\tx\ty\t0.50\r\n");
}

TEST_F(LabelStore, DirectoryComesFromTheRegistryFirstWhichIsNeverWritten) {
    const auto elsewhere = store_.path() / "z rejestru";
    std::filesystem::create_directory(elsewhere);
    const std::string key = "[\"Software\\\\Teskal\\\\Zurovoveru\"]\n\"Katalog plików metkownicy\" = ";
    // The registry file (none when empty) and the directory the file is opened in.
    const std::pair<std::string, std::filesystem::path> cases[] = {
        {"", labels_},
        {"[\"Software\\\\Teskal\\\\Inny\"]\n\"Katalog plików metkownicy\" = \"/nie/tu\"\n", labels_},
        {key + "\"\"\n", labels_},
        {key + "\"  " + elsewhere.string() + "/./ \"\n", elsewhere},
        {"[\"SOFTWARE\\\\TESKAL\\\\zurovoveru\"]\n\"KATALOG PLIKÓW METKOWNICY\" = \"" + elsewhere.string() + "\"\n",
         elsewhere},
    };
    TMetki labels;
    for (const auto& [registry, directory] : cases) {
        if (!registry.empty()) writeRegistry(registry);
        labels.otworzPlik();
        EXPECT_EQ(std::filesystem::path(labels.path()).parent_path(), directory) << registry;
        labels.zamknijPlik();
        EXPECT_EQ(std::filesystem::exists(registry_), !registry.empty()) << "a missing key is not created";
    }
    EXPECT_EQ(getRegistryValue("Software\\Teskal\\Brak", "Katalog plików metkownicy"), "");
}

TEST_F(LabelStore, DirectoryThatCannotBeWrittenGivesTheReason) {
    setSetting({"Parametry sklepu", "Metkowanie", "Katalog plików metkownicy"}, "brak");
    TMetki labels;
    const std::string message = failure<Sysutils::Exception>([&] { labels.otworzPlik(); });
    const std::string prefix = "Błąd podczas tworzenia pliku dla metkownicy: " + (store_.path() / "brak").string() + "/";
    EXPECT_EQ(message.substr(0, prefix.size()), prefix) << message;
    EXPECT_EQ(message.substr(message.size() - 2), ") ");
    EXPECT_NE(message.find(".txt ("), std::string::npos) << message;
    EXPECT_EQ(message.find("No such"), std::string::npos) << "the reason in Polish: " << message;
    EXPECT_EQ(labels.path(), "") << "a failed open leaves no file open";
    EXPECT_THROW(labels.zamknijPlik(), Sysutils::Exception);
}

TEST_F(LabelStore, LabelCharsetComesFromTheSettings) {
    EXPECT_EQ(Core::convertWinToLatin("Łódź"), "\xA3\xF3\x64\xBC");
    setSetting({"Parametry sklepu", "Metkowanie", "Strona kodowa"}, "windows-1250");
    EXPECT_EQ(Core::convertWinToLatin("Łódź"), "\xA3\xF3\x64\x9F");
    EXPECT_EQ(Core::convertWinToLatin("€ ☃"), "\x80 ?") << "a character the set lacks becomes ?";
    setSetting({"Parametry sklepu", "Metkowanie", "Strona kodowa"}, "klingoński");
    EXPECT_EQ(failure<std::runtime_error>([] { Core::convertWinToLatin("a"); }),
              "Nieznany zestaw znaków: \"klingoński\".");
}

TEST_F(LabelStore, GroupIndexIsCutByTheLevelLengths) {
    for (const auto& [index, cut] :
         {std::pair{"", ""}, {"01", "01"}, {"0102030", "01-02-03-0"}, {"010203004005", "01-02-03-004-005"}})
        EXPECT_EQ(formatGrIndex(index), cut);
    for (const char* level : {"Departament", "Sektor", "Sekcja", "Rodzina", "Podrodzina"})
        setSetting({"Parametry programu", "Towary", "Indeksy", level}, 2);
    EXPECT_EQ(formatGrIndex("01020304"), "01-02-03-04");
    EXPECT_EQ(formatGrIndex("Ż1Ó2"), "Ż1-Ó2") << "lengths count characters";
}

}  // namespace
