#pragma once
// The host's action under the GUID of the XML-based cash-register
// communication module's "send the VAT configuration": invoked with an
// argument carrying a day (Core::IDateGetter), it writes the store's VAT
// rates with their fiscal letters of that day as an XML file into the tills'
// outbox (Core::Store::tillOutbox()), whole or not at all, where the store's
// transmission to the tills takes it. Its result (Core::IStatusGetter) names
// the file.

#include "Core/Token.h"

#include <filesystem>

namespace Towary::Host {

// Registers the action while the token lives.
Core::Token registerVatConfigurationSender();

// The file of a day's configuration: DIR/outbox/tills/stawki-vat-YYYY-MM-DD.xml.
std::filesystem::path vatConfigurationFile(int day);

}  // namespace Towary::Host
