#include "Modules/Towary/Tools/products/ProductPluCommand.h"

#include "Modules/Towary/Tools/products/FieldBinding.h"

#include <stdexcept>
#include <string>

namespace Product {

namespace {

using Towar::Binding;

// The code's fields in the table's order.
constexpr std::array<Towar::BoundField, 8> kFields{{
    {"lpluref", TPLU::PluRef, Binding::Integer},
    {"splu", TPLU::PLU, Binding::Text},
    {"ltowarref", TPLU::TowarRef, Binding::Integer},
    {"njm", TPLU::Jm, Binding::Integer},
    {"dataostsprzed", TPLU::dataOstSprzed, Binding::Double},
    {"bystatus", TPLU::Status, Binding::Integer},
    {"byblokada", TPLU::Blokada, Binding::Integer},
    {"byhardtrstat", TPLU::HardTrStat, Binding::Integer},
}};

}  // namespace

PluCommand::PluCommand(const char* sql) : PluCommand(sql, TSessionHolder()) {}

PluCommand::PluCommand(const char* sql, TSessionHolder session) : command_(sql, std::move(session)) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const char* name = kFields[i].name;
        if (!command_.namesParameter(name))
            throw std::logic_error(std::string("Polecenie zapisu kodu PLU nie zawiera parametru :") + name + ": " + sql);
        params_[i] = &command_.Params[name];
    }
}

void PluCommand::execute(const TPLU& code) {
    for (std::size_t i = 0; i < kFields.size(); ++i) Towar::bindField(*params_[i], code, kFields[i]);
    command_.execute();
}

}  // namespace Product
