#include "Modules/Towary/Tools/classification/ProductTypes.h"

#include "Core/BaseDBObjects/TTowar.h"

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

const std::set<Typ>& stockTypes() {
    static const std::set<Typ> types{1, 2, 3, 4, 5, 6, 8, 9, 13, 14, 15, 17, 23};
    return types;
}

const std::set<Typ>& purchaseConditionTypes() {
    static const std::set<Typ> types{1, 2, 3, 4, 5, 6, 8, 9, 11, 13, 14, 15, 17, 19};
    return types;
}

// byTyp is one byte; a value outside it names no type.
bool inSet(const std::set<Typ>& types, long long code) {
    return code >= 0 && code <= 255 && types.count(static_cast<Typ>(code)) != 0;
}

}  // namespace

std::set<Typ>::const_iterator TypyZObslugaStanow::begin() { return stockTypes().begin(); }
std::set<Typ>::const_iterator TypyZObslugaStanow::end() { return stockTypes().end(); }
std::set<Typ>::const_iterator TypyZObslugaWarunkowZakupu::begin() { return purchaseConditionTypes().begin(); }
std::set<Typ>::const_iterator TypyZObslugaWarunkowZakupu::end() { return purchaseConditionTypes().end(); }

bool obslugaStanow(Typ type) { return inSet(stockTypes(), type); }
bool obslugaStanow(const TTowar* product) { return inSet(stockTypes(), product->GetTyp()); }
bool obslugaWarunkowZakupu(Typ type) { return inSet(purchaseConditionTypes(), type); }
bool obslugaWarunkowZakupu(const TTowar* product) { return inSet(purchaseConditionTypes(), product->GetTyp()); }

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
