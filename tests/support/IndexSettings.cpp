#include "tests/support/IndexSettings.h"

#include "tests/support/SettingsFile.h"

#include <sstream>

namespace TestSupport {

void writeIndexSettings(const IndexSettings& settings) {
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
