#pragma once
// Core::TTemporaryChangeValue<T>: a variable changed for the life of a scope.
// set() writes a new value and keeps the old one; the destructor (or
// restore()) writes the old one back, however the scope is left.

#include "Core/PlacedRuntimeError.h"
#include "Core/System/StrToFloat.h"

namespace Core {

template <typename T>
class TTemporaryChangeValue {
public:
    explicit TTemporaryChangeValue(T& target) : target_(&target) {}
    TTemporaryChangeValue(T& target, const T& newValue) : target_(&target) { set(newValue); }
    ~TTemporaryChangeValue() { restore(); }
    TTemporaryChangeValue(const TTemporaryChangeValue&) = delete;
    TTemporaryChangeValue& operator=(const TTemporaryChangeValue&) = delete;

    // Fails when a value set before has not been restored: the saved one would be lost.
    void set(const T& newValue) {
        if (changed_)
            throw PlacedRuntimeError("Previous value hasn't been restored.", __FILE__, __LINE__,
                                     "TTemporaryChangeValue<T>::set");
        if (*target_ == newValue) return;
        saved_ = *target_;
        changed_ = true;
        *target_ = newValue;
    }

    void restore() {
        if (!changed_) return;
        *target_ = saved_;
        changed_ = false;
    }

private:
    bool changed_ = false;
    T saved_{};
    T* target_;
};

// The process-wide decimal separator (Sysutils::DecimalSeparator) changed for a scope.
class TTemporaryChangeDecimalSeparator : public TTemporaryChangeValue<char> {
public:
    explicit TTemporaryChangeDecimalSeparator(char separator)
        : TTemporaryChangeValue<char>(Sysutils::DecimalSeparator(), separator) {}
};

}  // namespace Core
