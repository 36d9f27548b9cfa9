#pragma once
// DBKernel::Sql::Procedure: a call of a store procedure by name
// ("multipriceproducts.getOrCreateElement"). The caller declares the
// parameters it passes and wants back, sets the inputs, executes, and reads
// the outputs from the same parameters. The procedure runs on the caller's
// session and transaction; a failing call leaves nothing of its writes.

#include "Core/Database/Param.h"
#include "Core/Database/Routines.h"
#include "Core/Database/TSessionHolder.h"

#include <string>
#include <vector>

namespace DBKernel::Sql {

enum class ParamDirection { Input, Output, InputOutput, Result };
// The type an output is read back as.
enum class FieldType { String, Float, Integer };

class Procedure {
public:
    // Throws when the session's routines have no procedure of that name.
    explicit Procedure(std::string name, TSessionHolder session = {});

    // Declares a parameter and returns it.
    Param& param(const std::string& name, ParamDirection direction, FieldType type);
    // A declared parameter; throws when it was not declared.
    Param& param(const std::string& name);

    // Marks the call as one executed repeatedly; kept for the callers' sake,
    // as a store procedure needs no preparing of its own.
    void prepared(bool value) { prepared_ = value; }
    bool prepared() const { return prepared_; }

    // Calls the procedure with the inputs; outputs it does not set become NULL.
    void execute();

    const std::string& name() const { return name_; }

private:
    class Call;
    struct Declared {
        std::string name;
        ParamDirection direction;
        FieldType type;
    };
    const Declared* declared(const std::string& name) const;

    std::string name_;
    TSessionHolder session_;
    const StoreProcedure& body_;
    ParamList params_;
    std::vector<Declared> declared_;
    bool prepared_ = false;
};

}  // namespace DBKernel::Sql
