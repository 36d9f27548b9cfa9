#pragma once
// PLU::BookmarkGuard: keeps a dataset's position across a walk over its
// records. store() marks the current record, restore() returns to it; a
// guard left without restore() (an exception on the way) returns to a still
// valid mark by itself. restore() fails with "Bookmark hasn't been stored."
// before store() and with "Bookmark isn't valid" when the marked record has
// left the dataset.

#include "Core/Db/TDataSet.h"
#include "Core/Export.h"

#include <optional>

namespace PLU {

class TOWARY_EXPORT BookmarkGuard {
public:
    explicit BookmarkGuard(Db::TDataSet& dataSet) : dataSet_(dataSet) {}
    ~BookmarkGuard();
    BookmarkGuard(const BookmarkGuard&) = delete;
    BookmarkGuard& operator=(const BookmarkGuard&) = delete;

    void store();
    void restore();

private:
    Db::TDataSet& dataSet_;
    std::optional<Db::TBookmark> bookmark_;
    bool restored_ = false;
};

}  // namespace PLU
