#pragma once
// Products::ProductFieldsCreator: the fields of a data-aware product grid,
// made through the two factories the form gives, one for text columns and one
// for numeric columns, each named as the product view names the column.
// A factory that was given empty throws boost::bad_function_call when asked
// for a field.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Db/TField.h"
#include "Core/Export.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <string>

namespace Products {

class TOWARY_EXPORT ProductFieldsCreator {
public:
    using StringFieldFactory = boost::function<boost::shared_ptr<Db::TStringField>(const std::string&)>;
    using FloatFieldFactory = boost::function<boost::shared_ptr<Db::TFloatField>(const std::string&)>;

    ProductFieldsCreator(StringFieldFactory stringFields, FloatFieldFactory floatFields);

    // The columns every product grid shows.
    void createBasicFields(TTowarView* view) const;
    // The columns of the grids that show names, prices and stock too.
    void createAdditionalFields(TTowarView* view) const;

private:
    StringFieldFactory stringFields_;
    FloatFieldFactory floatFields_;
};

}  // namespace Products
