#pragma once
// The store's routines: functions called by name inside statements and
// procedures called through DBKernel::Sql::Procedure. Both run on the
// caller's session, inside its transaction. The store schema (schema/)
// registers them; names are looked up without regard to case, as Oracle does,
// and may be qualified by a package ("Generators.getWolnyNumerWKanale").

#include "Core/Database/TSessionHolder.h"
#include "Core/Database/Value.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace DBKernel {

// A function: positional arguments in, one value out.
using StoreFunction = std::function<Value(TSessionHolder& session, std::span<const Value> arguments)>;

// The named parameters of one procedure call, as its caller declared them.
class ProcedureCall {
public:
    virtual TSessionHolder& session() = 0;
    // An input parameter; throws when the caller declared no such input.
    virtual const Value& in(const std::string& name) const = 0;
    // Sets an output parameter; one the caller did not declare is dropped.
    virtual void out(const std::string& name, Value value) = 0;

protected:
    ~ProcedureCall() = default;
};

using StoreProcedure = std::function<void(ProcedureCall& call)>;

class Routines {
public:
    struct Function {
        std::string name;
        int arity;  // -1: any number of arguments
        StoreFunction body;
    };

    // The routines of the store schema, registered once.
    static const Routines& store();

    void addFunction(std::string name, int arity, StoreFunction body);
    void addProcedure(std::string name, StoreProcedure body);

    const std::vector<Function>& functions() const { return functions_; }
    // Throws std::runtime_error when the store has no procedure of that name.
    const StoreProcedure& procedure(const std::string& name) const;

private:
    std::vector<Function> functions_;
    std::vector<std::pair<std::string, StoreProcedure>> procedures_;
};

}  // namespace DBKernel
