#include "Core/CashRegister/TransmissionModule.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/PolishText.h"

#include <algorithm>

namespace Core::CashRegister {
namespace {

void eraseAll(std::string& text, const std::string& part) {
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at)) text.erase(at, part.size());
}

}  // namespace

std::string transmissionModuleName() {
    const auto program = SingletonImplHolder::get<CSetup>().GetRootKey().GetKey("Parametry programu");
    if (std::none_of(program.begin(), program.end(), [](const Orvel::TKey& key) { return key.GetName() == "FrontOffice"; }))
        return {};
    const auto setting = program.GetSubKey({"FrontOffice", "Serwer Kasowy", "Moduł transmisji do kasy"});
    if (setting.GetRep().empty()) return {};
    std::string name = PolishText::toLower(setting.GetVal<std::string>());
    eraseAll(name, ".bpl");
    eraseAll(name, ".dll");
    return name;
}

}  // namespace Core::CashRegister
