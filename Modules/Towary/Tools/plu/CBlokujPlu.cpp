#include "Modules/Towary/Tools/plu/CBlokujPlu.h"

#include "Core/Database/Sql.h"
#include "Core/Plu/Plu.h"

namespace Plu {
namespace {

unsigned char lock(const std::string& plu, TSessionHolder& session, int& pluRef) {
    try {
        DBKernel::Sql::OpenedQuery row(
            "select lpluref from plu where " + std::string("sPLU = '") + TPlu(plu).raw() + "'" + " for update nowait",
            session);
        if (row.empty()) return CBlokujPlu::kNoCode;
        pluRef = row["lpluref"].asInt();
        return CBlokujPlu::kLocked;
    } catch (const std::exception&) {
        return CBlokujPlu::kFailed;
    }
}

}  // namespace

unsigned char CBlokujPlu::operator()(const std::string& plu, TSessionHolder& session, int& pluRef) const {
    try {
        const bool opened = !session.InTransaction();
        const unsigned char result = lock(plu, session, pluRef);
        // The lock statement opens a transaction to hold the lock in; when no
        // lock is held, one it opened would keep the store locked for nothing.
        // A transaction the caller had is the caller's to end.
        if (result != kLocked && opened && session.InTransaction()) session.Rollback();
        return result;
    } catch (const std::exception&) {
        return kFailed;
    }
}

}  // namespace Plu
