#pragma once
// Questions the product forms ask about the dataset they show. A missing
// dataset (a null pointer) is neither editable nor holding records.

#include "Core/Db/TDataSet.h"
#include "Core/Export.h"

namespace Towar {

// True while a record is being edited or inserted.
TOWARY_EXPORT bool isDataSetEditable(Db::TDataSet* dataSet);
// True when the dataset has no records.
TOWARY_EXPORT bool isEmpty(Db::TDataSet* dataSet);

}  // namespace Towar
