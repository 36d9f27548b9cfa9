#pragma once
// Db::TQueryDataSet: a browsed dataset over the rows of a query, as the
// host's grids hold them: Open() reads every row into memory at once, so the
// records stay as they were read until Refresh() reads them again, which
// makes new records and leaves earlier bookmarks invalid.

#include "Core/Database/TSessionHolder.h"
#include "Core/Db/TDataSet.h"
#include "Core/Export.h"

#include <string>
#include <vector>

namespace Db {

class TOWARY_EXPORT TQueryDataSet : public TDataSet {
public:
    TQueryDataSet(TSessionHolder session, std::string sql);
    ~TQueryDataSet() override;

    DBKernel::Sql::ParamList& Params() { return params_; }
    // Reads the rows and makes the first one current.
    void Open();
    void Refresh() { Open(); }
    std::size_t RecordCount() const { return records_.size(); }

    TDataSetState State() const override { return open_ ? dsBrowse : dsInactive; }
    bool IsEmpty() const override { return records_.empty(); }
    void First() override { current_ = 0; }
    void Next() override;
    bool Eof() const override { return current_ >= records_.size(); }
    DBKernel::Sql::ConstField FieldByName(std::string_view column) const override;
    TBookmark GetBookmark() const override;
    bool BookmarkValid(const TBookmark& bookmark) const override;
    void GotoBookmark(const TBookmark& bookmark) override;

private:
    TSessionHolder session_;
    std::string sql_;
    DBKernel::Sql::ParamList params_;
    bool open_ = false;
    std::uint64_t opening_ = 0;  // counts the openings, so that a bookmark knows its own
    std::vector<std::string> columns_;
    std::vector<std::vector<DBKernel::Value>> records_;
    std::size_t current_ = 0;
};

}  // namespace Db
