#pragma once
// Numeric settings read together with the range of values they can mean. A
// value outside it (an index length of two billion, a NaN margin ceiling) is
// refused before any work is done with it, with a message naming the settings
// file, the key and the allowed range. Every reader of a numeric setting goes
// through these, and docs/settings.md lists each key's range.

#include "Core/Setup/Key.h"

namespace Core::Setup {

// key.GetVal<T>() (T is int or double), refused with std::runtime_error when
// it lies outside [lowest, highest] or is not a number (NaN).
template <class T>
T valueInRange(const Orvel::TKey& key, T lowest, T highest);

// Refuses a number the key's value gives (an item of a list the key holds)
// when it lies outside [lowest, highest]; `value` is the text as written.
void checkInRange(const Orvel::TKey& key, const std::string& value, long long number, long long lowest,
                  long long highest);

}  // namespace Core::Setup
