#pragma once
// Core::CStatus: what an action reports back to the window that invoked it,
// success or a failure with its reason in Polish, carried as the action's
// result through the registry.

#include "Core/Export.h"
#include "Core/IUnknown.h"

#include <string>

namespace Core {

class TOWARY_EXPORT CStatus : public virtual IUnknown {
public:
    static CStatus success() { return CStatus(true, {}); }
    static CStatus failure(std::string reason) { return CStatus(false, std::move(reason)); }
    // Defined in Core, so that the type is the same one in every library.
    ~CStatus() override;

    bool isSuccess() const { return success_; }
    // Why the action failed; empty on success.
    const std::string& message() const { return message_; }

private:
    CStatus(bool success, std::string message) : success_(success), message_(std::move(message)) {}

    bool success_;
    std::string message_;
};

}  // namespace Core
