// Labels: the label printer's file, its directory and character set, and the
// labels sent to the data collector.

#include "Core/Database/RefPool.h"
#include "Core/Kolektor/FileSet.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/Charset.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/devices/KolektorImpl.h"
#include "Modules/Towary/Tools/devices/Metki.h"
#include "tests/devices/LabelStore.h"
#include "tests/support/Failure.h"
#include "tests/support/ScriptedDialogs.h"

#include <ctime>
#include <set>
#include <sstream>

namespace {

using Core::Kolektor::TowarConditionOptions;
using Selection = Towar::CSelectTowarRefGrupaIndex::result_type;
using TestSupport::failure;

// The name of the label file opened in a second: the second in eight hex digits.
std::string labelFileName(std::time_t second) {
    char name[32];
    std::snprintf(name, sizeof name, "%08lx.txt", static_cast<long>(second));
    return name;
}

TEST_F(LabelStore, TheFileIsWrittenByteForByteInTurnInTheRegistrysDirectoryInTheCharsetOfTheSettingsOrGivesTheReasonItCannotBe) {
    TMetki labels;
    const std::time_t before = std::time(nullptr);
    labels.otworzPlik();
    const std::filesystem::path file = labels.path();
    EXPECT_EQ(file.parent_path(), labels_) << "the setting's relative directory lies in the store";
    const std::time_t named = std::stol(file.stem().string(), nullptr, 16);
    EXPECT_EQ(file.filename(), labelFileName(named)) << "named for the second it was opened in";
    EXPECT_TRUE(before <= named && named <= std::time(nullptr)) << file;
    labels.dodajDoPliku(12, -3, "Żółty ser gouda plastry 150 g, ŚWIEŻY", "5901234123457", 3.456, "a", "b");
    labels.dodajDoPliku(0, 7, "Chleb", "", 120, "", "");
    labels.zamknijPlik();

    // The name cut to thirty characters, in ISO-8859-2.
    EXPECT_EQ(readFile(file), "12\t-3\t\xAF\xF3\xB3ty ser gouda plastry 150 g,\t5901234123457\t3.46\r\n"
                              "0\t7\tChleb\t\t120.00\r\n");

    // Open and close refuse out of turn; an open appends.
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
    const std::filesystem::path appended = labels.path();
    labels.dodajDoPliku(1, 2, "x", "y", 0.5, "", "");
    labels.zamknijPlik();
    EXPECT_EQ(readFile(appended), "earlier\r\n1\t2\tx\ty\t0.50\r\n");

    // The directory comes from the registry first, which is never written.
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
    for (const auto& [registry, directory] : cases) {
        if (!registry.empty()) writeRegistry(registry);
        labels.otworzPlik();
        EXPECT_EQ(std::filesystem::path(labels.path()).parent_path(), directory) << registry;
        labels.zamknijPlik();
        EXPECT_EQ(std::filesystem::exists(registry_), !registry.empty()) << "a missing key is not created";
    }
    EXPECT_EQ(getRegistryValue("Software\\Teskal\\Brak", "Katalog plików metkownicy"), "");

    // A directory that cannot be written gives the reason.
    std::filesystem::remove(registry_);
    setSetting({"Parametry sklepu", "Metkowanie", "Katalog plików metkownicy"}, "brak");
    const std::string message = failure<Sysutils::Exception>([&] { labels.otworzPlik(); });
    const std::string prefix = "Błąd podczas tworzenia pliku dla metkownicy: " + (store_.path() / "brak").string() + "/";
    EXPECT_EQ(message.substr(0, prefix.size()), prefix) << message;
    EXPECT_EQ(message.substr(message.size() - 2), ") ");
    EXPECT_NE(message.find(".txt ("), std::string::npos) << message;
    EXPECT_EQ(message.find("No such"), std::string::npos) << "the reason in Polish: " << message;
    EXPECT_EQ(labels.path(), "") << "a failed open leaves no file open";
    EXPECT_THROW(labels.zamknijPlik(), Sysutils::Exception);

    // The labels' character set and the cut of a group index come from the settings.
    EXPECT_EQ(Core::convertWinToLatin("Łódź"), "\xA3\xF3\x64\xBC");
    setSetting({"Parametry sklepu", "Metkowanie", "Strona kodowa"}, "windows-1250");
    EXPECT_EQ(Core::convertWinToLatin("Łódź"), "\xA3\xF3\x64\x9F");
    EXPECT_EQ(Core::convertWinToLatin("€ ☃"), "\x80 ?") << "a character the set lacks becomes ?";
    setSetting({"Parametry sklepu", "Metkowanie", "Strona kodowa"}, "klingoński");
    EXPECT_EQ(failure<std::runtime_error>([] { Core::convertWinToLatin("a"); }),
              "Nieznany zestaw znaków: \"klingoński\".");

    // A group index is cut by the level lengths.
    for (const auto& [index, cut] :
         {std::pair{"", ""}, {"01", "01"}, {"0102030", "01-02-03-0"}, {"010203004005", "01-02-03-004-005"}})
        EXPECT_EQ(formatGrIndex(index), cut);
    for (const char* level : {"Departament", "Sektor", "Sekcja", "Rodzina", "Podrodzina"})
        setSetting({"Parametry programu", "Towary", "Indeksy", level}, 2);
    EXPECT_EQ(formatGrIndex("01020304"), "01-02-03-04");
    EXPECT_EQ(formatGrIndex("Ż1Ó2"), "Ż1-Ó2") << "lengths count characters";
}

TEST_F(LabelStore, TheCollectorGetsLiveUnblockedPricedCodesWithClampedPricesInvalidOnesReportedAndTheProductsNarrowed) {
    // Product 2's price is clamped, 3's too; 4's code is no code, 5 has no price, 6's code is deleted, 7's blocked.
    for (const auto& [id, code, price] : {std::tuple{1, "101", 2.5}, {2, "102", 200000.0}, {3, "103", -4.0},
                                          {4, "12A", 1.0}, {5, "105", std::nan("")}, {7, "107", 1.0}})
        addProduct(id, code, price);
    addProduct(6, "106", 1, "0101", 3);
    exec(session_, "update plu set byBlokada = 1 where lTowarRef = 7");
    addProduct(8, "108", 1.5, "0201");
    // The records of the set written, sorted; "" when no set appeared. The set is removed.
    const auto send = [](const TowarConditionOptions& options, const Selection& selection = {}) {
        Etykiety::CKolektorImpl().write({}, options, selection);
        if (!std::filesystem::exists(Kolektor::directory()) || std::filesystem::is_empty(Kolektor::directory()))
            return std::string();
        const auto set = std::filesystem::directory_iterator(Kolektor::directory())->path();
        EXPECT_EQ(set.filename().string().size(), 9u) << set;
        std::istringstream records(readFile(set / "etykiety"));
        std::multiset<std::string> lines;
        for (std::string line; std::getline(records, line);) lines.insert(line);
        std::filesystem::remove_all(set);
        std::string text;
        for (const auto& line : lines) text += line + "\n";
        return text;
    };
    TestSupport::ScopedDialogs dialogs;
    dialogs->answers = {true, true};
    EXPECT_EQ(send({}), "101\t2.50\n102\t167771.16\n103\t0.00\n108\t1.50\n");
    const std::string reported = "Kod PLU \"12A\" zawiera znaki inne niż cyfry. Kod 12A nie zostanie wysłany.";
    EXPECT_EQ(dialogs->transcript(), "options: " + reported + "\nviewer: Lista błędów:\n" + reported + "\n\n");

    // Rights rows, stock, days and the selection narrow the products; a set has its whole id.
    exec(session_, "delete from plu where lTowarRef = 4");
    dialogs->shown.clear();
    TowarConditionOptions rights;
    rights.rights = true;
    EXPECT_EQ(send(rights), "101\t2.50\n102\t167771.16\n103\t0.00\n108\t1.50\n") << "no rights rows: every product";
    exec(session_, "insert into uzytkgrouprights (luzytkref, sgrindex, przegladaniegrupy, rekordemzarzadza) "
                   "values (1, '02', 1, 2)");
    EXPECT_EQ(send(rights), "108\t1.50\n") << "whatever rights the row holds";
    EXPECT_TRUE(dialogs->shown.empty());

    const int day = Core::DayNumber::today();
    const auto today = std::to_string(day), tenDaysAgo = std::to_string(day - 10);
    exec(session_, "update towar set dLastSTNDate = " + today + " where lTowarRef in (1, 2)");
    exec(session_, "update towar set dLastSTNDate = " + tenDaysAgo + " where lTowarRef = 8");
    exec(session_, "insert into stn (lTowarRef, data, dStan) values (1, " + today + ", 5), (2, " + today +
                       ", 0), (8, " + tenDaysAgo + ", 3)");

    TowarConditionOptions options;
    options.stock = true;
    EXPECT_EQ(send(options), "101\t2.50\n108\t1.50\n");
    options.days = 5;
    EXPECT_EQ(send(options), "101\t2.50\n");
    options.stock = false;
    EXPECT_EQ(send(options), "101\t2.50\n102\t167771.16\n");

    TowarConditionOptions chosen;
    chosen.selection = true;
    EXPECT_EQ(send(chosen, Selection{{2}, {"02"}}), "102\t167771.16\n108\t1.50\n");
    EXPECT_EQ(send(chosen, Selection{}), "") << "nothing chosen, nothing sent, no set left behind";
    EXPECT_TRUE(std::filesystem::is_empty(Kolektor::directory()));

    DBKernel::RefPool::instance().reserveThrough(999999999, session_);
    Etykiety::CKolektorImpl().write({}, {}, {});
    EXPECT_TRUE(std::filesystem::is_regular_file(Kolektor::directory() / "1000000000" / "etykiety"))
        << "a set named after an id of ten digits keeps every digit";
}

}  // namespace
