#pragma once
// What the collector screen asks of the products whose labels it sends.

#include <optional>

namespace Core::Kolektor {

struct TowarConditionOptions {
    bool stock = false;         // only products with stock on their last stock day
    std::optional<int> days;    // only products whose last stock day lies within this many days
    bool rights = false;        // only products of the groups the user holds rights rows for
    bool selection = false;     // only the selected products and groups
};

}  // namespace Core::Kolektor
