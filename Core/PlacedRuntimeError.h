#pragma once
// Core::PlacedRuntimeError (and PlacedLogicError): an error that carries where it was raised.
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

// The same for a logic error: a state the program should never reach.
class TOWARY_EXPORT PlacedLogicError : public std::logic_error {
public:
    PlacedLogicError(const std::string& message, std::string file, std::optional<int> line, std::string function);
    ~PlacedLogicError() override;

    const std::string& where() const { return where_; }

private:
    std::string where_;
};

}  // namespace Core
