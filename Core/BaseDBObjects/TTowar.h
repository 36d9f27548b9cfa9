#pragma once
// TTowar: the host's product object, one row of the store's table towar
// (products and the groups of the hierarchy). A Get and a Set per column,
// named by the field (GetNazwa, SetKrNazwa, SetczasMod), and a null mark per
// field: a field that was never set, was loaded as NULL or was marked null
// reads as 0 or "" and is written as NULL. TTowarView names the columns for a
// select; TTowarCollection holds the products a select returned.

#include "Core/BaseDBObjects/Record.h"
#include "Core/BaseDBObjects/TowarColumns.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

class TOWARY_EXPORT TTowar : public BaseDBObjects::Record {
public:
    enum Column { TOWAR_COLUMNS(RECORD_ENUM) ColumnCount };

    TTowar();
    // The columns of towar in the table's order.
    static std::span<const BaseDBObjects::ColumnInfo> columnInfo();

    TOWAR_COLUMNS(RECORD_ACCESSORS)
};

using TTowarPtr = boost::shared_ptr<TTowar>;

// The names of the towar columns as a select of the given alias reads them
// ("t." gives "t.sNazwa" for Nazwa()); the aliased columns by their alias.
class TOWARY_EXPORT TTowarView {
public:
    explicit TTowarView(std::string prefix = {}) : prefix_(std::move(prefix)) {}

#define TOWAR_VIEW(column, Name, kind, readName, updated, inserted) \
    std::string Name() const { return prefix_ + readName; }
    TOWAR_COLUMNS(TOWAR_VIEW)
#undef TOWAR_VIEW

private:
    std::string prefix_;
};

// The products of a select, in its order, one TTowar per row.
class TOWARY_EXPORT TTowarCollection {
public:
    // Reads every row of the opened query.
    void load(DBKernel::Sql::Query& query);
    // Appends one product, as a list's selection hands it over.
    void add(TTowarPtr product) { items_.push_back(std::move(product)); }

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const TTowarPtr& operator[](std::size_t index) const { return items_.at(index); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<TTowarPtr> items_;
};

using TTowarCollectionPtr = boost::shared_ptr<TTowarCollection>;
