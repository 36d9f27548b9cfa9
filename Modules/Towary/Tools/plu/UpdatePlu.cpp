#include "Modules/Towary/Tools/plu/UpdatePlu.h"

#include "Core/BaseDBObjects/TPLU.h"

#include <exception>

namespace PLU {

using namespace PluStatus;

UpdatePlu::UpdatePlu(const std::string& statement, TSessionHolder session)
    : session_(std::move(session)), command_(statement, session_) {}

UpdatePlu::~UpdatePlu() = default;

void UpdatePlu::apply(const PluInfoList& codes) {
    for (const auto& code : codes) {
        try {
            DBKernel::TransactionGuard guard(session_);
            execute(code);
            guard.commit();
        } catch (const std::exception&) {
            failed_.push_back(code);
        }
    }
}

DeletePlu::DeletePlu(TSessionHolder session)
    : UpdatePlu("update plu p set  p.bystatus = " + std::to_string(kDeleted) + " where p.splu = :QPLU",
                std::move(session)) {}

void DeletePlu::execute(PluInfoPtr info) {
    command_.Params["QPLU"] = info->plu;
    command_.execute();
}

RepairPlu::RepairPlu(TSessionHolder session)
    : UpdatePlu(" update plu p set   p.splu = :PLU , p.bystatus = :STATUS , p.ltowarref = :PID where p.splu = :QPLU",
                std::move(session)) {}

void RepairPlu::run(const std::string& plu, int status, unsigned int productId, const std::string& where) {
    command_.Params["PLU"] = plu;
    command_.Params["STATUS"] = static_cast<std::int64_t>(status);
    command_.Params["PID"] = static_cast<std::int64_t>(productId);
    command_.Params["QPLU"] = where;
    command_.execute();
}

void RepairPlu::execute(PluInfoPtr info) {
    const std::string& corrected = *info->corrected;
    DBKernel::Sql::OpenedQuery notLive("select 1 from plu p where" + std::string(" p.splu = '") + corrected + "'" +
                                           " and p.bystatus not in (" + std::to_string(kLiveSecondary) + ", " +
                                           std::to_string(kLive) + ")",
                                       session_);
    if (notLive.empty()) {
        run(corrected, kLive, info->productId, info->plu);
        return;
    }
    run(corrected, kLive, info->productId, corrected);
    run(info->plu, kDeleted, info->productId, info->plu);
}

}  // namespace PLU
