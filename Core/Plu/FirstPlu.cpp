#include "Core/Plu/FirstPlu.h"

std::string getFirstPLUStatement(const std::string& productColumn, bool withBlocked) {
    return "(select min(k.sPLU) from plu k where k.lTowarRef = " + productColumn + " and k.byStatus in (1, 2)" +
           (withBlocked ? "" : " and nvl(k.byBlokada, 0) = 0") + ")";
}
