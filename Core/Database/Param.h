#pragma once
// A named parameter of a statement or a procedure (":name" in the text,
// reached without the colon) and the list a query keeps them in. Names are
// compared without regard to case, as Oracle does.
//
// Oracle stores no empty text: '' is NULL. A parameter set to an empty text
// is therefore bound as NULL, so that "where x is null" and the columns the
// module writes behave as they did on Oracle.

#include "Core/Database/Value.h"

#include <concepts>
#include <deque>
#include <string>
#include <string_view>

namespace DBKernel::Sql {

class Param : public ValueReader<Param> {
public:
    explicit Param(std::string name) : name_(std::move(name)) {}
    Param(Param&&) = default;
    Param& operator=(const Param&) = delete;

    Param& operator=(std::string_view text);
    Param& operator=(const std::string& text) { return *this = std::string_view(text); }
    Param& operator=(const char* text) { return *this = std::string_view(text); }
    Param& operator=(double value);
    template <std::integral T>
    Param& operator=(T value) {
        return set(static_cast<std::int64_t>(value));
    }
    // NULL.
    void clear() { set({}); }

    const std::string& name() const { return name_; }
    // Whether a value (NULL included) has been given.
    bool isSet() const { return set_; }
    const Value& value() const { return value_; }
    ValueView view() const { return viewOf(value_); }
    std::string describe() const { return "parametr :" + name_; }

    // Sets the value as it is, without the empty-text rule (out values of procedures).
    Param& set(Value value);

private:
    std::string name_;
    Value value_;
    bool set_ = false;
};

class ParamList {
public:
    // The parameter of that name, added when absent: a name the statement
    // does not use is accepted and left out of the binding.
    Param& operator[](std::string_view name);
    // The parameter of that name, or nullptr.
    const Param* find(std::string_view name) const;

    auto begin() const { return params_.begin(); }
    auto end() const { return params_.end(); }

private:
    std::deque<Param> params_;  // a deque: references stay valid as parameters are added
};

}  // namespace DBKernel::Sql
