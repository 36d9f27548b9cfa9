// Headquarters lock adding automatic discounts and relax the lock for a
// group, an article index and two assortment lists, one of which ended
// yesterday; the module answers product by product, reading the settings as
// they are at each question.

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/conditions/ConditionsEditionChecker.h"
#include "Modules/Towary/Tools/conditions/DiscountEditionChecker.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host::Demo {
namespace {

const std::vector<std::string> kLock = {"Parametry programu", "Towary", "Przeceny", "Przeceny automatyczne",
                                        "Blokada dodawania przecen"};

void setLockSetting(const std::string& name, const Orvel::TValue& value) {
    auto path = kLock;
    if (!name.empty()) path.push_back(name);
    Core::Setup::writeSetting(Core::Store::settingsFile(), path, value);
}

// An assortment list of the GUID, valid between the days, holding the product of the article index.
void addAssortment(const std::string& guid, const std::string& name, int from, int to, const std::string& article,
                   TSessionHolder session) {
    const auto list = DBKernel::RefPool::instance().getRef(session);
    DBKernel::Sql::Command insert("insert into Asort (lAsortRef, guid, sNazwa, dataOd, dataDo)"
                                  " values (:ref, :guid, :name, :dataOd, :dataDo)",
                                  session);
    insert.Params["ref"] = list;
    insert.Params["guid"] = guid;
    insert.Params["name"] = name;
    insert.Params["dataOd"] = from;
    insert.Params["dataDo"] = to;
    insert.execute();
    DBKernel::Sql::Command position("insert into AsortPos (lAsortPosRef, lAsortRef, lTowarRef)"
                                    " select :ref, :list, lTowarRef from towar where sArtIndex = :article",
                                    session);
    position.Params["ref"] = DBKernel::RefPool::instance().getRef(session);
    position.Params["list"] = list;
    position.Params["article"] = article;
    position.execute();
}

}  // namespace

void editionRules(std::ostream& out) {
    TSessionHolder session;
    const int today = Core::DayNumber::today();
    addAssortment("{5A1E0001-LATO}", "Lato", today - 10, today + 20, "000103", session);
    addAssortment("{5A1E0002-WIOSNA}", "Wiosna", today - 60, today - 1, "000101", session);
    out << "Lista asortymentowa Lato (" << Core::DayNumber::toText(today - 10) << " - "
        << Core::DayNumber::toText(today + 20) << ") ma Goudę 000103; lista Wiosna skończyła się wczoraj ("
        << Core::DayNumber::toText(today - 1) << ") i ma mleko 000101.\n";

    // The bread's group is the one the multi-price step left it in.
    const std::string breadGroup = (*Towar::getTTowarByIndex("000105", session))[0]->GetGrIndex();
    setLockSetting("", true);
    setLockSetting("Grupy towarowe - wyjątki", breadGroup);
    setLockSetting("Indeksy towarów - wyjątki", std::string("000102"));
    setLockSetting("Listy asortymentowe - wyjątki", std::string("{5A1E0001-LATO}\n{5A1E0002-WIOSNA}"));
    out << "Centrala blokuje dodawanie przecen automatycznych; wyjątki: grupa " << breadGroup
        << ", indeks 000102,\nlisty asortymentowe Lato i Wiosna.\n";

    ProductTools::DiscountEditionChecker discounts(AutomaticDiscounts::Automatic);
    out << "Przeceny automatyczne bez wskazania towaru: "
        << (discounts.discountAdding(AutomaticDiscounts::Automatic) ? "dozwolone" : "zablokowane") << '\n';
    const std::vector<std::pair<std::string, std::string>> products = {
        {"000101", "lista Wiosna już nie obowiązuje"},
        {"000102", "indeks na liście wyjątków"},
        {"000103", "na liście Lato, ważnej dzisiaj"},
        {"000105", "jego grupa na liście wyjątków"},
    };
    for (const auto& [article, why] : products) {
        const auto product = Towar::getTTowarByIndex(article, session);
        const bool allowed = discounts.discountAdding(AutomaticDiscounts::Automatic, (*product)[0].get());
        out << "  " << article << " " << (*product)[0]->GetNazwa() << ": " << (allowed ? "można" : "nie można")
            << " dodać przeceny (" << why << ")\n";
    }
    setLockSetting("Indeksy towarów - wyjątki", std::string("000102\n000101"));
    const auto milk = Towar::getTTowarByIndex("000101", session);
    out << "Po dopisaniu 000101 do wyjątków, przy następnym pytaniu, bez ponownego uruchamiania: "
        << (discounts.discountAdding(AutomaticDiscounts::Automatic, (*milk)[0].get()) ? "można" : "nie można")
        << " dodać przeceny mleka 000101.\n";

    ProductTools::ConditionsEditionChecker conditions;
    const unsigned int start = static_cast<unsigned int>(today);
    out << "Nowy warunek sprzedaży od dzisiaj trwa domyślnie "
        << conditions.getDefaultConditionDurationDays(ProductTools::Sale).value_or(0)
        << " dni; najpóźniejszy koniec warunku: " << Core::DayNumber::toText(conditions.getMaxSaleAndPurchaseEndDate(start))
        << ".\n"
        << "Zobacz też: towary rules list KATALOG.\n";
}

}  // namespace Towary::Host::Demo
