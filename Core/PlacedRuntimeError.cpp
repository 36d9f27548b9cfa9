#include "Core/PlacedRuntimeError.h"

namespace Core {
namespace {

std::string placeText(const std::string& file, std::optional<int> line, const std::string& function) {
    return "File: " + (file.empty() ? std::string("<unknown>") : file) +
           ", line: " + (line ? std::to_string(*line) : std::string("<unknown>")) + ", function: " + function;
}

}  // namespace

PlacedRuntimeError::PlacedRuntimeError(const std::string& message, std::string file, std::optional<int> line,
                                       std::string function)
    : std::runtime_error(message), where_(placeText(file, line, function)) {}

// Out of line: one type across the libraries that throw and catch it.
PlacedRuntimeError::~PlacedRuntimeError() = default;

PlacedLogicError::PlacedLogicError(const std::string& message, std::string file, std::optional<int> line,
                                   std::string function)
    : std::logic_error(message), where_(placeText(file, line, function)) {}

PlacedLogicError::~PlacedLogicError() = default;

}  // namespace Core
