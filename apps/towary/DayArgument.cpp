#include "apps/towary/DayArgument.h"

#include "Core/tools/DayNumber.h"

#include <stdexcept>

namespace Towary::Host {

CLI::Validator dayArgument() {
    return CLI::Validator(
        [](std::string& text) {
            try {
                Core::DayNumber::fromText(text);
                return std::string();
            } catch (const std::runtime_error& e) {
                return std::string(e.what());
            }
        },
        "RRRR-MM-DD", "day");
}

int dayOfArgument(const std::string& text) {
    return text.empty() ? Core::DayNumber::today() : Core::DayNumber::fromText(text);
}

}  // namespace Towary::Host
