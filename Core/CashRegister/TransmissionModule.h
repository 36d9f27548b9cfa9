#pragma once
// The cash-register transmission module the store is configured with: the
// setting "Parametry programu / FrontOffice / Serwer Kasowy / Moduł
// transmisji do kasy", the name of the library that talks to the tills.

#include <string>

namespace Core::CashRegister {

// The module's name in lower case with every ".bpl" and ".dll" removed
// ("XmlBasedServerCommunication.bpl" gives "xmlbasedservercommunication");
// empty when "Parametry programu" has no key "FrontOffice" or the setting
// is missing. A setting of another type than text is refused, as every
// mistyped setting.
std::string transmissionModuleName();

// The name of the XML-based server communication module.
inline constexpr const char* kXmlBasedServerCommunication = "xmlbasedservercommunication";

}  // namespace Core::CashRegister
