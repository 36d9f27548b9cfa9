#pragma once
// Platnosci::FormyPlatnosci: the store's payment forms, the host's process-wide
// list (Core::SingletonImplHolder::get<Platnosci::FormyPlatnosci>()). Read
// from the store table formaplatnosci when the list is first used and kept
// while its registration lives, as the host reads it once at start.

#include "Core/Database/TSessionHolder.h"

#include <string>
#include <vector>

namespace Platnosci {

// One form of the list.
class FormaPlatnosci {
public:
    FormaPlatnosci(long long id, std::string name, std::string shortName, bool final, bool native);

    // The id documents store (lPlatnoscRef).
    long long id() const { return id_; }
    // The name users see: "Gotówka".
    const std::string& name() const { return name_; }
    // The short name printed on receipts: "zł".
    const std::string& shortName() const { return shortName_; }
    // A receipt can be paid with the form; a form that is not final only groups others.
    bool final() const { return final_; }
    // Cash in the native currency.
    bool native() const { return native_; }

private:
    long long id_;
    std::string name_;
    std::string shortName_;
    bool final_;
    bool native_;
};

class FormyPlatnosci {
public:
    // The forms of the current store, read on its main session.
    FormyPlatnosci();
    // The forms of the session's store.
    explicit FormyPlatnosci(TSessionHolder session);

    // Every form, in the order of their ids.
    const std::vector<FormaPlatnosci>& Wszystkie() const { return forms_; }
    // The final forms, in the order of their ids.
    std::vector<FormaPlatnosci> WszystkieKoncowe() const;
    // The form of the native currency's cash; throws std::runtime_error "Na
    // liście form płatności sklepu brak gotówki w walucie krajowej." when the
    // list has none.
    const FormaPlatnosci& krajowa() const;

private:
    std::vector<FormaPlatnosci> forms_;
};

// The short name of the native currency ("zł"), from the host's list.
std::string getNativePaymentShortName();

}  // namespace Platnosci
