#include "Modules/Towary/Tools/index/HierarchyLevels.h"

#include "Core/Firma/Site.h"
#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/System/Sysutils.h"

#include "Core/tools/ListText.h"
#include "Core/tools/Numbers.h"
#include "Core/tools/Utf8.h"

#include <boost/format.hpp>

#include <array>

namespace Towar {
namespace {

constexpr std::array<const char*, 5> kLevelKeys = {"Departament", "Sektor", "Sekcja", "Rodzina", "Podrodzina"};

bool isGroupLevel(TowarCode code) { return code >= tcDepartament && code <= tcPodrodzina; }

[[noreturn]] void unknownCode(TowarCode code) {
    throw Sysutils::Exception("Nieznany kod towaru (TowarCode = " + std::to_string(static_cast<int>(code)) + ").");
}

Orvel::TKey root() { return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey(); }

// "Parametry programu / Towary / Indeksy / <level>" of a group level.
Orvel::TKey levelKey(TowarCode code) {
    return root().GetSubKey({"Parametry programu", "Towary", "Indeksy", kLevelKeys[code - 1]});
}

// The index settings of the point-of-sale level of the organisation.
Orvel::TKey siteIndexKey() {
    return root().GetSubKey(
        {"Parametry programu", "Struktura organizacyjna", "Poziomy hierarchii", "Punkt sprzedaży", "Towary", "Indeksy"});
}

TowarCode level(int number) { return static_cast<TowarCode>(number); }

}  // namespace

int getIndexLength(TowarCode code) {
    if (isGroupLevel(code)) return Core::Setup::valueInRange(levelKey(code), 0, kMaxIndexLength);
    if (code == tcTowar) return Core::Setup::valueInRange(siteIndexKey().GetKey("Długość"), 0, kMaxIndexLength);
    unknownCode(code);
}

int getFullIndexLength(TowarCode code) {
    if (!isGroupLevel(code)) unknownCode(code);
    if (code == tcDepartament) return getIndexLength(code);
    return getFullIndexLength(getPrevTowarCode(code)) + getIndexLength(code);
}

std::string getHierarchyLevelDisplayName(TowarCode code) {
    if (!isGroupLevel(code)) unknownCode(code);
    return levelKey(code).GetKey("Nazwa wyświetlana").GetVal<std::string>();
}

std::vector<int> getAllowedIndexLengths() {
    const Orvel::TKey key = root().GetSubKey({"Parametry programu", "Towary", "Dozwolone długości indeksów"});
    const auto text = key.GetVal<std::string>();
    std::vector<int> lengths;
    for (const auto& item : Core::splitList(text, ",", Core::EmptyItems::drop)) {
        const auto length = Core::parseNumber<int>(item);
        if (!length || *length <= 0)
            throw std::runtime_error((boost::format("Nieprawidłowa długość indeksu \"%1%\" w ustawieniu %2%: "
                                                    "długości to liczby dodatnie oddzielone przecinkami.") %
                                      item % key.GetRep().strPath)
                                         .str());
        Core::Setup::checkInRange(key, item, *length, 1, kMaxIndexLength);
        lengths.push_back(*length);
    }
    if (lengths.empty())
        throw std::runtime_error("Ustawienie " + key.GetRep().strPath + " nie podaje żadnej długości indeksu.");
    return lengths;
}

std::string getIndexPrefix() {
    if (!siteIndexKey().GetKey("Prefiks sklepu").GetVal<bool>()) return "";
    return Core::SingletonImplHolder::get<Firma::Site>().identifier() + "_";
}

std::vector<std::string> getHierarchyIndexSubStringValues() {
    std::vector<std::string> values;
    int reach = getIndexLength(tcDepartament);
    values.push_back(str(boost::format("1, %1%") % reach));
    for (int k = tcSektor; k <= tcPodrodzina; ++k) {
        const int length = getIndexLength(level(k));
        values.push_back(str(boost::format("%1%, %2%") % (reach + 1) % length));
        reach += length;
    }
    return values;
}

TowarCode getTowarCodefromIndex(System::AnsiString index) {
    const int n = index.Length();
    int reach = getIndexLength(tcDepartament);
    if (n < reach) return tcBrak;
    TowarCode code = tcDepartament;
    // Past level 5 the reach stops growing: any longer index is of level 5,
    // whatever L(5) is (a level of length 0 would otherwise never end the walk).
    while (n > reach && code < tcPodrodzina) {
        code = getNextTowarCode(code);
        reach += getIndexLength(code);
    }
    return code;
}

TowarCode getNextTowarCode(TowarCode code) {
    return code >= tcBrak && code < tcPodrodzina ? level(code + 1) : tcBrak;
}

TowarCode getPrevTowarCode(TowarCode code) {
    return code > tcBrak && code <= tcTowar ? level(code - 1) : tcBrak;
}

int previousIndexLength(const std::string& groupIndex) {
    const TowarCode code = levelOfFullLength(Core::Utf8::length(groupIndex), tcSektor, tcPodrodzina);
    if (code == tcBrak) throw std::runtime_error("Błędy indeks grupy (" + groupIndex + ").");
    return getFullIndexLength(getPrevTowarCode(code));
}

TowarCode levelOfFullLength(std::size_t length, TowarCode from, TowarCode to) {
    long long full = 0;
    for (int k = tcDepartament; k <= to; ++k) {
        full += getIndexLength(level(k));
        if (k >= from && full == static_cast<long long>(length)) return level(k);
    }
    return tcBrak;
}

}  // namespace Towar
