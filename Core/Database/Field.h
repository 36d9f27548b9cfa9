#pragma once
// Field: a column of the current row of a query, read when asked, so it
// follows the query from row to row. ConstField: a copy of a field's value
// that stays when the query moves on.

#include "Core/Database/Value.h"

#include <string>

namespace DBKernel::Sql {

class Query;

class Field : public ValueReader<Field> {
public:
    Field(const Query& query, std::size_t index) : query_(&query), index_(index) {}

    const std::string& name() const;
    Value value() const;
    std::string describe() const { return "kolumna " + name(); }

private:
    const Query* query_;
    std::size_t index_;
};

class ConstField : public ValueReader<ConstField> {
public:
    ConstField(const Field& field) : name_(field.name()), value_(field.value()) {}  // implicit: a copy of the field

    const std::string& name() const { return name_; }
    const Value& value() const { return value_; }
    std::string describe() const { return "kolumna " + name_; }

private:
    std::string name_;
    Value value_;
};

}  // namespace DBKernel::Sql
