#include "Modules/Towary/Tools/classification/ProductClassAttributes.h"

#include "Core/I18n/Translate.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/Digits.h"
#include "Core/tools/TypeName.h"

#include <map>
#include <stdexcept>

namespace TowarFunkcje {
namespace {

struct Texts {
    std::string name;
    std::string header;
};

using TextTable = std::map<TAtrKlasyTowaru, Texts>;

// Built once, translated as it is built: a translation the host installs
// later does not reach it.
const TextTable& texts() {
    static const TextTable table = [] {
        const std::pair<TAtrKlasyTowaru, Texts> untranslated[] = {
            {atkZmianaDanychPodstawowych, {"Zmiana danych podstawowych", "Zmiana~danych podst."}},
            {atkDodaniePlu, {"Dodanie PLU", "Dodanie~PLU"}},
            {atkUsunieciePlu, {"Usunięcie PLU", "Usunięcie~PLU"}},
            {atkZmianaCeny, {"Zmiana ceny", "Zmiana ceny~"}},
            {atkZmianaCenyWPromocjiNadrzednej, {"Zmiana ceny towaru w promocji nadrzędnej", "Zmiana ceny~prom.nadrz."}},
            {atkZamawianie, {"Zamawianie", "Zamawianie~"}},
            {atkZamawianieOdDostawcyZewnetrznego, {"Zamawianie od dostawcy zewnętrznego", "Zamawianie~od dost.zewn."}},
            {atkWylaczenieZAsortymentu, {"Możliwość wyłączenia z asortymentu", "Możliwość wył.~z asortymentu"}},
            {atkZmianaCech, {"Zmiana cech", "Zmiana cech~"}},
            {atkZmianaDanychUzupelniajacych, {"Zmiana danych uzupełniających", "Zmiana~danych uzup."}},
            {atkZmianaDanychWag, {"Zmiana danych wag", "Zmiana~danych wag."}},
            {atkDodanieKoduPublicznego, {"Dodanie kodu publicznego", "Dodanie kodu publicznego"}},
            {atkDodanieKoduPrywatnego, {"Dodanie kodu prywatnego", "Dodanie kodu prywatnego"}},
            {atkUsuniecieKoduLokalnego, {"Usunięcie kodu lokalnego", "Usunięcie kodu lokalnego"}},
            {atkUsuniecieKoduCentralnego, {"Usunięcie kodu centralnego", "Usunięcie kodu centralnego"}},
        };
        TextTable built;
        for (const auto& [attribute, text] : untranslated)
            built.emplace(attribute, Texts{Core::I18n::translate(text.name), Core::I18n::translate(text.header)});
        return built;
    }();
    return table;
}

TAtrKlasyTowaru checked(TAtrKlasyTowaru attribute) {
    if (attribute < atkZmianaDanychPodstawowych || attribute > atkUsuniecieKoduCentralnego)
        throw Sysutils::Exception("Błędny atrybut towaru.");
    return attribute;
}

const Texts& textsOf(TAtrKlasyTowaru attribute) {
    const auto& table = texts();
    const auto found = table.find(checked(attribute));
    if (found == table.end()) throw std::logic_error("Error indexing " + Core::typeName<TAtrKlasyTowaru>());
    return found->second;
}

unsigned bitOf(TAtrKlasyTowaru attribute) { return 1u << (checked(attribute) - 1); }

}  // namespace

bool getAtrKlasyTowaru(unsigned word, TAtrKlasyTowaru attribute) { return (word & bitOf(attribute)) != 0; }

void setAtrKlasyTowaru(unsigned& word, TAtrKlasyTowaru attribute, bool value) {
    const unsigned bit = bitOf(attribute);
    word = value ? word | bit : word & ~bit;
}

std::string getAtrKlasyTowaruName(TAtrKlasyTowaru attribute) { return textsOf(attribute).name; }

std::string getAtrKlasyTowaruHeader(TAtrKlasyTowaru attribute) { return textsOf(attribute).header; }

const std::vector<TAtrKlasyTowaru>& getProductClassAttrOrder() {
    static const std::vector<TAtrKlasyTowaru> order{
        atkZmianaDanychPodstawowych, atkZmianaDanychUzupelniajacych, atkZmianaCeny,
        atkZmianaCenyWPromocjiNadrzednej, atkZamawianie, atkZamawianieOdDostawcyZewnetrznego,
        atkWylaczenieZAsortymentu, atkZmianaCech, atkZmianaDanychWag, atkDodanieKoduPublicznego,
        atkDodanieKoduPrywatnego, atkUsuniecieKoduLokalnego, atkUsuniecieKoduCentralnego};
    return order;
}

bool isAllDigit(const char* text) { return text != nullptr && *text != '\0' && Core::allDigits(text); }

}  // namespace TowarFunkcje
