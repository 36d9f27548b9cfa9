#pragma once
// The selected products' codes sent to the front office's cash-register
// program, one record a code (Core/CashRegister/Record.h). Two actions run
// the routine: "PLU0" reports the count to the form that asked, "PLU1"
// (bring the till's program to the front) reports nothing.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Export.h"
#include "Core/registration/Registrations.h"

#include <optional>
#include <string>

namespace Towar {

inline constexpr const char* kDefaultSendPluActionGuid = "{4B98BCEC-9DBE-46B1-A372-128E4EB8449F}";
inline constexpr const char* kSendPluBringCashRegisterToFrontActionGuid = "{03226001-7BB8-4C4A-88D2-FDDBB1040211}";

// The statement that picks one code of each product of the collection (of every product when it is empty).
TOWARY_EXPORT std::string sendPluStatement(const TTowarCollection& products);

// Sends a record tagged `tag` for each code the statement finds; the number
// of records sent, or std::nullopt when the statement found no product (the
// channel is then not opened, nor when it found no code). Throws
// std::runtime_error, in Polish, when the till did not take every record
// (Core/CashRegister/Channel.h).
TOWARY_EXPORT std::optional<int> sendPlu(const TTowarCollection& products, const std::string& tag);

}  // namespace Towar

TOWARY_EXPORT void registerSendProductToCashRegisterObjects(Core::Registrations& registrations);
