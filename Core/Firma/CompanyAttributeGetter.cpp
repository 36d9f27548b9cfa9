#include "Core/Firma/CompanyAttributeGetter.h"

namespace Firmy::Attributes {

CompanyAttributeGetter::CompanyAttributeGetter(std::shared_ptr<Orvel::Dao::CompanyDao> dao) : dao_(std::move(dao)) {}

boost::optional<Firma::CompanyAttribute> CompanyAttributeGetter::getCompanyAttribute(int companyRef,
                                                                                     const std::string& name,
                                                                                     TSessionHolder session) const {
    auto attribute = dao_->findAttribute(companyRef, name, std::move(session));
    if (!attribute) return boost::none;
    return *attribute;
}

}  // namespace Firmy::Attributes
