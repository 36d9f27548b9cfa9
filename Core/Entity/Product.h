#pragma once
// Orvel::Entities::Product: the host's product entity, the record its newer
// forms and imports pass around. A getter and a setter per attribute; an
// optional attribute (boost::optional) may hold no value.

#include <boost/optional.hpp>

#include <string>

namespace Orvel::Entities {

// X(type, Attribute): get##Attribute and set##Attribute.
#define PRODUCT_ENTITY_ATTRIBUTES(X) \
    X(boost::optional<int>, Id) \
    X(std::string, Nazwa) \
    X(std::string, KrNazwa) \
    X(std::string, GroupIndex) \
    X(std::string, OrderingMethodParams) \
    X(std::string, Isbn) \
    X(std::string, Info) \
    X(int, Typ) \
    X(int, Wagowy) \
    X(boost::optional<double>, CenaSprzed) \
    X(int, StatusAktywnosci) \
    X(boost::optional<int>, Rabatowy) \
    X(boost::optional<int>, OpakRef) \
    X(boost::optional<int>, WagaSekcja) \
    X(boost::optional<int>, WagaPlu) \
    X(double, CzasMod) \
    X(boost::optional<double>, SaleToLabelMeasureUnitFactor) \
    X(boost::optional<double>, SaleToBaseMeasureUnitFactor) \
    X(boost::optional<double>, FirstOrderQuantity) \
    X(std::string, ProductIndex) \
    X(std::string, Pkwiu) \
    X(int, Level) \
    X(boost::optional<int>, ProductClassId) \
    X(boost::optional<int>, OptVatRateId) \
    X(boost::optional<int>, LabelMeasureUnitId) \
    X(boost::optional<int>, MeanCalculationPeriod) \
    X(boost::optional<int>, MinimumStockInDays) \
    X(boost::optional<int>, OptimalStockInDays) \
    X(boost::optional<int>, AttributeMask) \
    X(boost::optional<int>, AttributeValue) \
    X(boost::optional<int>, OrderingMethod) \
    X(boost::optional<int>, SaleMeasureUnitId) \
    X(boost::optional<int>, BaseMeasureUnitId) \
    X(boost::optional<int>, LabelType) \
    X(int, MultiPrice) \
    X(int, AlternativePricesAllowed) \
    X(boost::optional<double>, OptMargin) \
    X(boost::optional<int>, InceasedRisk) \
    X(boost::optional<int>, ElectonicLabel) \
    X(boost::optional<int>, SelfServiceBan) \
    X(boost::optional<double>, ComplementToMinSaleUnitStock) \
    X(boost::optional<int>, MinimalBuyerAge) \
    X(boost::optional<int>, ExpiryPeriod) \
    X(boost::optional<int>, MinimalSellerAge) \
    X(boost::optional<double>, MinimumStockInUnits) \
    X(boost::optional<double>, MaximalStockInUnits) \
    X(boost::optional<int>, WeightControlType) \
    X(boost::optional<int>, TicketType) \
    X(boost::optional<int>, BrandId) \
    X(boost::optional<double>, WeightTolerance)

class Product {
public:
#define PRODUCT_ENTITY_ACCESSORS(type, Attribute)                 \
    const type& get##Attribute() const { return Attribute##_; } \
    void set##Attribute(const type& value) { Attribute##_ = value; }
    PRODUCT_ENTITY_ATTRIBUTES(PRODUCT_ENTITY_ACCESSORS)
#undef PRODUCT_ENTITY_ACCESSORS

private:
#define PRODUCT_ENTITY_MEMBER(type, Attribute) type Attribute##_{};
    PRODUCT_ENTITY_ATTRIBUTES(PRODUCT_ENTITY_MEMBER)
#undef PRODUCT_ENTITY_MEMBER
};

}  // namespace Orvel::Entities
