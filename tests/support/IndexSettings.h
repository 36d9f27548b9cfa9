#pragma once
// The store's product hierarchy settings for tests: the five level lengths
// and names, the article index length, the store prefix and the site's
// identifier, written as the current store's settings file.

#include <array>
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
void writeIndexSettings(const IndexSettings& settings = {});

}  // namespace TestSupport
