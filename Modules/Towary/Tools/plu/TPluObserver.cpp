#include "Modules/Towary/Tools/plu/TPluObserver.h"

#include "Core/BaseDBObjects/TPLU.h"
#include "Modules/Towary/Tools/plu/BookmarkGuard.h"

namespace {

bool isDeleted(const Db::TDataSet& dataSet) {
    const auto status = dataSet.FieldByName("bystatus").asInt64();
    return status == PluStatus::kDeleted || status == PluStatus::kDeletedOther;
}

}  // namespace

bool TPluObserver::findNastepnyNieusuniety(Db::TDataSet* dataSet) {
    while (!dataSet->Eof() && isDeleted(*dataSet)) dataSet->Next();
    return !dataSet->Eof();
}

bool TPluObserver::isJedenKod(Db::TDataSet* dataSet) const {
    if (dataSet->IsEmpty()) return false;
    PLU::BookmarkGuard position(*dataSet);
    position.store();
    int live = 0;
    for (dataSet->First(); findNastepnyNieusuniety(dataSet); dataSet->Next()) ++live;
    position.restore();
    return live == 1;
}

void TPluObserver::store(Db::TDataSet* dataSet) {
    PLU::BookmarkGuard position(*dataSet);
    position.store();
    codes_.clear();
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) codes_.insert(dataSet->FieldByName("splu").asString());
    position.restore();
    stored_ = true;
}

bool TPluObserver::isChanged(Db::TDataSet* dataSet) const {
    if (!isJedenKod(dataSet)) return false;
    PLU::BookmarkGuard position(*dataSet);
    position.store();
    dataSet->First();
    findNastepnyNieusuniety(dataSet);
    const bool changed = !codes_.contains(dataSet->FieldByName("splu").asString());
    position.restore();
    return changed;
}
