#include "Core/Database/Routines.h"

#include "Core/Database/Schema.h"

#include "Core/tools/IgnoringCase.h"

#include <stdexcept>

namespace DBKernel {

const Routines& Routines::store() {
    static const Routines routines = [] {
        Routines all;
        Schema::registerRoutines(all);
        return all;
    }();
    return routines;
}

void Routines::addFunction(std::string name, int arity, StoreFunction body) {
    functions_.push_back(Function{std::move(name), arity, std::move(body)});
}

void Routines::addProcedure(std::string name, StoreProcedure body) {
    procedures_.emplace_back(std::move(name), std::move(body));
}

const StoreProcedure& Routines::procedure(const std::string& name) const {
    for (const auto& [known, body] : procedures_)
        if (Core::equalsIgnoringCase(known, name)) return body;
    throw std::runtime_error("Baza danych sklepu nie ma procedury " + name + ".");
}

}  // namespace DBKernel
