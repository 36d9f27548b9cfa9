#pragma once
// Product::Tools::IdentifierFilterControllerImpl: the controller the module
// makes for GetIdentifierFilterControllerAction: an identifier field and a
// database session of its own on the current store.

#include "Modules/Towary/Tools/plu/IdentifierFilter.h"

namespace Product::Tools {

class IdentifierFilterControllerImpl : public IdentifierFilterController {
public:
    explicit IdentifierFilterControllerImpl(std::string identifier);

    TIdentifierFilterFrame& frame() override { return frame_; }
    TSessionHolder session() const override { return session_; }

private:
    TIdentifierFilterFrame frame_;
    TSessionHolder session_;
};

}  // namespace Product::Tools
