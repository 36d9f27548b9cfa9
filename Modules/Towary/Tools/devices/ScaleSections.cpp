#include "Modules/Towary/Tools/devices/ScaleSections.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <string>

namespace Towar {

std::vector<ScaleSectionItem> getScaleSections() {
    const auto sections = Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry sklepu", "Towary", "Sekcje wagowe"});
    std::vector<ScaleSectionItem> items;
    for (int section = kFirstScaleSection; section <= kLastScaleSection; ++section)
        items.push_back({false, section, sections.GetKey("Kanał " + std::to_string(section)).GetVal<std::string>()});
    return items;
}

std::vector<ScaleSectionItem> getScaleSectionsWithNone() {
    auto items = getScaleSections();
    items.insert(items.begin(), ScaleSectionItem{true, 0, kNoScaleSection});
    return items;
}

}  // namespace Towar
