#pragma once
// What the towary host prints about prices, for `towary price` and the demo.

#include <iosfwd>
#include <string>

namespace Towary::Host {

// The store's VAT rates, one a line under a header, tab-separated: code,
// name, rate in percent, fiscal letter, and whether products may have it.
void printVatRates(std::ostream& out);

// A fraction (a margin, a VAT rate) as the percentage a clerk types: 0.2003 is "20.03".
std::string percentText(double fraction);

}  // namespace Towary::Host
