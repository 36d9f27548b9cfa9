#pragma once
// Db::TField and its kinds: a column of a grid's dataset, made for a column
// name. The modules only create them through factories the form hands in.

#include <string>

namespace Db {

class TField {
public:
    explicit TField(std::string fieldName) : fieldName_(std::move(fieldName)) {}
    virtual ~TField() = default;
    const std::string& FieldName() const { return fieldName_; }

private:
    std::string fieldName_;
};

// A text column.
class TStringField : public TField {
public:
    using TField::TField;
};

// A floating-point column (numbers, codes, flags and dates alike).
class TFloatField : public TField {
public:
    using TField::TField;
};

}  // namespace Db
