#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"

#include "Core/Action/ActionContainer.h"

namespace Product::Tools {

std::shared_ptr<IdentifierFilterController> IdentifierFilterInvoker::invoke(const std::string& identifier) const {
    auto args = std::make_shared<IdentifierFilterArgs>();
    args->identifier = identifier;
    return Core::Action::CContainer::invoke<IdentifierFilterController>(*this, kGetIdentifierFilterControllerGuid,
                                                                        args);
}

void ApplyIdentifierFilterInvoker::invoke(BaseRaport::TFilterItemGroup& filter,
                                          const std::shared_ptr<IdentifierFilterController>& controller) const {
    Core::Action::CContainer::invoke<Core::IUnknown>(*this, kApplyIdentifierFilterGuid,
                                                     std::make_shared<ApplyIdentifierFilterArgs>(filter, controller));
}

TTowarCollectionPtr GetProductByIdentifierInvoker::invoke(const std::string& identifier,
                                                          TSessionHolder session) const {
    const auto result = Core::Action::CContainer::invoke<GetProductByIdentifierRetVals>(
        *this, kGetProductByIdentifierGuid, std::make_shared<GetProductByIdentifierArgs>(identifier, std::move(session)));
    if (!result) throw Core::castError();
    return result->products;
}

}  // namespace Product::Tools
