#include "Core/tools/Gs1.h"

#include "Core/tools/Digits.h"

#include <stdexcept>
#include <string>

namespace Core::Gs1 {

char checkDigit(std::string_view digits) {
    if (digits.empty() || !allDigits(digits))
        throw std::invalid_argument("Cyfrę kontrolną GS1 liczy się z samych cyfr, a podano \"" + std::string(digits) +
                                    "\".");
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool hasValidCheckDigit(std::string_view code) {
    if (code.size() < 2 || !allDigits(code)) return false;
    return checkDigit(code.substr(0, code.size() - 1)) == code.back();
}

}  // namespace Core::Gs1
