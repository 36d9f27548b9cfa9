#include "Core/Setup/CheckedValue.h"

#include <boost/format.hpp>

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace Core::Setup {
namespace {

std::string numberText(long long number) { return std::to_string(number); }
std::string numberText(int number) { return std::to_string(number); }
std::string numberText(double number) {
    if (std::isnan(number)) return "NaN";
    char buffer[400];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed).ptr);
}

template <class T>
[[noreturn]] void refuse(const Orvel::TKey& key, const std::string& value, T lowest, T highest) {
    throw std::runtime_error((boost::format("Ustawienie %1% w pliku %2% ma wartość %3%, a dozwolone są wartości od "
                                            "%4% do %5%. Popraw je w pliku ustawień lub poleceniem towary settings set.") %
                              key.GetRep().strPath % key.file().string() % value % numberText(lowest) %
                              numberText(highest))
                                 .str());
}

}  // namespace

template <class T>
T valueInRange(const Orvel::TKey& key, T lowest, T highest) {
    const T value = key.GetVal<T>();
    if (!(value >= lowest && value <= highest)) refuse(key, numberText(value), lowest, highest);
    return value;
}

template int valueInRange<int>(const Orvel::TKey&, int, int);
template double valueInRange<double>(const Orvel::TKey&, double, double);

void checkInRange(const Orvel::TKey& key, const std::string& value, long long number, long long lowest,
                  long long highest) {
    if (number < lowest || number > highest) refuse(key, "\"" + value + "\"", lowest, highest);
}

}  // namespace Core::Setup
