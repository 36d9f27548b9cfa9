#pragma once
// SQLUtils::CConditionCreator: a condition on one column written into a text
// stream value by value. SQLUtils::CIncludeConditionCreator writes an IN list
// (or NOT IN) cut into groups of at most 1000 values, as Oracle allows, the
// groups joined by " or " (" and " for NOT IN):
//   (p.sPlu in ('a', 'b', 'c'))
//   (t.lTowarRef in (1, ..., 1000) or t.lTowarRef in (1001, ...))
// A condition that was given no value is "1=1". Every SQL condition over a
// list of values in the module is written by it.

#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

namespace SQLUtils {

class CConditionCreator {
public:
    virtual ~CConditionCreator();

    // A text value, written as an escaped literal between apostrophes.
    virtual void add(std::string_view value) = 0;
    // A number (a reference), written as it is.
    virtual void add(std::int64_t value) = 0;
    // Closes the condition; nothing may be added afterwards.
    virtual void finish() = 0;
};

class CIncludeConditionCreator : public CConditionCreator {
public:
    // Values per group.
    static constexpr int kGroupSize = 1000;

    // include false writes "not in" groups joined by " and ".
    CIncludeConditionCreator(std::ostream& out, std::string column, bool include = true);

    void add(std::string_view value) override;
    void add(std::int64_t value) override;
    void finish() override;

    // The whole condition over text values, for callers that have them at hand.
    template <class Range>
    static std::string of(const std::string& column, const Range& values, bool include = true);

private:
    // Writes what precedes the next value: the opening, a separator, or the
    // close of a full group and the opening of the next.
    void next();

    std::ostream& out_;
    std::string column_;
    bool include_;
    bool empty_ = true;
    int inGroup_ = 0;
    bool finished_ = false;
};

template <class Range>
std::string CIncludeConditionCreator::of(const std::string& column, const Range& values, bool include) {
    std::ostringstream out;
    CIncludeConditionCreator condition(out, column, include);
    for (const auto& value : values) condition.add(std::string_view(value));
    condition.finish();
    return out.str();
}

}  // namespace SQLUtils
