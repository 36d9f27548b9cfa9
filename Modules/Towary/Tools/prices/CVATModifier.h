#pragma once
// Planned VAT rate changes (table zmianavat): the built-in plan of the rate
// change of 2011-01-01 and the carrying out of the changes due on a day,
// which rewrites each product's VAT code and short receipt name and tells
// the cash registers the new configuration.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

namespace Towar {

// The day the built-in plan takes effect (2011-01-01) and the evening before it.
inline constexpr int kVatChangeDay = 40544;
inline constexpr int kVatChangeEve = 40543;

// The action of the XML-based cash-register communication module that sends
// the VAT configuration of the day (a Core::IDateGetter argument) to the tills.
inline constexpr const char* kSendVatConfigurationGuid = "{B7FFCF3F-D78D-4CDF-A7D6-3D32FE4EBC14}";

class TOWARY_EXPORT CVATModifier {
public:
    explicit CVATModifier(TSessionHolder session);

    // Carries out the changes due on the day: for each product its latest
    // planned change up to the day, when still pending; marks every change up
    // to the day applied; returns the log text. Atomic: it runs in a
    // transaction (a savepoint inside the caller's) that a failure rolls back.
    std::string modify(int day);

private:
    TSessionHolder session_;
};

// Plans the built-in change for every product with one of the old codes;
// overwrite: the plans on or after the change day are deleted first, else
// products that have one are left alone. Atomic, as modify.
TOWARY_EXPORT void planVatRatesChange(TSessionHolder& session, bool overwrite);

}  // namespace Towar
