#include "Modules/Towary/Tools/plu/IdentifierChars.h"

#include "Core/tools/PolishText.h"

namespace Product::Tools {

bool isValidIdentifierChar(char32_t codePoint) {
    return (codePoint >= U'0' && codePoint <= U'9') || codePoint == U'%' || codePoint == U'*' || codePoint == U'/' ||
           Core::PolishText::isLetter(codePoint);
}

bool isValidIdentifierChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 && isValidIdentifierChar(static_cast<char32_t>(byte));
}

}  // namespace Product::Tools
