#include "Modules/Towary/Tools/plu/IdentifierFilterFrame.h"

#include "Modules/Towary/Tools/plu/IdentifierChars.h"

#include <unicode/unistr.h>

namespace Product::Tools {

bool TIdentifierFilterFrame::keyPress(char32_t character) {
    if (!isValidIdentifierChar(character)) return false;
    icu::UnicodeString(static_cast<UChar32>(character)).toUTF8String(identifier_);
    return true;
}

}  // namespace Product::Tools
