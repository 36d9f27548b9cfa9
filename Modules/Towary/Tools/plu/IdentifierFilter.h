#pragma once
// The product identifier filter of the host's reports and product searches,
// reached through three actions registered by GUID: one makes a controller
// with its identifier field, one puts the field's condition into a report's
// filter, one loads the products an identifier finds. Their arguments and
// results are the classes below; IdentifierFilterInvokers.h calls them.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/BaseRaport/FilterItems.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/IUnknown.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterFrame.h"

#include <memory>
#include <string>

namespace Product::Tools {

// GetIdentifierFilterControllerAction: IdentifierFilterArgs in, the controller out.
inline constexpr const char* kGetIdentifierFilterControllerGuid = "{1B677975-8243-421B-84F5-B48DCB0CE1B9}";
// ApplyIdentifierFilterAction: ApplyIdentifierFilterArgs in, nothing out.
inline constexpr const char* kApplyIdentifierFilterGuid = "{0763F758-7177-485E-B593-5EE661B28CD7}";
// GetProductByIdentifierAction: GetProductByIdentifierArgs in, GetProductByIdentifierRetVals out.
inline constexpr const char* kGetProductByIdentifierGuid = "{450B62A2-CD00-4A99-B91A-AC2765E0EF9E}";

// The id of the identifier's item in a report's filter.
inline constexpr const char* kIdentifierFilterItemId = "ProductIdentifier";

// Ties one identifier field to the filter of a report; it works in a
// database session of its own.
class TOWARY_EXPORT IdentifierFilterController : public virtual Core::IUnknown {
public:
    ~IdentifierFilterController() override;
    virtual TIdentifierFilterFrame& frame() = 0;
    virtual TSessionHolder session() const = 0;
};

class TOWARY_EXPORT IdentifierFilterArgs : public virtual Core::IUnknown {
public:
    ~IdentifierFilterArgs() override;
    // The text the field starts with: a report's saved filter, or "".
    std::string identifier;
};

class TOWARY_EXPORT ApplyIdentifierFilterArgs : public virtual Core::IUnknown {
public:
    ApplyIdentifierFilterArgs(BaseRaport::TFilterItemGroup& reportFilter,
                              std::shared_ptr<IdentifierFilterController> identifierController)
        : filter(reportFilter), controller(std::move(identifierController)) {}
    ~ApplyIdentifierFilterArgs() override;

    BaseRaport::TFilterItemGroup& filter;
    std::shared_ptr<IdentifierFilterController> controller;
};

class TOWARY_EXPORT GetProductByIdentifierArgs : public virtual Core::IUnknown {
public:
    GetProductByIdentifierArgs(std::string typed, TSessionHolder database)
        : identifier(std::move(typed)), session(std::move(database)) {}
    ~GetProductByIdentifierArgs() override;

    std::string identifier;
    TSessionHolder session;
};

class TOWARY_EXPORT GetProductByIdentifierRetVals : public virtual Core::IUnknown {
public:
    explicit GetProductByIdentifierRetVals(TTowarCollectionPtr found) : products(std::move(found)) {}
    ~GetProductByIdentifierRetVals() override;

    TTowarCollectionPtr products;
};

}  // namespace Product::Tools

// Registers the three actions.
TOWARY_EXPORT void registerIdentifierFilterControllerImplObjects(Core::Registrations& registrations);
