#include "Modules/Towary/Tools/plu/CBlokujPlu.h"

#include "Core/Database/Sql.h"
#include "Core/Plu/Plu.h"

namespace Plu {

unsigned char CBlokujPlu::operator()(const std::string& plu, TSessionHolder& session, int& pluRef) const {
    try {
        DBKernel::Sql::OpenedQuery lock(
            "select lpluref from plu where " + std::string("sPLU = '") + TPlu(plu).raw() + "'" + " for update nowait",
            session);
        if (lock.empty()) return kNoCode;
        pluRef = lock["lpluref"].asInt();
        return kLocked;
    } catch (const std::exception&) {
        return kFailed;
    }
}

}  // namespace Plu
