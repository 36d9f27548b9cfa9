#pragma once
// Towary::ProductTools::BaseProductToolsChecker: whether a store may add
// something locally that headquarters lock with one bool setup key, the lock
// key, relaxed for the product groups, products and assortment lists listed
// under it ("Grupy towarowe - wyjątki", "Indeksy towarów - wyjątki",
// "Listy asortymentowe - wyjątki"). Every key is read at every call; an empty
// or mistyped one throws the setup-key error naming it.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Export.h"
#include "Core/Setup/Key.h"

#include <string>
#include <vector>

namespace Towary::ProductTools {

class TOWARY_EXPORT BaseProductToolsChecker {
public:
    explicit BaseProductToolsChecker(Orvel::TKey lockKey);
    virtual ~BaseProductToolsChecker();

    // The lock key is false.
    bool itemAddingEnabled() const;
    // The lock key is false, or the product is in an exception list: its group
    // index begins with a listed group, its article index is listed, or it
    // belongs to a listed assortment list valid today.
    bool itemAdding(TTowar* product) const;
    // Some token of the list begins the group index.
    bool isGroupExcluded(const std::string& list, const std::string& groupIndex) const;
    // Some token of the list equals the item.
    bool isItemExcluded(const std::string& list, const std::string& item) const;
    void changeLockKey(Orvel::TKey lockKey);

protected:
    // The tokens of an exception list: separated by ';', ',' or a line break, empty ones dropped.
    std::vector<std::string> tokens(const std::string& list) const;

private:
    bool inExcludedAssortment(const std::string& list, const TTowar& product) const;

    const char* separators_ = ";,\n";
    Orvel::TKey lockKey_;
};

}  // namespace Towary::ProductTools
