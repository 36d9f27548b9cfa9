#pragma once
// Towary::ProductTools::ConditionsEditionChecker: what the condition forms
// may do with sale and purchase conditions under the store's settings
// "Parametry sklepu / Towary / Warunki": add a local sale condition (for a
// product), edit a headquarters condition or only its price, edit the date
// range; the default duration and the latest end day of a new condition.
// Every answer reads the settings afresh; an empty or mistyped key throws the
// setup-key error naming it. The lock key of its base is the key that blocks
// adding local sale conditions.

#include "Core/Firma/CompanyAttributeGetter.h"
#include "Modules/Towary/Tools/conditions/BaseProductToolsChecker.h"

#include <boost/optional.hpp>

#include <memory>
#include <string>

namespace Towary::ProductTools {

enum ConditionType { Sale = 1, Purchase = 2 };

class TOWARY_EXPORT ConditionsEditionChecker : public BaseProductToolsChecker {
public:
    // Takes the company data-access object "company" from the host's factory.
    ConditionsEditionChecker();

    bool localSaleConditionAdding();
    bool localSaleConditionAdding(TTowar* product);

    bool isDefaultConditionDurationActive(ConditionType type);
    // "Liczba dni" of the type's default period when the period is active.
    boost::optional<int> getDefaultConditionDurationDays(ConditionType type);
    // The default period of purchase conditions, from the company's attribute
    // when the settings say so and the company has it; throws when that
    // attribute is not a whole number.
    boost::optional<int> getPurchaseConditionDurationDays(boost::optional<int> company);
    // No end (9999-12-31) unless both default periods are set; else start + the shorter, at most 9999-12-31.
    unsigned int getMaxSaleAndPurchaseEndDate(unsigned int start);
    // start + the shorter of the periods set (the company's for purchases), at most 9999-12-31.
    unsigned int getMaxSaleAndPurchaseEndDate(unsigned int start, boost::optional<int> company);
    bool isDateRangeEditionLocked(ConditionType type);
    // As above, unless the article index is listed as an exception to the lock.
    bool isDateRangeEditionLocked(ConditionType type, const std::string& articleIndex);

    bool isHQSalePromotionConditionEditionLocked();
    bool isHQCurrentSalePromotionConditionEditionLocked();
    bool HQSalePromotionConditionEditable();
    bool HQSaleConditionEditable();
    bool allowPriceChangeOnlyBelowSuggestedForHQSaleCondition();
    bool allowOnlyPriceChangeForHqPromotionCondition();
    bool multiPriceProductSaleConditionEditable() const;
    // The product has a headquarters promotional sale condition over days that
    // meet [from, to], of a promotion whose GUID lacks the editable prefix;
    // false while such conditions are not locked.
    bool isInOtherHQSalePromotionConditionDateRange(int productRef, int from, int to);

    // "Sprzedaży" for sale conditions, "Zakupu" for any other type.
    static std::string getSetupKeyName(ConditionType type);

private:
    Orvel::TKey defaultPeriodKey(ConditionType type) const;
    bool saleEditionFlag(const char* name) const;

    Orvel::TKey conditions_;
    Orvel::TKey saleEdition_;
    std::shared_ptr<Orvel::Dao::CompanyDao> companyDao_;
    std::shared_ptr<Firmy::Attributes::CompanyAttributeGetter> attributeGetter_;
};

}  // namespace Towary::ProductTools
