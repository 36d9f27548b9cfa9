#pragma once
// Orvel::Orders::OrderPos: one position of a purchase order as the host's
// order form holds it while the user builds the order: prices, the order
// measure unit and its size in sale units, the logistic minimum, the
// supplier's index of the product and the clearance-sale mark.

#include "Core/Price/Price.h"

#include <boost/optional.hpp>

#include <string>

namespace Orvel::Orders {

class OrderPos {
public:
    void setLogisticMinimum(boost::optional<Core::Quantity> minimum) { logisticMinimum_ = minimum; }
    void setCurrencyPurchasePrice(Core::PurchasePrice price) { currencyPurchasePrice_ = price; }
    void setPurchasePrice(Core::PurchasePrice price) { purchasePrice_ = price; }
    // The code of a unit of the store's measure-unit list.
    void setPurchaseMeasureUnit(int unit) { purchaseMeasureUnit_ = unit; }
    void setSaleUnitsInOrderUnit(Core::Quantity units) { saleUnitsInOrderUnit_ = units; }
    void setPurchasePriceBeforeDiscount(Core::PurchasePrice price) { purchasePriceBeforeDiscount_ = price; }
    void setProviderProductIndex(const std::string& index) { providerProductIndex_ = index; }
    void setClearanceSale(bool clearance) { clearanceSale_ = clearance; }

    const boost::optional<Core::Quantity>& getLogisticMinimum() const { return logisticMinimum_; }
    Core::PurchasePrice getCurrencyPurchasePrice() const { return currencyPurchasePrice_; }
    Core::PurchasePrice getPurchasePrice() const { return purchasePrice_; }
    int getPurchaseMeasureUnit() const { return purchaseMeasureUnit_; }
    Core::Quantity getSaleUnitsInOrderUnit() const { return saleUnitsInOrderUnit_; }
    Core::PurchasePrice getPurchasePriceBeforeDiscount() const { return purchasePriceBeforeDiscount_; }
    const std::string& getProviderProductIndex() const { return providerProductIndex_; }
    bool getClearanceSale() const { return clearanceSale_; }

private:
    boost::optional<Core::Quantity> logisticMinimum_;
    Core::PurchasePrice currencyPurchasePrice_;
    Core::PurchasePrice purchasePrice_;
    int purchaseMeasureUnit_ = 0;
    Core::Quantity saleUnitsInOrderUnit_;
    Core::PurchasePrice purchasePriceBeforeDiscount_;
    std::string providerProductIndex_;
    bool clearanceSale_ = false;
};

}  // namespace Orvel::Orders
