#include "Modules/Towary/Tools/products/FieldBinding.h"

namespace Towar {

void bindField(DBKernel::Sql::Param& param, const BaseDBObjects::Record& record, const BoundField& field) {
    const auto& value = record.value(field.column);
    if (DBKernel::isNull(value)) {
        param.clear();
        return;
    }
    switch (field.binding) {
    case Binding::Integer: param = DBKernel::toInt64(value); break;
    case Binding::Double: param = DBKernel::toDouble(value); break;
    case Binding::Text: param = DBKernel::toString(value); break;
    }
}

}  // namespace Towar
