// The store's PLU rules at work: the canonical form of a few typed codes,
// then codes of the sample products spoilt as hands type them, repaired by
// the evening PLU step and checked again.

#include <ostream>
#include <sstream>

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Plu/Plu.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/evening/EveningRun.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "Modules/Towary/Tools/plu/PluSearch.h"

namespace Towary::Host::Demo {
namespace {

// The demo day: 2011-01-01.
constexpr int kDemoDay = 40544;

}  // namespace

void plu(std::ostream& out) {
    const auto config = Plu::pluConfig();
    for (const char* text : {"036000291452", "0017", "2800017000005", "280001700000"}) {
        const Plu::TPlu code(text, config);
        out << "towary plu canonical \"" << text << "\": " << code.raw() << " (typ "
            << static_cast<char>(code.type()) << ")\n";
    }

    TSessionHolder session;
    for (const auto& [good, spoilt] : {std::pair{"1001", "01001"}, std::pair{"5901234123471", " 5901234123471"},
                                       std::pair{"2100001000004", "2100001000005"}}) {
        DBKernel::Sql::Command spoil("update plu set sPLU = '" + std::string(spoilt) + "' where sPLU = '" + good + "'",
                                     session);
        spoil.execute();
        out << "kod " << good << " zapisany jako \"" << spoilt << "\"\n";
    }

    std::ostringstream log;
    EveningRun(kDemoDay, log).run({PLU::kCheckPluActionGuid});
    out << "towary evening (krok " << PLU::kCheckPluActionGuid << "), dziennik:\n" << log.str();

    const auto after = PLU::checkPlu(session);
    out << "Ponowne sprawdzenie: do usunięcia " << after.toDelete.size() << ", do poprawienia "
        << after.toCorrect.size() << ", konflikty " << after.conflicts.size() << '\n';
}

}  // namespace Towary::Host::Demo
