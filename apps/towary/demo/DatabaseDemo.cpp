// The store database through the host's layer, in the module's SQL dialect.

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>

namespace Towary::Host::Demo {

void database(std::ostream& out) {
    TSessionHolder session;
    DBKernel::Sql::OpenedQuery now("select floor(borlandsysdate) dzien, decode(1, 1, 'tak', 'nie') dekod from dual",
                                   session);
    out << "Dzisiejszy dzień (liczba dni od 1899-12-30): " << now["dzien"].asInt64() << '\n';
    out << "decode(1, 1, 'tak', 'nie') = " << now["dekod"].asString() << '\n';
    DBKernel::Sql::OpenedQuery count("select count(*) ile from towar", session);
    out << "Towarów w sklepie: " << count["ile"].asInt64() << '\n';
}

}  // namespace Towary::Host::Demo
