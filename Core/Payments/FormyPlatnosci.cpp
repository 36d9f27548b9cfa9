#include "Core/Payments/FormyPlatnosci.h"

#include "Core/Database/Query.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace Platnosci {

FormaPlatnosci::FormaPlatnosci(long long id, std::string name, std::string shortName, bool final, bool native)
    : id_(id), name_(std::move(name)), shortName_(std::move(shortName)), final_(final), native_(native) {}

FormyPlatnosci::FormyPlatnosci() : FormyPlatnosci(TSessionHolder()) {}

FormyPlatnosci::FormyPlatnosci(TSessionHolder session) {
    DBKernel::Sql::OpenedQuery query(
        "select lPlatnoscRef, sNazwa, sSkrot, bKoncowa, bKrajowa from formaplatnosci order by lPlatnoscRef", session);
    while (query.next()) {
        forms_.emplace_back(query["lPlatnoscRef"].asInt64(), query["sNazwa"].asString(), query["sSkrot"].asString(),
                            query["bKoncowa"].asInt() != 0, query["bKrajowa"].asInt() != 0);
    }
    if (forms_.empty())
        throw DBKernel::StoreDatabase::emptyList(session.session().location(), "formaplatnosci", "form płatności");
}

std::vector<FormaPlatnosci> FormyPlatnosci::WszystkieKoncowe() const {
    std::vector<FormaPlatnosci> finals;
    std::copy_if(forms_.begin(), forms_.end(), std::back_inserter(finals),
                 [](const FormaPlatnosci& form) { return form.final(); });
    return finals;
}

const FormaPlatnosci& FormyPlatnosci::krajowa() const {
    const auto form = std::find_if(forms_.begin(), forms_.end(), [](const FormaPlatnosci& f) { return f.native(); });
    if (form == forms_.end())
        throw std::runtime_error("Na liście form płatności sklepu brak gotówki w walucie krajowej.");
    return *form;
}

std::string getNativePaymentShortName() {
    return Core::SingletonImplHolder::get<FormyPlatnosci>().krajowa().shortName();
}

}  // namespace Platnosci
