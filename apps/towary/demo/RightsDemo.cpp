// A user limited to parts of the product hierarchy: two departments of the
// sample store with one of their sectors denied, the condition the product
// browsers add for him, and what `towary find` returns for him and for the
// administrator.

#include <ostream>
#include <stdexcept>
#include <string>

#include "Core/Database/Sql.h"
#include "Core/User/User.h"
#include "Modules/Towary/Tools/rights/GroupRightsSql.h"
#include "Modules/Towary/Tools/rights/Streams.h"
#include "apps/towary/demo/Demo.h"
#include "apps/towary/products/ProductFind.h"

namespace Towary::Host::Demo {
namespace {

constexpr int kManager = 2;

// Runs the host as another user while it lives.
class AsUser {
public:
    explicit AsUser(long long userRef) : previous_(Core::User::instance().getUserRef()) {
        Core::User::instance().setUserRef(userRef);
    }
    ~AsUser() { Core::User::instance().setUserRef(previous_); }
    AsUser(const AsUser&) = delete;
    AsUser& operator=(const AsUser&) = delete;

private:
    long long previous_;
};

}  // namespace

void rights(std::ostream& out) {
    using GroupRights::Rights;
    TSessionHolder session;
    {
        DBKernel::TransactionGuard guard(session);
        DBKernel::Sql::Command user("insert into uzytkownik (luzytkref, snazwa) values (:id, 'Kierownik działu')",
                                    session);
        user.Params["id"] = kManager;
        user.execute();
        GroupRights::Container edited;
        edited.setRights("01", Rights::fromText("YOYONOYONONONO"));
        edited.setRights("03", Rights::fromText("YOYONOYONONONO"));
        edited.setRights("0302", Rights::fromText("NONONONONONONO"));
        GroupRights::OutputStream(GroupRights::OutputStream::Uzytk, kManager, session).containerToStream(edited);
        guard.commit();
    }
    GroupRights::Container stored;
    GroupRights::InputStream(kManager, session).containerFromStream(stored);
    out << "Użytkownik " << kManager << " (kierownik działu) ma wpisy (przeglądanie, dodawanie i modyfikacja "
        << "towarów w 01 i 03, nic w sektorze 0302):\n";
    for (const auto& [index, entry] : stored) out << "  " << index << "  " << entry.current.text() << '\n';
    out << "Warunek, który przeglądarka towarów dodaje dla niego:\n  "
        << GroupRights::Sql::getGroupRightsWhereCondition(stored, "t.sgrindex") << '\n';

    for (const std::string typed : {"*ieczywo", "chleb"}) {
        for (const int user : {1, kManager}) {
            out << "\ntowary --user " << user << " find " << typed << '\n';
            const AsUser as(user);
            try {
                const auto count = Products::findProducts(out, typed, session);
                out << "Znaleziono: " << count << ".\n";
            } catch (const std::runtime_error& refused) {
                out << refused.what() << '\n';
            }
        }
    }
}

}  // namespace Towary::Host::Demo
