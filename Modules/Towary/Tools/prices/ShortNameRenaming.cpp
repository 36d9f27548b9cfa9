#include "Modules/Towary/Tools/prices/ShortNameRenaming.h"

#include "Core/Database/Query.h"
#include "Core/Properties/PropertiesSession.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/Utf8.h"

#include <boost/format.hpp>

#include <algorithm>
#include <string_view>
#include <vector>

namespace Towar {
namespace {

constexpr const char* kRenamedProperty = "{F993894E-DC31-404D-8B2D-49A12F6A8B93}";
constexpr std::size_t kPosition = 16;

}  // namespace

std::string renamedShortName(const std::string& shortName) {
    auto characters = Core::Utf8::characters(shortName);
    if (characters.size() <= kPosition) return shortName;
    const auto space = std::find(characters.begin() + kPosition, characters.end(), " ");
    if (space != characters.end())
        *space = "_";
    else
        characters[kPosition] = characters[kPosition] == "_" ? " " : "_";
    std::string text;
    for (const auto character : characters) text += character;
    return text;
}

bool networkRenamesShortNames() {
    const auto network = Core::SingletonImplHolder::get<Core::CSetup>()
                             .GetRootKey()
                             .GetSubKey({"Inne", "Nazwa sieci"})
                             .GetVal<std::string>();
    return network == "KVR" || network == "DRUMA";
}

std::string renameShortNames(TSessionHolder session) {
    Core::PropertiesSession properties(session);
    properties.lock(kRenamedProperty);
    if (properties.get(kRenamedProperty) == "tak") return "Zmiana nazw towarów została już wykonana wcześniej.";
    DBKernel::Sql::OpenedQuery products(
        (boost::format("select skrnazwa, ltowarref from towar t where t.bycode = %1%") % 6).str(), session);
    DBKernel::Sql::Command update("update towar set skrnazwa = :shortName where ltowarref = :id", session);
    while (products.next()) {
        const auto shortName = products["skrnazwa"].asString();
        const auto renamed = renamedShortName(shortName);
        // A name too short to rename is left as it is.
        if (renamed == shortName) continue;
        update.Params["shortName"] = renamed;
        update.Params["id"] = products["ltowarref"].asInt64();
        update.execute();
    }
    properties.set(kRenamedProperty, "tak");
    return "Wykonano zmianę nazw towarów.";
}

}  // namespace Towar
