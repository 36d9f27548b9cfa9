#include "Core/Vat/AvailVatRates.h"

#include "Core/Database/Query.h"
#include "Core/Database/StoreDatabase.h"

#include <boost/format.hpp>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Vat {

VatRate::VatRate(int code, std::string name, double value, bool productExcluded, char fiscalCode)
    : code_(code), name_(std::move(name)), value_(value), productExcluded_(productExcluded), fiscalCode_(fiscalCode) {}

AvailVatRates::AvailVatRates() : AvailVatRates(TSessionHolder()) {}

AvailVatRates::AvailVatRates(TSessionHolder session) {
    DBKernel::Sql::OpenedQuery query(
        "select byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny from stawkavat order by byVAT", session);
    while (query.next()) {
        // The table holds one capital letter per rate.
        rates_.emplace_back(query["byVAT"].asInt(), query["sNazwa"].asString(), query["dStawka"].asDouble(),
                            query["bWykluczonaDlaTowarow"].asInt() != 0, query["sKodFiskalny"].asString().front());
    }
    if (rates_.empty()) throw DBKernel::StoreDatabase::emptyList(session.session().location(), "stawkavat", "stawek VAT");
}

const VatRate& AvailVatRates::findRate(int code) const {
    const auto rate = std::find_if(rates_.begin(), rates_.end(), [code](const VatRate& r) { return r.code() == code; });
    if (rate == rates_.end())
        throw std::runtime_error((boost::format("Brak stawki VAT o kodzie %1% na liście stawek sklepu.") % code).str());
    return *rate;
}

double AvailVatRates::getVatValueByCode(int code) const { return findRate(code).value(); }

int AvailVatRates::getVatCodeByName(const std::string& name) const {
    const auto rate = std::find_if(rates_.begin(), rates_.end(), [&name](const VatRate& r) { return r.name() == name; });
    if (rate == rates_.end())
        throw std::runtime_error((boost::format("Brak stawki VAT o nazwie \"%1%\" na liście stawek sklepu.") % name).str());
    return rate->code();
}

char AvailVatRates::getFiscalCodeByCode(int code, int /*day*/) const { return findRate(code).fiscalCode(); }

}  // namespace Vat
