#pragma once
// The measure-unit combo box of the product forms: the thirteen fixed unit
// codes (Towar::Jm), 1 "szt" to 13 "dsp", item n-1 for code n.

#include "Core/Export.h"
#include "Core/VisualComponents/ComboBox.h"

#include <string>

namespace Towar {
// A fixed measure-unit code, 1 to 13.
using Jm = int;
}  // namespace Towar

class TOWARY_EXPORT CJmComboWrapper {
public:
    using Combo = Core::VisualComponents::ComboBox<Core::VisualComponents::ComboBoxItem<int>>;

    // Fills the combo with the units; nothing is selected.
    explicit CJmComboWrapper(Combo& combo);

    // The items as the combo receives them: "szt\t1\nltr\t2..." to "dsp\t13".
    static std::string itemsText();

    // Selects the unit of a code 1 to 13; any other value leaves the selection as it is.
    void set(Towar::Jm unit);
    // The selected unit's code; std::logic_error when none is selected.
    Towar::Jm get() const;
    bool isChosen() const;
    void clear();

private:
    Combo& combo_;
};
