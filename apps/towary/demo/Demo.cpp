#include "apps/towary/demo/Demo.h"

namespace Towary::Host::Demo {

const std::vector<Step>& steps() {
    static const std::vector<Step> all = {
        {"Moduł", frame},
        {"Ustawienia sklepu", settings},
        {"Baza danych sklepu", database},
        {"Hierarchia towarowa", hierarchy},
        {"Ceny sprzedaży", prices},
        {"Towary i kody z pliku CSV", products},
        {"Kody PLU", plu},
        {"Szukanie towaru po identyfikatorze", identifier},
        {"Kody z ceną specjalną", specialPrices},
        {"Uprawnienia do grup towarów", rights},
        {"Numery wagowe i planowane zmiany statusu", scalesAndStatuses},
        {"Towary wielocenowe", multiprice},
        {"Zasady centrali: przeceny i warunki", editionRules},
        {"Stan, rezerwacje i algorytmy zamawiania", quantities},
        {"Ceny dnia i promocje", promotions},
        {"Etykiety i kody wysyłane do kasy", labelsAndRegisters},
        {"Powody zwrotów wysyłane do kas", returnReasons},
        {"Zmiana stawek VAT i krótkie nazwy", vatChanges},
    };
    return all;
}

}  // namespace Towary::Host::Demo
