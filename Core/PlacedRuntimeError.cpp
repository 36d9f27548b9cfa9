#include "Core/PlacedRuntimeError.h"

namespace Core {

PlacedRuntimeError::PlacedRuntimeError(const std::string& message, std::string file, std::optional<int> line,
                                       std::string function)
    : std::runtime_error(message),
      where_("File: " + (file.empty() ? std::string("<unknown>") : file) +
             ", line: " + (line ? std::to_string(*line) : std::string("<unknown>")) + ", function: " + function) {}

// Out of line: one type across the libraries that throw and catch it.
PlacedRuntimeError::~PlacedRuntimeError() = default;

}  // namespace Core
