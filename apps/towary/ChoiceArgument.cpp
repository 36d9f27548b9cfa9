#include "apps/towary/ChoiceArgument.h"

#include <boost/algorithm/string/join.hpp>

#include <algorithm>

namespace Towary::Host {

CLI::Validator choiceArgument(const std::string& what, const std::vector<std::string>& choices) {
    return CLI::Validator(
        [what, choices](std::string& text) {
            if (std::find(choices.begin(), choices.end(), text) != choices.end()) return std::string();
            return what + " \"" + text + "\" nie jest żadną z wartości: " + boost::algorithm::join(choices, ", ") + ".";
        },
        boost::algorithm::join(choices, "|"), "choice");
}

}  // namespace Towary::Host
