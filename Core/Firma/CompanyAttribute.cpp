#include "Core/Firma/CompanyAttribute.h"

namespace Firma {

CompanyAttribute::CompanyAttribute(int companyRef, std::string name, std::string dataValue)
    : companyRef_(companyRef), name_(std::move(name)), dataValue_(std::move(dataValue)) {}

}  // namespace Firma
