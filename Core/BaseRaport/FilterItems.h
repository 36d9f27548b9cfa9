#pragma once
// The filter of a host report: a group of filter items, each adding a join to
// the FROM part of the report's statement and a condition to its WHERE part.
// Filter controls (the identifier field, group and rights filters) put their
// item in under their own id and take it out again when cleared; the report
// then builds its statement from its base and the items, in the order they
// were added.

#include <string>
#include <vector>

namespace BaseRaport {

struct TFilterItem {
    std::string id;
    std::string join;       // a table or subquery with its alias, "" for none
    std::string condition;  // starts with its connective: "and ..."
};

// The parts of a report statement before any filter.
struct TReportStatement {
    std::string select;  // the column list
    std::string from;    // the tables
    std::string where;   // the base condition, "1=1" for none
};

class TFilterItemGroup {
public:
    // Adds an item; an item of the same id is replaced where it stands.
    void add(TFilterItem item);
    // Removes the item of the id; false when there was none.
    bool remove(const std::string& id);

    const TFilterItem* find(const std::string& id) const;
    const std::vector<TFilterItem>& items() const { return items_; }

    // "select S from F, JOIN... where W CONDITION...".
    std::string statement(const TReportStatement& base) const;

private:
    std::vector<TFilterItem>::const_iterator position(const std::string& id) const;

    std::vector<TFilterItem> items_;
};

}  // namespace BaseRaport
