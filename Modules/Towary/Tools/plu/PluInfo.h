#pragma once
// The findings of the PLU check: live code rows whose text is not in the
// canonical form the store's PLU rules give it, sorted into codes to delete,
// codes to correct, conflicts that need a person, and texts that are no code
// at all (reported, never changed).

#include "Core/Export.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace PLU {

// One live code row and the product it belongs to.
struct PluInfo {
    unsigned int pluRef = 0;
    unsigned int productId = 0;
    std::string plu;  // the stored text
    std::string productName;
    std::string productIndex;
    std::optional<std::string> corrected;  // the canonical text, when it differs from the stored one
};

using PluInfoPtr = std::shared_ptr<PluInfo>;
using PluInfoList = std::vector<PluInfoPtr>;
using PluInfoListPtr = std::shared_ptr<PluInfoList>;
// Canonical text to the rows that share it; iteration order is not defined.
using PluInfoMap = std::unordered_map<std::string, PluInfoListPtr>;

// A row whose text the PLU rules refuse, and their reason.
struct NotAPlu {
    PluInfoPtr info;
    std::string reason;
};

struct TOWARY_EXPORT PluCheckResult {
    PluInfoList toDelete;
    PluInfoList toCorrect;
    PluInfoMap conflicts{11};
    std::vector<NotAPlu> notCodes;

    // Nothing to delete, correct or resolve by hand.
    bool nothingToDo() const { return toDelete.empty() && toCorrect.empty() && conflicts.empty(); }
};

}  // namespace PLU
