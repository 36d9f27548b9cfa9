#pragma once
// PLU::CPLUSpecjalneDatabaseAdapter: stores a special-price code: its code
// row (plu), its special price (through the data-access object registered as
// "PluDiscount"), the number of its labels to print (SpecCenDruk) and an
// entry of the change history. saveSpecialPrice() does all of it at once,
// atomically, in the context's session. Database errors pass through.

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/Products/PluDiscount.h"

#include <boost/shared_ptr.hpp>

#include <optional>
#include <string>

namespace PLU {

struct SaveSpecialPriceContext {
    TSessionHolder session;
    boost::shared_ptr<TPLU> plu;  // the special code's row
    bool pluStored = false;       // the code row is in the database already
    boost::shared_ptr<Orvel::Products::PluDiscount> discount;  // its product is the history entry's
    int labels = 0;  // labels to print
};

class TOWARY_EXPORT CPLUSpecjalneDatabaseAdapter {
public:
    // The id of the row carrying the code text, of any status.
    std::optional<unsigned int> getPluId(const std::string& plu, TSessionHolder session) const;
    // Inserts the code row with a new id, or updates the row of its text; returns the id.
    unsigned int savePluRecord(boost::shared_ptr<TPLU> plu, TSessionHolder session) const;
    void savePluDiscount(boost::shared_ptr<Orvel::Products::PluDiscount> discount, TSessionHolder session) const;
    // Sets the number of labels to print for the code, by the current user.
    // Throws std::invalid_argument for a negative count.
    void saveSpecCenDruk(unsigned int pluId, int count, TSessionHolder session) const;
    // Throws std::runtime_error when the context says the code row is stored and it is not.
    void saveSpecialPrice(SaveSpecialPriceContext context) const;
};

}  // namespace PLU
