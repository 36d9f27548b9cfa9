#pragma once
// Core::PlacedRuntimeError: a runtime error that carries where it was raised.
// what() is the message a user reads; where() is the source location,
// "File: FILE, line: LINE, function: FUNCTION", with "<unknown>" for a file or
// line that was not given.

#include "Core/Export.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace Core {

class TOWARY_EXPORT PlacedRuntimeError : public std::runtime_error {
public:
    PlacedRuntimeError(const std::string& message, std::string file, std::optional<int> line, std::string function);
    ~PlacedRuntimeError() override;

    const std::string& where() const { return where_; }

private:
    std::string where_;
};

}  // namespace Core
