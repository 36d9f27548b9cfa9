#pragma once
// VAT changes planned from a list of PKWiU classification codes: each line
// of the list holds, separated by tabs, a code prefix to include, the name
// of the target VAT rate and any code prefixes to exclude. Every product
// whose PKWiU code (without a hyphen) matches gets a change to that rate on
// 2011-01-01, replacing its plans on or after that day; of several lines
// that match a product the last wins.

#include "Core/Database/TSessionHolder.h"

#include <istream>
#include <ostream>

namespace Towar {

// Plans the changes of the list read from `in` in the caller's session and
// returns the number of changes planned. Reading stops at the first empty
// line or the end; a UTF-8 byte order mark before the first line is
// skipped. A line that cannot be used (fewer than two fields, an unknown
// rate name, a text in UTF-16 or no UTF-8, a Windows line end, a control
// character other than a tab, a prefix holding a LIKE wildcard) throws
// std::runtime_error "Błąd podczas odczytu linii: N" and the reason on the
// next line; what earlier lines wrote is the caller's to roll back. With a
// summary stream, each line's prefixes, rate and number of changes are
// written to it once the whole list is read.
int planVatChangesFromPkwiuList(std::istream& in, TSessionHolder session, std::ostream* summary = nullptr);

}  // namespace Towar
