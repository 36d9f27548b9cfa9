#pragma once
// ScaleDataValidator: whether the scale number typed into a product's form
// may be stored with the section chosen: a number in 1..the store's largest,
// not held in that section by another product. Holds no state.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/VisualComponents/ComboBox.h"
#include "Core/VisualComponents/TCustomEdit.h"
#include "Core/VisualComponents/ValidateException.h"

#include <optional>

namespace Orvel::Scale {

class TOWARY_EXPORT ScaleDataValidator {
public:
    using SectionCombo = Core::VisualComponents::ComboBox<Core::VisualComponents::ComboBoxItem<int>>;

    // Returns when the number may be stored; throws TValidateException naming
    // numberEdit otherwise, and the conversion error for a text that is no
    // number. productRef: the product being edited, which does not collide
    // with itself. The "none" section accepts any text.
    static void validate(TCustomEdit* numberEdit, const SectionCombo& sectionCombo, std::optional<int> productRef,
                         TSessionHolder session = {});
};

}  // namespace Orvel::Scale
