#pragma once
// Orvel::Products::PluDiscountDao: stores special prices in the table
// PluDiscount, one row per code: saving a code's price again replaces it,
// recording the current user (Core::User) and the time. The host registers
// it with the data-access factory as "PluDiscount" (registerPluDiscountDao).

#include "Core/Dao/DaoFactory.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Products/PluDiscount.h"

namespace Orvel::Products {

class TOWARY_EXPORT PluDiscountDao : public Orvel::Dao::IDao {
public:
    static constexpr const char* kName = "PluDiscount";

    ~PluDiscountDao() override;

    // Throws std::invalid_argument for a price without a code id or a price
    // that is not positive; database errors pass through.
    virtual void save(const PluDiscount& discount, TSessionHolder session);
};

// Registers PluDiscountDao as "PluDiscount" while the token lives.
TOWARY_EXPORT Core::Token registerPluDiscountDao();

}  // namespace Orvel::Products
