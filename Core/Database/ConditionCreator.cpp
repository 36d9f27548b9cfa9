#include "Core/Database/ConditionCreator.h"

#include "Core/Database/SQLUtils.h"

#include <stdexcept>

namespace SQLUtils {

CConditionCreator::~CConditionCreator() = default;

CIncludeConditionCreator::CIncludeConditionCreator(std::ostream& out, std::string column, bool include)
    : out_(out), column_(std::move(column)), include_(include) {}

void CIncludeConditionCreator::next() {
    if (finished_) throw std::logic_error("Warunek SQL na kolumnie " + column_ + " jest już zamknięty.");
    const char* const list = include_ ? " in (" : " not in (";
    if (empty_) {
        out_ << '(' << column_ << list;
        empty_ = false;
    } else if (inGroup_ == kGroupSize) {
        out_ << (include_ ? ") or " : ") and ") << column_ << list;
        inGroup_ = 0;
    } else {
        out_ << ", ";
    }
    ++inGroup_;
}

void CIncludeConditionCreator::add(std::string_view value) {
    next();
    out_ << '\'' << SQLString(value) << '\'';
}

void CIncludeConditionCreator::add(std::int64_t value) {
    next();
    out_ << value;
}

void CIncludeConditionCreator::finish() {
    if (finished_) return;
    finished_ = true;
    if (empty_) {
        out_ << "1=1";
        return;
    }
    out_ << "))";
}

}  // namespace SQLUtils
