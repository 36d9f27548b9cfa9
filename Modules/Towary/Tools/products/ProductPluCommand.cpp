#include "Modules/Towary/Tools/products/ProductPluCommand.h"

#include <stdexcept>
#include <string>

namespace Product {

namespace {

constexpr std::array<const char*, 8> kNames{"lpluref",       "splu",     "ltowarref", "njm",
                                            "dataostsprzed", "bystatus", "byblokada", "byhardtrstat"};
// The code fields in the order of kNames: the table's order.
constexpr std::array<std::size_t, 8> kFields{TPLU::PluRef,         TPLU::PLU,    TPLU::TowarRef, TPLU::Jm,
                                             TPLU::dataOstSprzed, TPLU::Status, TPLU::Blokada,  TPLU::HardTrStat};

}  // namespace

PluCommand::PluCommand(const char* sql) : PluCommand(sql, TSessionHolder()) {}

PluCommand::PluCommand(const char* sql, TSessionHolder session) : command_(sql, std::move(session)) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (!command_.namesParameter(kNames[i]))
            throw std::logic_error(std::string("Polecenie zapisu kodu PLU nie zawiera parametru :") + kNames[i] + ": " + sql);
        params_[i] = &command_.Params[kNames[i]];
    }
}

void PluCommand::execute(const TPLU& code) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const auto& value = code.value(kFields[i]);
        auto& param = *params_[i];
        if (DBKernel::isNull(value))
            param.clear();
        else if (kFields[i] == static_cast<std::size_t>(TPLU::PLU))
            param = DBKernel::toString(value);
        else if (kFields[i] == static_cast<std::size_t>(TPLU::dataOstSprzed))
            param = DBKernel::toDouble(value);
        else
            param = DBKernel::toInt64(value);
    }
    command_.execute();
}

}  // namespace Product
