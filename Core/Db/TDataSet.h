#pragma once
// Db::TDataSet: the dataset a host's form or grid shows, as the modules see
// it: its state (browsed, being edited, a new record being inserted), its
// records with a current one to move over and read, and bookmarks that mark
// a record to come back to. A bookmark stays valid while its record is in
// the dataset; reopening the dataset makes new records. A form's dataset
// implements it (Db::TQueryDataSet over a query); the modules only ask.

#include "Core/Database/Query.h"

#include <cstdint>
#include <string_view>

namespace Db {

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// A mark of one record, or of the place past the last one, made by GetBookmark.
struct TBookmark {
    std::uint64_t dataSetOpening = 0;
    std::size_t record = 0;
};

class TDataSet {
public:
    virtual ~TDataSet() = default;

    virtual TDataSetState State() const = 0;
    // True when the dataset holds no record (also when it is not open).
    virtual bool IsEmpty() const = 0;

    virtual void First() = 0;
    // Moves to the next record, or past the last one: Eof() then tells.
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
    // The column of the current record; throws std::runtime_error for a
    // column the dataset lacks or when there is no current record.
    virtual DBKernel::Sql::ConstField FieldByName(std::string_view column) const = 0;

    // A mark of the current record (or of Eof); throws std::runtime_error when
    // the dataset is not open.
    virtual TBookmark GetBookmark() const = 0;
    virtual bool BookmarkValid(const TBookmark& bookmark) const = 0;
    // Makes the marked record current; throws std::runtime_error for a mark
    // that is not valid.
    virtual void GotoBookmark(const TBookmark& bookmark) = 0;
};

}  // namespace Db
