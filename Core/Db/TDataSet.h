#pragma once
// Db::TDataSet: what the host's forms and grids tell about the dataset they
// show: its state (browsed, being edited, a new record being inserted) and
// whether it holds any record. A form's dataset implements it; the modules
// only ask.

namespace Db {

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TDataSet {
public:
    virtual ~TDataSet() = default;

    virtual TDataSetState State() const = 0;
    // True when the dataset holds no record (also when it is not open).
    virtual bool IsEmpty() const = 0;
};

}  // namespace Db
