#pragma once
// The return reasons handed to the cash registers: the action the tills'
// communication registers under kSendReturnReasonsGuid writes the reasons
// the store has saved (the deleted ones left out) as an XML file into the
// store's outbox for the tills, whole or not at all, and answers a
// Core::CStatus. The host registers it with registerSendReturnReasonsToTills.
//
// The file (docs/host-behaviours.md), one line without a declaration, UTF-8:
//   <ReturnReasons><ReturnReason><Id>7</Id><Text>Uszkodzony</Text><Shortcut>USZ</Shortcut></ReturnReason>...</ReturnReasons>

#include "Core/Export.h"
#include "Core/ReturnReasons/ReturnReason.h"
#include "Core/Token.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace ReturnReasons {

inline constexpr const char* kSendReturnReasonsGuid = "{25204217-C108-4FD7-A241-50AC1A2B901A}";

// DIR/outbox/tills/ReturnReasons.xml: each sending replaces the whole list.
TOWARY_EXPORT std::filesystem::path tillFile();

// The reasons not marked deleted, in the file's format.
TOWARY_EXPORT void writeTillXml(const std::vector<ReturnReason>& reasons, std::ostream& out);

// Registers the sending action while the token lives.
TOWARY_EXPORT Core::Token registerSendReturnReasonsToTills();

}  // namespace ReturnReasons
