#include "Core/tools/ListText.h"

#include <boost/algorithm/string/trim.hpp>
#include <boost/tokenizer.hpp>

namespace Core {

std::vector<std::string> splitList(std::string_view text, const char* separators, EmptyItems empty) {
    const boost::char_separator<char> separator(separators, "", boost::keep_empty_tokens);
    std::vector<std::string> items;
    for (const std::string& token : boost::tokenizer<boost::char_separator<char>, std::string_view::const_iterator>(
             text.begin(), text.end(), separator)) {
        std::string item = boost::algorithm::trim_copy(token);
        if (empty == EmptyItems::keep || !item.empty()) items.push_back(std::move(item));
    }
    return items;
}

}  // namespace Core
