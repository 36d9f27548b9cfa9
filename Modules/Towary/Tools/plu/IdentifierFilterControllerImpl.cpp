#include "Modules/Towary/Tools/plu/IdentifierFilterControllerImpl.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Query.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"

#include <boost/make_shared.hpp>

namespace Product::Tools {

IdentifierFilterController::~IdentifierFilterController() = default;
IdentifierFilterArgs::~IdentifierFilterArgs() = default;
ApplyIdentifierFilterArgs::~ApplyIdentifierFilterArgs() = default;
GetProductByIdentifierArgs::~GetProductByIdentifierArgs() = default;
GetProductByIdentifierRetVals::~GetProductByIdentifierRetVals() = default;

IdentifierFilterControllerImpl::IdentifierFilterControllerImpl(std::string identifier)
    : frame_(std::move(identifier)), session_(TSessionHolder::open()) {}

namespace {

const char* const kIdentifierJoin = "identifier.productId = t.lTowarRef";

template <class Args>
const Args& argumentsOf(const boost::shared_ptr<Core::IUnknown>& args) {
    const auto* cast = dynamic_cast<const Args*>(args.get());
    if (cast == nullptr) throw Core::castError();
    return *cast;
}

class GetIdentifierFilterControllerAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute2(const boost::shared_ptr<Core::IUnknown>& args) override {
        return std::make_shared<IdentifierFilterControllerImpl>(argumentsOf<IdentifierFilterArgs>(args).identifier);
    }
};

class ApplyIdentifierFilterAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute2(const boost::shared_ptr<Core::IUnknown>& args) override {
        const auto& apply = argumentsOf<ApplyIdentifierFilterArgs>(args);
        if (!apply.controller) throw Core::castError();
        apply.filter.remove(kIdentifierFilterItemId);
        const std::string& identifier = apply.controller->frame().identifier();
        if (identifier.empty()) return {};
        apply.filter.add({kIdentifierFilterItemId, getIdentifierSqlPart(identifier) + " identifier",
                          std::string("and ") + kIdentifierJoin});
        return {};
    }
};

class GetProductByIdentifierAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute2(const boost::shared_ptr<Core::IUnknown>& args) override {
        const auto& get = argumentsOf<GetProductByIdentifierArgs>(args);
        DBKernel::Sql::OpenedQuery query(
            "select * from towar t, " + getIdentifierSqlPart(get.identifier) + " identifier where " + kIdentifierJoin,
            get.session);
        auto products = boost::make_shared<TTowarCollection>();
        products->load(query);
        return std::make_shared<GetProductByIdentifierRetVals>(std::move(products));
    }
};

}  // namespace

}  // namespace Product::Tools

void registerIdentifierFilterControllerImplObjects(Core::Registrations& registrations) {
    using namespace Product::Tools;
    const Core::SrcInfo source{"Modules/Towary/Tools/IdentifierFilterControllerImpl", __LINE__,
                               "registerIdentifierFilterControllerImplObjects"};
    registrations.add(Core::regActionCreator(kGetIdentifierFilterControllerGuid,
                                             Core::creatorOf<GetIdentifierFilterControllerAction>(), source),
                      source);
    registrations.add(
        Core::regActionCreator(kApplyIdentifierFilterGuid, Core::creatorOf<ApplyIdentifierFilterAction>(), source),
        source);
    registrations.add(
        Core::regActionCreator(kGetProductByIdentifierGuid, Core::creatorOf<GetProductByIdentifierAction>(), source),
        source);
}
