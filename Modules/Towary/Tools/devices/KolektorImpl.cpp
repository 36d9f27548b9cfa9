#include "Modules/Towary/Tools/devices/KolektorImpl.h"

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/Kolektor/FileSet.h"
#include "Core/Plu/Plu.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/User/User.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/Digits.h"

#include <algorithm>
#include <vector>

namespace Etykiety {

CKolektorImpl::~CKolektorImpl() = default;

std::string CKolektorImpl::statement(const Core::Kolektor::TowarConditionOptions& options,
                                     const Towar::CSelectTowarRefGrupaIndex::result_type& selection,
                                     std::int64_t userRef) {
    std::string tables = "  towar t, plu p";
    if (options.stock) tables += ", stn s";

    std::string where;
    where += "  t.ltowarref = p.ltowarref\n";
    where += "  and t.dcenasprzed is not null \n";
    where += std::string("  and p.byStatus in (") + "1" + ", " + "2" + ")\n";
    where += "  and nvl(p.byBlokada, 0) = 0\n";
    if (options.days) where += "  and t.dLastSTNDate >= " + std::to_string(Core::DayNumber::today() - *options.days) + "\n";
    if (options.stock) {
        where += "  and s.lTowarRef = t.lTowarRef\n";
        where += "  and s.data = t.dLastSTNDate\n";
        where += "  and s.dStan > 0\n";
    }
    if (options.selection) where += "  and " + selection.sql("t.lTowarRef", "t.sGrIndex") + "\n";

    std::string text = "select\n  p.splu, t.dCenaSprzed\nfrom\n" + tables;
    if (options.rights) text += ", UzytkGroupRights ugr";
    text += "\nwhere\n" + where;
    if (options.rights) {
        const std::string user = std::to_string(userRef);
        text += "  and ugr.lUzytkRef = " + user + "\n" + "  and t.sGrIndex like (ugr.sGrIndex || '%')" + "\n";
        text += "union\nselect\n  p.splu, t.dCenaSprzed\nfrom\n" + tables + "\nwhere\n" + where +
                "  and not exists (" + "\n" + "    select sGrIndex from UzytkGroupRights where lUzytkRef = " + user +
                ")" + "\n";
    }
    return text;
}

void CKolektorImpl::write(boost::shared_ptr<Core::IVisualContext>, const Core::Kolektor::TowarConditionOptions& options,
                          const Towar::CSelectTowarRefGrupaIndex::result_type& selection) {
    DBKernel::Sql::TQry query(TSessionHolder::open(),
                              statement(options, selection, Core::User::instance().getUserRef()));
    query.Open();

    // At least nine digits: an id past them is kept whole, or two sets could share a name.
    Kolektor::FileSet set(Core::padLeft(std::to_string(DBKernel::GetRef()), 9) + "\\");
    auto& file = set.file("etykiety");
    bool written = false;
    std::vector<std::string> errors;
    std::vector<Core::CCheckBoxOption> dontShowAgain{{"Nie pokazuj więcej tego ostrzeżenia.", false, ""}};
    for (; !query.Eof(); query.Next()) {
        const std::string code = query.Fields(0).asString();
        try {
            const Plu::TPlu plu(code);
            const double price = std::clamp(query.Fields(1).asDouble(), 0.0, kHighestPrice);
            file.addRecord(plu.raw(), price);
            written = true;
        } catch (const Plu::EInvalidPlu& invalid) {
            const std::string message = std::string(invalid.what()) + " Kod " + code + " nie zostanie wysłany.";
            if (!dontShowAgain[0].checked) Core::TMultiOptionsMsgBox(message, dontShowAgain);
            errors.push_back(message);
        }
    }
    if (written) set.finish();
    if (!errors.empty()) {
        Core::TBaseTextViewerArgs viewer;
        viewer.title = "Lista błędów:";
        viewer.description = "Wystąpiły się następujące błędy:";
        viewer.identifier = ".miSklepMagazyn.miEtykiety";
        for (const auto& error : errors) viewer.text += error + "\n";
        Core::TBaseTextViewer(viewer);
    }
}

}  // namespace Etykiety

void registerEtykietyKolImplObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/KolektorImpl", __LINE__,
                               "registerEtykietyKolImplObjects"};
    registrations.add(Core::SingletonImplHolder::holder(typeid(Etykiety::CKolektorImpl))
                          .regDefImpl(Core::SingletonCreator::of<Etykiety::CKolektorImpl>()),
                      source);
}
