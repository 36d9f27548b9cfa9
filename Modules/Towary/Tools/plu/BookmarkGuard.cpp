#include "Modules/Towary/Tools/plu/BookmarkGuard.h"

#include <stdexcept>

namespace PLU {

BookmarkGuard::~BookmarkGuard() {
    if (bookmark_ && !restored_ && dataSet_.BookmarkValid(*bookmark_)) dataSet_.GotoBookmark(*bookmark_);
}

void BookmarkGuard::store() {
    bookmark_ = dataSet_.GetBookmark();
    restored_ = false;
}

void BookmarkGuard::restore() {
    if (!bookmark_) throw std::runtime_error("Bookmark hasn't been stored.");
    if (!dataSet_.BookmarkValid(*bookmark_)) throw std::runtime_error("Bookmark isn't valid");
    dataSet_.GotoBookmark(*bookmark_);
    restored_ = true;
}

}  // namespace PLU
