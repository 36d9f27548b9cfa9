#include "Modules/Towary/Tools/classification/CJmComboWrapper.h"

#include "Core/VisualComponents/ItemsText.h"

#include <array>

namespace {

constexpr std::array<const char*, 13> kUnits = {"szt", "ltr", "kg", "but", "kar", "pal", "op",
                                                "mb",  "m2",  "m3", "kpl", "zgr", "dsp"};

}  // namespace

CJmComboWrapper::CJmComboWrapper(Combo& combo) : combo_(combo) {
    combo_.setItems(Core::VisualComponents::itemsFromText(itemsText()));
}

std::string CJmComboWrapper::itemsText() {
    std::string text;
    for (std::size_t item = 0; item < kUnits.size(); ++item)
        text += (item == 0 ? "" : "\n") + std::string(kUnits[item]) + "\t" + std::to_string(item + 1);
    return text;
}

void CJmComboWrapper::set(Towar::Jm unit) {
    if (unit >= 1 && unit <= static_cast<int>(kUnits.size())) combo_.select(static_cast<std::size_t>(unit - 1));
}

Towar::Jm CJmComboWrapper::get() const {
    const auto item = combo_.selectedIndex();
    if (!item) throw std::logic_error("Nie wybrano jednostki miary.");
    return static_cast<Towar::Jm>(*item) + 1;
}

bool CJmComboWrapper::isChosen() const { return combo_.selectedIndex().has_value(); }

void CJmComboWrapper::clear() { combo_.clearSelection(); }
