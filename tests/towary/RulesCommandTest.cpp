// towary rules: the arguments each question takes, its answer's words and the command's own refusals.
// The rules themselves are the condition checkers' (tests/conditions).

#include "tests/support/TowaryStore.h"

namespace {

const std::string kSaleEdition = "Parametry sklepu/Towary/Warunki/Sprzedaży/Edycja/";
const std::string kSaleLock = kSaleEdition + "Blokada dodawania lokalnych warunków sprzedaży";
const std::string kAutomaticLock = "Parametry programu/Towary/Przeceny/Przeceny automatyczne/Blokada dodawania przecen";
const std::string kPurchasePeriod = "Parametry sklepu/Towary/Warunki/Zakupu/Edycja/Domyślny okres obowiązywania warunku";

using TestSupport::TowaryStore;

// The list first: the questions below change the settings it shows.
TEST_F(TowaryStore, RulesListShowsEveryRuleAndEachQuestionTakesTheStoreAProductADayOrACompany) {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (1, 'Chleb', '0101', '000001', 6), "
         "(2, 'Mleko', '0203', '000002', 6), (5, 'Pieczywo', '01', null, 1)");
    expectContains(run("rules", {"list"}),
                   {"Dodawanie lokalnych warunków sprzedaży: tak\n    Parametry sklepu / Towary / Warunki / Sprzedaży / "
                    "Edycja / Blokada dodawania lokalnych warunków sprzedaży\n",
                    "Domyślny okres warunku zakupu: 90 dni\n    Parametry sklepu / Towary / Warunki / Zakupu / Edycja / "
                    "Domyślny okres obowiązywania warunku / Liczba dni\n",
                    "Dodawanie przecen: Przeceny na wybrane sztuki: tak\n", "Edycja warunku centralowego: tak\n"});
    // Texts where the rules read switches.
    for (const auto& path : {kSaleLock, kSaleEdition + "Dopuszczalna edycja warunku centralowego"})
        expectSuccess(run("settings", {"set", path, "nie", "--type", "string"}));
    const auto listed = run("rules", {"list"});
    expectError(listed, "towary: Nie odczytano zasad: 2 (błędy wyżej).\n");
    expectIn(listed.out, {"Dodawanie lokalnych warunków sprzedaży: błąd: nie można rzutować wartości klucza\n",
                          "Edycja warunku centralowego: błąd: nie można rzutować wartości klucza\n",
                          "Dodawanie przecen: Przeceny na wybrane sztuki: tak\n",
                          "\nRęczna edycja warunków towarów wielocenowych: "});

    // Adding and date locks are asked for the store or for a product, headquarters promotions for days.
    set(kSaleLock, "true");
    set(kSaleLock + "/Indeksy towarów - wyjątki", "000002;000003");
    set(kAutomaticLock, "true");
    set(kAutomaticLock + "/Indeksy towarów - wyjątki", "000001;000003");
    const std::string lock = kSaleEdition + "Domyślny okres obowiązywania warunku/Blokada edycji zakresu datowego";
    set(lock, "true");
    set(lock + "/Indeksy towarów - wyjątki", "100;200");
    set(kSaleEdition + "Blokada edycji warunku centralowego promocyjnego", "true");
    exec("insert into promocja (lPromocjaRef, sNazwa, sGuid, bLokalna) values (1, 'Lato', '{ABCD}', 0)",
         "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, bLokalny)"
         " values (1, 1, 46174, 46183, 3.99, 1, 0)");  // 2026-06-01 to 2026-06-10
    expectCases("rules", {{{"sale-adding"}, "Dodawanie lokalnych warunków sprzedaży: nie\n", 0},
                          {{"sale-adding", "/000001"}, "Dodawanie lokalnego warunku sprzedaży towaru 1 (/000001): nie\n", 0},
                          {{"sale-adding", "5"}, "Wiersz \"5\" (Pieczywo) nie jest towarem: zasady dotyczą towarów, nie grup."},
                          {{"discount-adding", "automatic", "/000001"},
                           "Dodawanie przecen (Przeceny automatyczne) towaru 1 (/000001): tak\n", 0},
                          {{"discount-adding", "pieces"}, "Dodawanie przecen (Przeceny na wybrane sztuki): tak\n", 0},
                          {{"discount-adding", "manual"}, "manual", 2},
                          {{"date-lock", "sale"}, "Blokada edycji zakresu dat warunku sprzedaży: tak\n", 0},
                          {{"date-lock", "sale", "200"},
                           "Blokada edycji zakresu dat warunku sprzedaży towaru o indeksie 200: nie\n", 0},
                          {{"date-lock", "purchase"}, "Blokada edycji zakresu dat warunku zakupu: nie\n", 0},
                          {{"hq-promotion-overlap", "/000001", "2026-06-10", "2026-06-20"},
                           "Zablokowany warunek promocji centralowej towaru 1 (/000001) w dniach 2026-06-10 - 2026-06-20: tak\n", 0},
                          // Days the wrong way round meet no condition: the answer would be "nie" for a typing mistake.
                          {{"hq-promotion-overlap", "1", "2026-06-20", "2026-06-10"},
                           "Dzień początku 2026-06-20 jest późniejszy niż dzień końca 2026-06-10."}});

    // Durations and end days take the company only for purchases.
    exec("insert into firma (lFirmaRef, sNazwa) values (7, 'Hurtownia')",
         "insert into firmaatrybut (lFirmaAtrybutRef, lFirmaRef, sNazwa, sWartosc) values"
         " (1, 7, 'Okres warunku zakupu', '14')");
    set(kPurchasePeriod + "/Liczba dni z atrybutu firmy", "true");
    expectCases("rules", {{{"duration", "sale"}, "Domyślny okres warunku sprzedaży: 30 dni\n", 0},
                          {{"duration", "purchase", "--company", "7"}, "Domyślny okres warunku zakupu (firma 7): 14 dni\n", 0},
                          {{"max-end", "2026-03-01", "--company", "7"},
                           "Najpóźniejszy koniec warunku od 2026-03-01 (firma 7): 2026-03-15\n", 0},
                          {{"max-end", "2026-03-01"}, "Najpóźniejszy koniec warunku od 2026-03-01: 2026-03-31\n", 0},
                          // Condition days are unsigned: a day before the first would wrap round.
                          {{"max-end", "1899-12-29", "--company", "7"},
                           "Dzień początku warunku 1899-12-29 jest wcześniejszy niż 1899-12-30, od którego liczy się dni "
                           "warunków."},
                          {{"duration", "sale", "--company", "7"}, "Firma (--company) wyznacza tylko okres warunku zakupu."},
                          {{"duration", "purchase", "--company", "siedem"}, "Identyfikator firmy", 2}});
    set(kPurchasePeriod, "false");
    expectCases("rules", {{{"duration", "purchase", "--company", "7"},
                           "Domyślny okres warunku zakupu (firma 7): nie obowiązuje\n", 0},
                          {{"max-end", "2026-03-01"}, "Najpóźniejszy koniec warunku od 2026-03-01: bez końca (9999-12-31)\n", 0}});
}

}  // namespace
