#pragma once
// Orvel::Products::StatusChange: a planned change of a product's activity
// status, a row of the store's table StatusChange, with the product's article
// index and name beside it as the planning window shows them. A product has
// at most one change a day; once the evening run applied a change it stays
// as it is.

#include <string>

namespace Orvel::Products {

struct StatusChange {
    int id = 0;  // 0 until the change is stored
    int productId = 0;
    std::string productIndex;
    std::string productName;
    int status = 0;
    int changeDate = 0;  // a day number
    bool applied = false;
    double modifiedAt = 0.0;  // czasMod, a day number with the time of day; 0 until stored
    bool edited = false;      // added or changed since it was read: the next save writes it
};

}  // namespace Orvel::Products
