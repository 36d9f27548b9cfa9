#include "Core/ReturnReasons/ReturnReasonDao.h"

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"

#include <stdexcept>
#include <string>

namespace ReturnReasons {

ReturnReasonDao::~ReturnReasonDao() = default;

std::vector<ReturnReason> ReturnReasonDao::load(TSessionHolder session,
                                                const Orvel::Dao::Parameters& parameters) const {
    const bool lock = parameters.isSet("lockForUpdate");
    if (lock && !session.InTransaction())
        throw std::logic_error("Powody zwrotów blokuje się tylko w transakcji sesji.");
    std::string text = "select ReturnReasonId, ReturnReason, Shortcut, Deleted from ReturnReason order by ReturnReasonId";
    if (lock) text += " for update";
    DBKernel::Sql::OpenedQuery rows(text, session);
    std::vector<ReturnReason> reasons;
    while (rows.next())
        reasons.push_back({rows["ReturnReasonId"].asInt(), rows["ReturnReason"].asString(), rows["Shortcut"].asString(),
                           rows["Deleted"].asInt() != 0});
    return reasons;
}

void ReturnReasonDao::save(std::vector<ReturnReason>& reasons, TSessionHolder session) const {
    DBKernel::TransactionGuard transaction(session);
    DBKernel::Sql::Command insert(
        "insert into ReturnReason (ReturnReasonId, ReturnReason, Shortcut, Deleted)"
        " values (:id, :text, :shortcut, :deleted)",
        session);
    DBKernel::Sql::Command update(
        "update ReturnReason set ReturnReason = :text, Shortcut = :shortcut, Deleted = :deleted"
        " where ReturnReasonId = :id",
        session);
    std::vector<int> newIds;
    for (const auto& reason : reasons) {
        auto& command = reason.id == 0 ? insert : update;
        const int id = reason.id == 0 ? static_cast<int>(DBKernel::RefPool::instance().getRef(session)) : reason.id;
        command.Params["id"] = id;
        command.Params["text"] = reason.text;
        command.Params["shortcut"] = reason.shortcut;  // the empty text is stored as NULL
        command.Params["deleted"] = reason.deleted ? 1 : 0;
        if (command.execute() != 1)
            throw std::runtime_error("Powodu zwrotu o identyfikatorze " + std::to_string(id) +
                                     " nie ma już w sklepie; wczytaj listę ponownie.");
        newIds.push_back(id);
    }
    transaction.commit();
    // Only a list saved whole learns its new ids.
    for (std::size_t i = 0; i < reasons.size(); ++i) reasons[i].id = newIds[i];
}

Core::Token registerReturnReasonDao() {
    return Orvel::Dao::DaoFactory::instance().registerDao(ReturnReasonDao::kName,
                                                          [] { return std::make_shared<ReturnReasonDao>(); });
}

}  // namespace ReturnReasons
