#include "Core/Database/RefPool.h"
#include "schema/routines/StoreRoutines.h"

namespace DBKernel::Schema {

void addNewRef(Routines& routines) {
    routines.addFunction("newref", 0, [](TSessionHolder& session, std::span<const Value>) -> Value {
        return RefPool::instance().getRef(session);
    });
}

}  // namespace DBKernel::Schema
