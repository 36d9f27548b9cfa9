#pragma once
// The host's combo boxes also take their items as one text: per item its
// display text, a tab and its code in decimal, items separated by line feeds
// ("szt\t1\nltr\t2"). The combo shows the text and answers the code.

#include "Core/VisualComponents/ComboBox.h"
#include "Core/tools/ListText.h"
#include "Core/tools/Numbers.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace Core::VisualComponents {

// The items such a text lists; std::invalid_argument for a line without a tab and a code.
inline std::vector<ComboBoxItem<int>> itemsFromText(const std::string& text) {
    std::vector<ComboBoxItem<int>> items;
    for (const auto& line : Core::splitList(text, "\n", Core::EmptyItems::drop)) {
        const auto tab = line.rfind('\t');
        const auto code = tab == std::string::npos ? std::nullopt : Core::parseNumber<int>(line.substr(tab + 1));
        if (!code) throw std::invalid_argument("Pozycja listy wyboru \"" + line + "\" nie kończy się tabulatorem i kodem.");
        items.push_back({false, *code, line.substr(0, tab)});
    }
    return items;
}

}  // namespace Core::VisualComponents
