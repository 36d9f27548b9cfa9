#include "Modules/Towary/Tools/prices/ProductSalePriceRounder.h"

#include "Core/Database/Query.h"
#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Modules/Towary/Tools/prices/SalePriceRounders.h"

#include <boost/format.hpp>

#include <stdexcept>

namespace Product::Tools {
namespace {

class PassThroughRounder : public ISalePriceRounder {
public:
    double roundPrice(double price) const override { return price; }
};

Orvel::TKey roundingKey(const char* section) {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry programu", "Towary", "Zaokrąglanie cen sprzedaży", section});
}

// A rule's threshold: a gross price, so neither negative nor NaN; a billion
// złoty is above any price a store sells at.
constexpr double kHighestThreshold = 1e9;

double threshold(const Orvel::TKey& rule) {
    return Core::Setup::valueInRange(rule.GetKey("Próg zaokrąglania"), 0.0, kHighestThreshold);
}

// Whether the group index begins with the name of one of the entries, in the store's order.
bool inGroups(const std::string& groupIndex, const Orvel::TKey& groups) {
    for (const Orvel::TKey& entry : groups) {
        const std::string prefix = entry.GetName();
        if (groupIndex.size() >= prefix.size() && groupIndex.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
}

std::shared_ptr<const ISalePriceRounder> chooseRounder(const std::string& groupIndex) {
    const Orvel::TKey toZero = roundingKey("Zaokrąglanie do zera na ostatniej pozycji");
    if (toZero.GetKey("Włączone").GetVal<bool>() && inGroups(groupIndex, toZero.GetKey("Grupy")))
        return std::make_shared<SalePriceToZeroOnLastPositionRounder>(
            threshold(toZero));
    const Orvel::TKey psychological = roundingKey("Zaokrąglanie do wartości psychologicznych");
    if (psychological.GetKey("Włączone").GetVal<bool>())
        return std::make_shared<SalePriceToPsychologicalValuesRounder>(
            threshold(psychological));
    return std::make_shared<PassThroughRounder>();
}

std::string groupIndexOf(std::int64_t productId) {
    DBKernel::Sql::PreparedQuery query(
        "select t.sGrIndex groupIndex from Towar t where t.lTowarRef = :productId");
    query.Params["productId"] = productId;
    query.execute();
    if (query.empty())
        throw std::runtime_error((boost::format("Brak towaru o identyfikatorze %1%.") % productId).str());
    return query["groupIndex"].asString();
}

}  // namespace

ProductSalePriceRounder::ProductSalePriceRounder(std::int64_t productId)
    : ProductSalePriceRounder(groupIndexOf(productId)) {}

ProductSalePriceRounder::ProductSalePriceRounder(const std::string& groupIndex)
    : rounder_(chooseRounder(groupIndex)) {}

bool ProductSalePriceRounder::isEnabled() const {
    return roundingKey("Zaokrąglanie do wartości psychologicznych").GetKey("Włączone").GetVal<bool>() ||
           roundingKey("Zaokrąglanie do zera na ostatniej pozycji").GetKey("Włączone").GetVal<bool>();
}

double ProductSalePriceRounder::roundSalePrice(double price) const { return rounder_->roundPrice(price); }

}  // namespace Product::Tools
