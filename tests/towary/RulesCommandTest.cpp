#include "tests/support/TowaryStore.h"

#include <fstream>
#include <sstream>

namespace {

const std::string kSaleEdition = "Parametry sklepu/Towary/Warunki/Sprzedaży/Edycja/";
const std::string kSaleLock = kSaleEdition + "Blokada dodawania lokalnych warunków sprzedaży";
const std::string kAutomaticLock = "Parametry programu/Towary/Przeceny/Przeceny automatyczne/Blokada dodawania przecen";
const std::string kPurchasePeriod = "Parametry sklepu/Towary/Warunki/Zakupu/Edycja/Domyślny okres obowiązywania warunku";

class RulesCommand : public TestSupport::TowaryStore {
protected:
    RulesCommand() {
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (1, 'Chleb', '0101', '000001', "
             "6), (2, 'Mleko', '0203', '000002', 6), (5, 'Pieczywo', '01', null, 1)");
    }
    // Sets a text setting, whatever it looks like.
    void setText(const std::string& path, const std::string& value) {
        const auto result = run("settings", {"set", path, value, "--type", "string"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
    }
    // Drops the first line of the settings file that starts with the text, leaving its key empty.
    void dropSettingLine(const std::string& start) {
        const auto file = std::filesystem::path(dir_) / "towary.toml";
        std::ifstream in(file);
        std::ostringstream kept;
        bool dropped = false;
        for (std::string line; std::getline(in, line);) {
            if (!dropped && line.rfind(start, 0) == 0) {
                dropped = true;
                continue;
            }
            kept << line << '\n';
        }
        ASSERT_TRUE(dropped) << start;
        in.close();
        std::ofstream(file) << kept.str();
    }
};

TEST_F(RulesCommand, AddingAnswersFollowTheLocksAndTheirExceptions) {
    expectOutput(run("rules", {"sale-adding"}), "Dodawanie lokalnych warunków sprzedaży: tak\n");
    set(kSaleLock, "true");
    setText(kSaleLock + "/Grupy towarowe - wyjątki", "02");
    expectOutput(run("rules", {"sale-adding"}), "Dodawanie lokalnych warunków sprzedaży: nie\n");
    expectOutput(run("rules", {"sale-adding", "/000001"}),
                 "Dodawanie lokalnego warunku sprzedaży towaru 1 (/000001): nie\n");
    expectOutput(run("rules", {"sale-adding", "2"}), "Dodawanie lokalnego warunku sprzedaży towaru 2 (/000002): tak\n");
    expectFailure(run("rules", {"sale-adding", "5"}),
                  "Wiersz \"5\" (Pieczywo) nie jest towarem: zasady dotyczą towarów, nie grup.");

    set(kAutomaticLock, "true");
    set(kAutomaticLock + "/Indeksy towarów - wyjątki", "000001;\n000003");
    expectOutput(run("rules", {"discount-adding", "automatic", "/000001"}),
                 "Dodawanie przecen (Przeceny automatyczne) towaru 1 (/000001): tak\n");
    expectOutput(run("rules", {"discount-adding", "automatic", "2"}),
                 "Dodawanie przecen (Przeceny automatyczne) towaru 2 (/000002): nie\n");
    expectOutput(run("rules", {"discount-adding", "pieces"}), "Dodawanie przecen (Przeceny na wybrane sztuki): tak\n");
    expectBadUsage(run("rules", {"discount-adding", "manual"}), "manual");
}

TEST_F(RulesCommand, KeysThatAreEmptyOrOfAnotherTypeAreNamed) {
    set(kSaleLock, "true");
    set(kSaleLock + "/Indeksy towarów - wyjątki", "12");  // an int, not a text
    expectFailure(run("rules", {"sale-adding", "1"}),
                  "nie można rzutować wartości klucza\nParametry sklepu / Towary / Warunki / Sprzedaży / Edycja / "
                  "Blokada dodawania lokalnych warunków sprzedaży / Indeksy towarów - wyjątki\ntypu (int) na "
                  "(std::string)");
    set(kAutomaticLock, "true");
    dropSettingLine("\"Grupy towarowe - wyjątki\"");  // the first: the automatic discounts' list
    expectFailure(run("rules", {"discount-adding", "automatic", "1"}),
                  "próba pobrania wartości typu (std::string) z pustego klucza\nParametry programu / Towary / "
                  "Przeceny / Przeceny automatyczne / Blokada dodawania przecen / Grupy towarowe - wyjątki");
}

TEST_F(RulesCommand, DurationsAndEndDaysUseTheCompanysAttribute) {
    exec("insert into firma (lFirmaRef, sNazwa) values (7, 'Hurtownia'), (8, 'Piekarnia')",
         "insert into firmaatrybut (lFirmaAtrybutRef, lFirmaRef, sNazwa, sWartosc) values"
         " (1, 7, 'Okres warunku zakupu', '14'), (2, 8, 'Okres warunku zakupu', 'dwa tygodnie')");
    expectOutput(run("rules", {"duration", "sale"}), "Domyślny okres warunku sprzedaży: 30 dni\n");
    expectOutput(run("rules", {"duration", "purchase", "--company", "7"}),
                 "Domyślny okres warunku zakupu (firma 7): 90 dni\n");
    set(kPurchasePeriod + "/Liczba dni z atrybutu firmy", "true");
    expectOutput(run("rules", {"duration", "purchase", "--company", "7"}),
                 "Domyślny okres warunku zakupu (firma 7): 14 dni\n");
    expectOutput(run("rules", {"max-end", "2026-03-01", "--company", "7"}),
                 "Najpóźniejszy koniec warunku od 2026-03-01 (firma 7): 2026-03-15\n");
    expectOutput(run("rules", {"max-end", "2026-03-01"}), "Najpóźniejszy koniec warunku od 2026-03-01: 2026-03-31\n");
    expectFailure(run("rules", {"max-end", "1899-12-29", "--company", "7"}),
                  "Dzień początku warunku 1899-12-29 jest wcześniejszy niż 1899-12-30, od którego liczy się dni "
                  "warunków.");
    expectFailure(run("rules", {"duration", "purchase", "--company", "8"}),
                  "Atrybut \"Okres warunku zakupu\" firmy o identyfikatorze 8 ma wartość \"dwa tygodnie\", a okres "
                  "obowiązywania warunku zakupu musi być liczbą całkowitą dni od 0 do 2958465. Popraw atrybut firmy.");
    expectFailure(run("rules", {"duration", "sale", "--company", "7"}),
                  "Firma (--company) wyznacza tylko okres warunku zakupu.");
    expectBadUsage(run("rules", {"duration", "purchase", "--company", "siedem"}), "Identyfikator firmy");

    set(kPurchasePeriod, "false");
    expectOutput(run("rules", {"duration", "purchase", "--company", "7"}),
                 "Domyślny okres warunku zakupu (firma 7): nie obowiązuje\n");
    expectOutput(run("rules", {"max-end", "2026-03-01"}),
                 "Najpóźniejszy koniec warunku od 2026-03-01: bez końca (9999-12-31)\n");
    expectOutput(run("rules", {"max-end", "2026-03-01", "--company", "7"}),
                 "Najpóźniejszy koniec warunku od 2026-03-01 (firma 7): 2026-03-31\n");
}

TEST_F(RulesCommand, DateLocksAndHeadquartersPromotions) {
    const std::string lock = "Parametry sklepu/Towary/Warunki/Sprzedaży/Edycja/Domyślny okres obowiązywania warunku/"
                             "Blokada edycji zakresu datowego";
    set(lock, "true");
    set(lock + "/Indeksy towarów - wyjątki", "100,200\n300");
    expectOutput(run("rules", {"date-lock", "sale"}), "Blokada edycji zakresu dat warunku sprzedaży: tak\n");
    expectOutput(run("rules", {"date-lock", "sale", "200"}),
                 "Blokada edycji zakresu dat warunku sprzedaży towaru o indeksie 200: nie\n");
    expectOutput(run("rules", {"date-lock", "sale", "2000"}),
                 "Blokada edycji zakresu dat warunku sprzedaży towaru o indeksie 2000: tak\n");
    expectOutput(run("rules", {"date-lock", "purchase", "2000"}),
                 "Blokada edycji zakresu dat warunku zakupu towaru o indeksie 2000: nie\n");

    exec("insert into promocja (lPromocjaRef, sNazwa, sGuid, bLokalna) values (1, 'Lato', '{ABCD}', 0)",
         "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, bLokalny)"
         " values (1, 1, 46174, 46183, 3.99, 1, 0)");  // 2026-06-01 to 2026-06-10
    const std::vector<std::string> overlap = {"hq-promotion-overlap", "/000001", "2026-06-10", "2026-06-20"};
    expectOutput(run("rules", overlap),
                 "Zablokowany warunek promocji centralowej towaru 1 (/000001) w dniach 2026-06-10 - 2026-06-20: nie\n");
    set(kSaleEdition + "Blokada edycji warunku centralowego promocyjnego", "true");
    expectOutput(run("rules", overlap),
                 "Zablokowany warunek promocji centralowej towaru 1 (/000001) w dniach 2026-06-10 - 2026-06-20: tak\n");
    expectBadUsage(run("rules", {"hq-promotion-overlap", "1", "2026-06-10", "jutro"}),
                   "Nieprawidłowa data: \"jutro\". Datę podaje się jako RRRR-MM-DD.");
    expectFailure(run("rules", {"hq-promotion-overlap", "1", "2026-06-20", "2026-06-10"}),
                  "Dzień początku 2026-06-20 jest późniejszy niż dzień końca 2026-06-10.");
    expectOutput(run("rules", {"hq-promotion-overlap", "1", "2026-06-10", "2026-06-10"}),
                 "Zablokowany warunek promocji centralowej towaru 1 (/000001) w dniach 2026-06-10 - 2026-06-10: tak\n");
}

TEST_F(RulesCommand, ListShowsEveryRuleWithItsSetting) {
    expectContains(run("rules", {"list"}),
                   {"Dodawanie lokalnych warunków sprzedaży: tak\n    Parametry sklepu / Towary / Warunki / Sprzedaży / "
                    "Edycja / Blokada dodawania lokalnych warunków sprzedaży\n",
                    "Domyślny okres warunku zakupu: 90 dni\n    Parametry sklepu / Towary / Warunki / Zakupu / Edycja / "
                    "Domyślny okres obowiązywania warunku / Liczba dni\n",
                    "Dodawanie przecen: Przeceny na wybrane sztuki: tak\n", "Edycja warunku centralowego: tak\n"});
    set(kSaleEdition + "Dopuszczalna edycja warunku centralowego", "false");
    expectContains(run("rules", {"list"}), {"Edycja warunku centralowego: nie\n"});
}

}  // namespace
