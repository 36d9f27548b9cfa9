#pragma once
// Product::PluCommand: a prepared write of one code row over a statement the
// caller supplies. The statement names the eight parameters :lpluref, :splu,
// :ltowarref, :njm, :dataostsprzed, :bystatus, :byblokada and :byhardtrstat,
// which execute() binds from a code object.

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/Sql.h"
#include "Core/Export.h"

#include <array>

namespace Product {

class TOWARY_EXPORT PluCommand {
public:
    // On the main session. Throws std::logic_error when the statement lacks
    // one of the eight parameters, which would otherwise go unwritten.
    explicit PluCommand(const char* sql);
    PluCommand(const char* sql, TSessionHolder session);

    // Binds every field of the code (NULL where it is marked null) and runs the statement once.
    void execute(const TPLU& code);

private:
    DBKernel::Sql::Command command_;
    std::array<DBKernel::Sql::Param*, 8> params_;
};

}  // namespace Product
