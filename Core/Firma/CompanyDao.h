#pragma once
// Orvel::Dao::CompanyDao: the companies' stored data (tables firma and
// firmaatrybut) as the data-access factory gives it under "company"; the host
// registers it with registerCompanyDao.

#include "Core/Dao/DaoFactory.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Firma/CompanyAttribute.h"

#include <optional>
#include <string>

namespace Orvel::Dao {

class TOWARY_EXPORT CompanyDao : public IDao {
public:
    static constexpr const char* kName = "company";

    ~CompanyDao() override;

    // The attribute of that exact name of the company, read on the session;
    // none when the company holds no such attribute (or the store no such company).
    virtual std::optional<Firma::CompanyAttribute> findAttribute(int companyRef, const std::string& name,
                                                                TSessionHolder session) const;
};

// Registers CompanyDao as "company" while the token lives.
TOWARY_EXPORT Core::Token registerCompanyDao();

}  // namespace Orvel::Dao
