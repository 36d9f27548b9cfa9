#pragma once
// TPluObserver: tells a product form whether the product's one live code was
// replaced while the form was open. store() remembers the code texts of the
// form's dataset of the product's code rows (columns splu and bystatus);
// isChanged() later says whether the product has exactly one live code and
// that code is not one of them. Rows of status 3 or 4 count as deleted.
// Every walk over the dataset returns to the record that was current.

#include "Core/Db/TDataSet.h"
#include "Core/Export.h"

#include <set>
#include <string>

class TOWARY_EXPORT TPluObserver {
public:
    void store(Db::TDataSet* dataSet);
    bool isChanged(Db::TDataSet* dataSet) const;
    // Whether the dataset holds exactly one live code.
    bool isJedenKod(Db::TDataSet* dataSet) const;
    // Moves from the current record on to the first live one; false when none is left.
    static bool findNastepnyNieusuniety(Db::TDataSet* dataSet);

    bool isStored() const { return stored_; }

private:
    bool stored_ = false;
    std::set<std::string> codes_;
};
