#pragma once
// The store's product hierarchy settings for tests: the five level lengths
// and names, the article index length, the store prefix and the site's
// identifier, written as the current store's settings file.

#include "tests/support/SettingsFile.h"

#include <array>
#include <sstream>
#include <string>

namespace TestSupport {

struct IndexSettings {
    std::array<int, 5> lengths{2, 2, 2, 3, 3};  // Departament, Sektor, Sekcja, Rodzina, Podrodzina
    int articleLength = 6;
    bool prefix = false;
    std::string site = "0001";
};

// Replaces the settings file of the current store (by a rename, so that the
// settings store sees the change at its next lookup).
inline void writeIndexSettings(const IndexSettings& settings = {}) {
    static constexpr std::array<const char*, 5> kLevels = {"Departament", "Sektor", "Sekcja", "Rodzina", "Podrodzina"};
    std::ostringstream out;
    for (std::size_t k = 0; k < kLevels.size(); ++k)
        out << "[\"Parametry programu\".Towary.Indeksy." << kLevels[k] << "]\n\"@\" = " << settings.lengths[k]
            << "\n\"Nazwa wyświetlana\" = \"" << kLevels[k] << "\"\n\n";
    out << "[\"Parametry programu\".\"Struktura organizacyjna\".\"Poziomy hierarchii\".\"Punkt sprzedaży\""
           ".Towary.Indeksy]\n\"Długość\" = "
        << settings.articleLength << "\n\"Prefiks sklepu\" = " << (settings.prefix ? "true" : "false")
        << "\n\n[\"Parametry programu\".Sklep]\nIdentyfikator = \"" << settings.site << "\"\n";
    replaceSettingsFile(out.str());
}

}  // namespace TestSupport
