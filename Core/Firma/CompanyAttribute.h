#pragma once
// Firma::CompanyAttribute: one named attribute of a company (table
// firmaatrybut), its data value a text as the company form stores it.

#include "Core/Export.h"

#include <string>

namespace Firma {

class TOWARY_EXPORT CompanyAttribute {
public:
    CompanyAttribute(int companyRef, std::string name, std::string dataValue);

    int getCompanyRef() const { return companyRef_; }
    const std::string& getName() const { return name_; }
    // The stored text; "" for a value the store holds as NULL.
    const std::string& getDataValue() const { return dataValue_; }

private:
    int companyRef_;
    std::string name_;
    std::string dataValue_;
};

}  // namespace Firma
