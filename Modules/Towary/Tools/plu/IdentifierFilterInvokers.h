#pragma once
// The callers of the identifier filter's actions: each wraps its arguments,
// invokes the action registered under its GUID and unwraps the result. They
// need the module attached (its actions registered); without it the registry
// refuses the GUID.

#include "Core/Export.h"
#include "Modules/Towary/Tools/plu/IdentifierFilter.h"

namespace Product::Tools {

class TOWARY_EXPORT IdentifierFilterInvoker {
public:
    // A new controller whose field starts with the identifier.
    std::shared_ptr<IdentifierFilterController> invoke(const std::string& identifier = {}) const;
};

class TOWARY_EXPORT ApplyIdentifierFilterInvoker {
public:
    // Puts the controller's identifier into the filter, or takes it out when the field is empty.
    void invoke(BaseRaport::TFilterItemGroup& filter,
                const std::shared_ptr<IdentifierFilterController>& controller) const;
};

class TOWARY_EXPORT GetProductByIdentifierInvoker {
public:
    // The products the identifier finds, none when it finds nothing.
    TTowarCollectionPtr invoke(const std::string& identifier, TSessionHolder session) const;
};

}  // namespace Product::Tools
