#include "Modules/Towary/Tools/conditions/ConditionsEditionChecker.h"

#include "Core/Database/Query.h"
#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/Numbers.h"

#include <boost/format.hpp>

#include <algorithm>
#include <stdexcept>

namespace Towary::ProductTools {
namespace {

constexpr unsigned int kNoEndDate = 2958465;
// A default period is a number of days up to the no-end day, so that an end
// day computed from it stays a day the store can write.
constexpr int kMostDays = static_cast<int>(kNoEndDate);

// The end day a period of `days` from start gives: no later than the no-end
// day, which is the last day a date can show (9999-12-31).
unsigned int endAfterDays(unsigned int start, int days) {
    return std::min(start + static_cast<unsigned int>(days), kNoEndDate);
}

Orvel::TKey conditionsKey() {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry sklepu", "Towary", "Warunki"});
}

Orvel::TKey saleEditionKey(const Orvel::TKey& conditions) { return conditions.GetSubKey({"Sprzedaży", "Edycja"}); }

// The days a company attribute gives, a whole number written in decimal.
int attributeDays(const Firma::CompanyAttribute& attribute) {
    const auto days = Core::parseNumber<int>(attribute.getDataValue());
    if (days && *days >= 0 && *days <= kMostDays) return *days;
    throw std::runtime_error(boost::str(
        boost::format("Atrybut \"%1%\" firmy o identyfikatorze %2% ma wartość \"%3%\", a okres obowiązywania warunku "
                      "zakupu musi być liczbą całkowitą dni od 0 do %4%. Popraw atrybut firmy.") %
        attribute.getName() % attribute.getCompanyRef() % attribute.getDataValue() % kMostDays));
}

}  // namespace

ConditionsEditionChecker::ConditionsEditionChecker()
    : BaseProductToolsChecker(saleEditionKey(conditionsKey()).GetKey("Blokada dodawania lokalnych warunków sprzedaży")),
      conditions_(conditionsKey()),
      saleEdition_(saleEditionKey(conditions_)),
      companyDao_(Orvel::Dao::DaoFactory::instance().create<Orvel::Dao::CompanyDao>(Orvel::Dao::CompanyDao::kName)),
      attributeGetter_(std::make_shared<Firmy::Attributes::CompanyAttributeGetter>(companyDao_)) {}

Orvel::TKey ConditionsEditionChecker::defaultPeriodKey(ConditionType type) const {
    return conditions_.GetSubKey({getSetupKeyName(type), "Edycja", "Domyślny okres obowiązywania warunku"});
}

bool ConditionsEditionChecker::saleEditionFlag(const char* name) const { return saleEdition_.GetKey(name).GetVal<bool>(); }

bool ConditionsEditionChecker::localSaleConditionAdding() { return itemAddingEnabled(); }

bool ConditionsEditionChecker::localSaleConditionAdding(TTowar* product) { return itemAdding(product); }

bool ConditionsEditionChecker::isDefaultConditionDurationActive(ConditionType type) {
    return defaultPeriodKey(type).GetVal<bool>();
}

boost::optional<int> ConditionsEditionChecker::getDefaultConditionDurationDays(ConditionType type) {
    if (!isDefaultConditionDurationActive(type)) return boost::none;
    return Core::Setup::valueInRange(defaultPeriodKey(type).GetKey("Liczba dni"), 0, kMostDays);
}

boost::optional<int> ConditionsEditionChecker::getPurchaseConditionDurationDays(boost::optional<int> company) {
    if (!isDefaultConditionDurationActive(Purchase)) return boost::none;
    if (!company) return getDefaultConditionDurationDays(Purchase);
    const Orvel::TKey fromCompany = defaultPeriodKey(Purchase).GetKey("Liczba dni z atrybutu firmy");
    if (fromCompany.GetVal<bool>()) {
        const auto name = fromCompany.GetKey("Nazwa atrybutu").GetVal<std::string>();
        if (const auto attribute = attributeGetter_->getCompanyAttribute(*company, name, TSessionHolder()))
            return attributeDays(*attribute);
    }
    return getDefaultConditionDurationDays(Purchase);
}

unsigned int ConditionsEditionChecker::getMaxSaleAndPurchaseEndDate(unsigned int start) {
    const auto purchaseDays = getDefaultConditionDurationDays(Purchase);
    const auto saleDays = getDefaultConditionDurationDays(Sale);
    if (!purchaseDays || !saleDays) return kNoEndDate;
    return endAfterDays(start, std::min(*purchaseDays, *saleDays));
}

unsigned int ConditionsEditionChecker::getMaxSaleAndPurchaseEndDate(unsigned int start,
                                                                    boost::optional<int> company) {
    const int saleDays = getDefaultConditionDurationDays(Sale).value_or(kNoEndDate);
    const int purchaseDays = getPurchaseConditionDurationDays(company).value_or(kNoEndDate);
    return endAfterDays(start, std::min(saleDays, purchaseDays));
}

bool ConditionsEditionChecker::isDateRangeEditionLocked(ConditionType type) {
    if (!isDefaultConditionDurationActive(type)) return false;
    return defaultPeriodKey(type).GetKey("Blokada edycji zakresu datowego").GetVal<bool>();
}

bool ConditionsEditionChecker::isDateRangeEditionLocked(ConditionType type, const std::string& articleIndex) {
    if (!isDefaultConditionDurationActive(type)) return false;
    const Orvel::TKey lock = defaultPeriodKey(type).GetKey("Blokada edycji zakresu datowego");
    if (!lock.GetVal<bool>()) return false;
    return !isItemExcluded(lock.GetKey("Indeksy towarów - wyjątki").GetVal<std::string>(), articleIndex);
}

bool ConditionsEditionChecker::isHQSalePromotionConditionEditionLocked() {
    return saleEditionFlag("Blokada edycji warunku centralowego promocyjnego");
}

bool ConditionsEditionChecker::isHQCurrentSalePromotionConditionEditionLocked() {
    return saleEditionFlag("Blokada edycji rozpoczętego warunku centralowego promocyjnego");
}

bool ConditionsEditionChecker::HQSalePromotionConditionEditable() {
    return saleEditionFlag("Dopuszczalna edycja warunku centralowego promocyjnego");
}

bool ConditionsEditionChecker::HQSaleConditionEditable() {
    return saleEditionFlag("Dopuszczalna edycja warunku centralowego");
}

bool ConditionsEditionChecker::allowPriceChangeOnlyBelowSuggestedForHQSaleCondition() {
    return saleEditionFlag("Dozwolona zmiana ceny warunku centralowego tylko poniżej ceny sugerowanej");
}

bool ConditionsEditionChecker::allowOnlyPriceChangeForHqPromotionCondition() {
    return saleEditionFlag("Warunek centralowy promocyjny - tylko zmiana ceny");
}

bool ConditionsEditionChecker::multiPriceProductSaleConditionEditable() const {
    return saleEditionFlag("Dozwolona ręczna edycja warunków dla towarów wielocenowych");
}

bool ConditionsEditionChecker::isInOtherHQSalePromotionConditionDateRange(int productRef, int from, int to) {
    if (!isHQSalePromotionConditionEditionLocked()) return false;
    const Orvel::TKey prefixKey = saleEdition_.GetSubKey(
        {"Blokada edycji warunku centralowego promocyjnego", "Prefiks promocji pozwalający na edycję warunku"});
    const auto prefix = prefixKey.GetVal<std::string>();
    // The prefix stands in the statement as written, inside a text literal.
    if (prefix.find('\'') != std::string::npos)
        throw std::runtime_error("Ustawienie \"" + prefixKey.GetRep().strPath +
                                 "\" nie może zawierać apostrofu: prefiks GUID promocji to cyfry szesnastkowe, "
                                 "nawias klamrowy i łącznik.");
    DBKernel::Sql::OpenedQuery query("\n select 1 from warsprz ws, promocja p where ws.lTowarRef = " +
                                     std::to_string(productRef) + "\n and ws.dataOd <= " + std::to_string(to) +
                                     "\n and ws.dataDo >= " + std::to_string(from) +
                                     "\n and ws.lPromoRef = p.lPromocjaRef \n and p.sGuid not like '" + prefix +
                                     "%'\n and p.bLokalna = " + std::to_string(0));
    return !query.empty();
}

std::string ConditionsEditionChecker::getSetupKeyName(ConditionType type) {
    return type == Sale ? "Sprzedaży" : "Zakupu";
}

}  // namespace Towary::ProductTools
