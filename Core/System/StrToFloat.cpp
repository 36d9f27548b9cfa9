#include "Core/System/StrToFloat.h"

#include "Core/System/Sysutils.h"

#include <boost/algorithm/string/trim.hpp>

#include <charconv>
#include <cmath>

namespace Sysutils {

char& DecimalSeparator() {
    static char separator = '.';
    return separator;
}

double StrToFloat(const std::string& text) {
    auto number = boost::algorithm::trim_copy(text);
    const auto refuse = [&text]() { return Exception("„" + text + "” nie jest poprawną liczbą."); };
    // A full stop or comma that is not the separator is not part of a number either.
    for (auto& c : number) {
        if (c == DecimalSeparator())
            c = '.';
        else if (c == '.' || c == ',')
            throw refuse();
    }
    const char* begin = number.data();
    // from_chars takes no plus sign, so one is skipped here; "+-5" stays a refused text, not -5.
    if (number.size() > 1 && *begin == '+' && number[1] != '-') ++begin;
    double value = 0;
    const auto [end, error] = std::from_chars(begin, number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        throw refuse();
    return value;
}

}  // namespace Sysutils
