#pragma once
// Towar::CommissionGroup: a commission group of the assortment, a row of the
// store's table CommissionGroup: its number, name, the commission's value and
// the day it applies from. Companies that receive the commission are its
// recipients (table CommissionGroupRecipient).

#include <string>

namespace Towar {

struct CommissionGroup {
    int id = 0;
    int commissionNumber = 0;
    std::string name;
    double commissionValue = 0.0;
    int dateFrom = 0;  // a day number
};

}  // namespace Towar
