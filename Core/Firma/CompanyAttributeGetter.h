#pragma once
// Firmy::Attributes::CompanyAttributeGetter: a company's attribute by the
// company's id and the attribute's name, over the company data-access object.

#include "Core/Firma/CompanyDao.h"

#include <boost/optional.hpp>

#include <memory>
#include <string>

namespace Firmy::Attributes {

class TOWARY_EXPORT CompanyAttributeGetter {
public:
    explicit CompanyAttributeGetter(std::shared_ptr<Orvel::Dao::CompanyDao> dao);

    // The attribute, read on the session; none when the company does not hold it.
    boost::optional<Firma::CompanyAttribute> getCompanyAttribute(int companyRef, const std::string& name,
                                                                 TSessionHolder session) const;

private:
    std::shared_ptr<Orvel::Dao::CompanyDao> dao_;
};

}  // namespace Firmy::Attributes
