#pragma once
// The binding of a record's fields to a write statement's parameters: each
// parameter named, the record column it takes, and the type the statement
// expects. The product and code writes share it.

#include "Core/BaseDBObjects/Record.h"
#include "Core/Database/Sql.h"

#include <cstddef>

namespace Towar {

enum class Binding { Integer, Double, Text };

struct BoundField {
    const char* name;
    std::size_t column;
    Binding binding;
};

// Sets the parameter to the record's field as the binding says; NULL where the field is null.
void bindField(DBKernel::Sql::Param& param, const BaseDBObjects::Record& record, const BoundField& field);

}  // namespace Towar
