#pragma once
// Sysutils::Exception: the host framework's general exception. Older units
// raise it with a Polish text the user sees in a message box; the host
// catches it as a std::runtime_error like any other failure.

#include "Core/Export.h"

#include <stdexcept>
#include <string>

namespace Sysutils {

class TOWARY_EXPORT Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    // Defined in Core, so that the type is the same one in every library.
    ~Exception() override;
};

}  // namespace Sysutils
