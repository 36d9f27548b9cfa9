#include "Modules/Towary/Tools/prices/PromoFeatures.h"

#include "Core/Debug/Debug.h"
#include "Core/Labels/Labels.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/DayNumber.h"

#include <boost/format.hpp>

namespace Towar {
namespace {

std::string labelSetting(const char* name) {
    return Core::SingletonImplHolder::get<Core::CSetup>()
        .GetRootKey()
        .GetSubKey({"Parametry sklepu", "Towary", "Etykiety", name})
        .GetVal<std::string>();
}

// "dd-mm-yy".
std::string labelDate(int day) {
    const auto date = Core::DayNumber::toDate(day);
    return (boost::format("%02d-%02d-%02d") % static_cast<unsigned>(date.day()) %
            static_cast<unsigned>(date.month()) % (static_cast<int>(date.year()) % 100))
        .str();
}

std::string feature(const char* name, const std::string& value) {
    return std::string("\"") + name + "\" = \"" + value + "\"";
}

}  // namespace

void appendPromoFeatures(std::string& features, TSessionHolder session, int productId, int date) {
    if (const auto price = getOptPriceBeforePromotion(std::move(session), productId, date))
        appendPromoFeature(features, *price);
}

void appendPromoFeature(std::string& features, const PriceBeforePromotion& priceBeforePromotion) {
    const auto unitName = Labels::escapeFeature(
        priceBeforePromotion.labelMeasureUnit
            ? Core::SingletonImplHolder::get<Core::AvailMeasureUnits>().find(*priceBeforePromotion.labelMeasureUnit).shortName()
            : labelSetting("Domyślna jednostka porównawcza miary"));
    const auto promotionalText = Labels::escapeFeature(labelSetting("Domyślny tekst promocyjny"));
    const auto text = feature("Poprzednia_cena", Labels::formatPrice(priceBeforePromotion.previousPrice)) + ", " +
                      feature("Data_od", labelDate(priceBeforePromotion.promotionDateFrom)) + ", " +
                      feature("Data_do", labelDate(priceBeforePromotion.promotionDateTo)) + ", " +
                      feature("Tekst_promocyjny", promotionalText) + ", " +
                      feature("Poprzednia_cena_jednostki_przeliczeniowej",
                              Labels::formatPrice(priceBeforePromotion.unitPrice)) +
                      ", " + feature("Nazwa_jednostki_przeliczeniowej", unitName);
    if (!features.empty()) features += ", ";
    features += text;
    if (Core::Debug::loggingEnabled())
        Core::Debug::logLine((boost::format("appendPromoFeature: featureString:\n\t%1%") % text).str(),
                             Core::SrcInfo{"Modules/Towary/Tools/prices/PromoFeatures", __LINE__, "appendPromoFeature"});
}

}  // namespace Towar
