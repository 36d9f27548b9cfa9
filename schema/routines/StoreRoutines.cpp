#include "Core/Database/Schema.h"
#include "schema/routines/StoreRoutines.h"

namespace DBKernel::Schema {

void registerRoutines(Routines& routines) {
    addNewRef(routines);
    addGetWolnyIndex(routines);
    addGetWolnePLUWagowe(routines);
    addGroupRights(routines);
    addGetWolnyNumerWKanale(routines);
    addMultipriceProducts(routines);
    addLastStnDate(routines);
}

}  // namespace DBKernel::Schema
