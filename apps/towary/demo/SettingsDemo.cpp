// Reading the store's settings the way the module does: typed lookups by path.

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>

namespace Towary::Host::Demo {

void settings(std::ostream& out) {
    const auto indexes = Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey({"Parametry programu", "Towary", "Indeksy"});
    out << "Długości poziomów indeksu grupy:";
    for (const char* level : {"Departament", "Sektor", "Sekcja", "Rodzina", "Podrodzina"})
        out << ' ' << level << '=' << indexes.GetKey(level).GetVal<int>();
    out << '\n';
    try {
        indexes.GetKey("Departament").GetVal<std::string>();
    } catch (const std::logic_error& e) {
        out << "Odczyt klucza innego typu kończy się błędem:\n" << e.what() << '\n';
    }
}

}  // namespace Towary::Host::Demo
