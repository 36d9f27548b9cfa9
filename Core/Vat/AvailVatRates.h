#pragma once
// Vat::AvailVatRates: the store's VAT rates, the host's process-wide list
// (Core::SingletonImplHolder::get<Vat::AvailVatRates>()). Read from the store
// table stawkavat when the list is first used and kept while its registration
// lives, as the host reads it once at start; a VAT code (byVAT of towar) is
// resolved to its rate through it.

#include "Core/Database/TSessionHolder.h"

#include <string>
#include <vector>

namespace Vat {

// One rate of the list.
class VatRate {
public:
    VatRate(int code, std::string name, double value, bool productExcluded, char fiscalCode);

    // The VAT code as products store it (byVAT).
    int code() const { return code_; }
    // The name users see: "23%", "zw.".
    const std::string& name() const { return name_; }
    // The rate as a fraction: 0.23 for 23 %.
    double value() const { return value_; }
    // The rate is not offered for products (an old rate kept for history).
    bool productExcluded() const { return productExcluded_; }
    // The letter under which the cash registers know the rate ('A').
    char fiscalCode() const { return fiscalCode_; }

private:
    int code_;
    std::string name_;
    double value_;
    bool productExcluded_;
    char fiscalCode_;
};

class AvailVatRates {
public:
    // The rates of the current store, read on its main session.
    AvailVatRates();
    // The rates of the session's store.
    explicit AvailVatRates(TSessionHolder session);

    // The rate of the code; throws std::runtime_error "Brak stawki VAT o kodzie
    // N na liście stawek sklepu." for a code the list does not hold.
    const VatRate& findRate(int code) const;
    // findRate(code).value().
    double getVatValueByCode(int code) const;
    // The code of the rate of that name (exact comparison); throws
    // std::runtime_error for a name the list does not hold.
    int getVatCodeByName(const std::string& name) const;
    // The fiscal letter of the code on the day (a day number). This store's
    // registers keep one letter per code whatever the day, so the day does
    // not change the answer; it is the host's interface, which a chain that
    // reprograms its registers on a date answers by the day.
    char getFiscalCodeByCode(int code, int day) const;
    // Every rate, in the order of their codes.
    const std::vector<VatRate>& getAllVatRates() const { return rates_; }

private:
    std::vector<VatRate> rates_;
};

}  // namespace Vat
