#pragma once
// ReturnReasons::ReturnReasonDao: the return reasons' storage (table
// ReturnReason), as the data-access factory gives it under "ReturnReason";
// the host registers it with registerReturnReasonDao.

#include "Core/Dao/DaoFactory.h"
#include "Core/Dao/Parameters.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/ReturnReasons/ReturnReason.h"

#include <vector>

namespace ReturnReasons {

class TOWARY_EXPORT ReturnReasonDao : public Orvel::Dao::IDao {
public:
    static constexpr const char* kName = "ReturnReason";

    ~ReturnReasonDao() override;

    // Every reason, the deleted ones included, in the order of their ids.
    // With "lockForUpdate" set the rows stay locked until the session's
    // transaction ends; std::logic_error when the session is in none, as the
    // lock would end with the statement.
    virtual std::vector<ReturnReason> load(TSessionHolder session, const Orvel::Dao::Parameters& parameters) const;

    // Writes the reasons in one piece: a reason without an id is added and
    // gets its id, the others are written over their rows. The rules of the
    // list are the caller's; the table refuses a text longer than 64
    // characters or a shortcut that is not up to three capitals A-Z.
    virtual void save(std::vector<ReturnReason>& reasons, TSessionHolder session) const;
};

// Registers ReturnReasonDao as "ReturnReason" while the token lives.
TOWARY_EXPORT Core::Token registerReturnReasonDao();

}  // namespace ReturnReasons
