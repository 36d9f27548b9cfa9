#include "Core/Firma/CompanyDao.h"

#include "Core/Database/Query.h"

namespace Orvel::Dao {

CompanyDao::~CompanyDao() = default;

std::optional<Firma::CompanyAttribute> CompanyDao::findAttribute(int companyRef, const std::string& name,
                                                                 TSessionHolder session) const {
    DBKernel::Sql::PreparedQuery query(
        "select sWartosc from firmaatrybut where lFirmaRef = :lFirmaRef and sNazwa = :sNazwa", session);
    query.Params["lFirmaRef"] = companyRef;
    query.Params["sNazwa"] = name;
    query.execute();
    if (query.empty()) return std::nullopt;
    const auto value = query["sWartosc"];
    return Firma::CompanyAttribute(companyRef, name, value.isNull() ? std::string() : value.asString());
}

Core::Token registerCompanyDao() {
    return DaoFactory::instance().registerDao(CompanyDao::kName, [] { return std::make_shared<CompanyDao>(); });
}

}  // namespace Orvel::Dao
