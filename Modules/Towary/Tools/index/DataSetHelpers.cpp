#include "Modules/Towary/Tools/index/DataSetHelpers.h"

namespace Towar {

bool isDataSetEditable(Db::TDataSet* dataSet) {
    if (dataSet == nullptr) return false;
    const Db::TDataSetState state = dataSet->State();
    return state == Db::dsEdit || state == Db::dsInsert;
}

bool isEmpty(Db::TDataSet* dataSet) { return dataSet == nullptr || dataSet->IsEmpty(); }

}  // namespace Towar
