#include "Modules/Towary/Tools/classification/ProductTypes.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace Towar {
namespace {

struct ProductType {
    int code;
    const char* label;
};

constexpr ProductType kTypes[] = {
    {1, "Opakowanie"},
    {2, "Zestaw"},
    {3, "Zastępczy"},
    {4, "Zwykły"},
    {5, "Specjalny"},
    {6, "Prasa"},
    {7, "Usługa"},
    {8, "Zestaw rozbijany"},
    {9, "Towar grupujący"},
    {10, "Prowizja"},
    {11, "Prepaid"},
    {12, "Prepaid nieznany"},
    {13, "Nośnik"},
    {14, "Kosztowy"},
    {15, "Zestaw komponowany"},
    {17, "Paliwo"},
    {18, "Karta podarunkowa"},
    {19, "Ubezpieczenie"},
    {21, "Transakcja finansowa"},
    {22, "Prowizja od transakcji finansowej"},
    {23, "Propozycja"},
};

}  // namespace

std::string getProductTypeDescription(int code) {
    const auto type = std::find_if(std::begin(kTypes), std::end(kTypes), [code](const ProductType& t) { return t.code == code; });
    return type == std::end(kTypes) ? "<nieznany>" : type->label;
}

int getProductTypeByDescription(const std::string& label) {
    const auto type =
        std::find_if(std::begin(kTypes), std::end(kTypes), [&label](const ProductType& t) { return label == t.label; });
    if (type == std::end(kTypes)) throw std::runtime_error("Brak typu towaru " + label);
    return type->code;
}

}  // namespace Towar
