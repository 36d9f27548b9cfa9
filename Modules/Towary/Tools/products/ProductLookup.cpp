#include "Modules/Towary/Tools/products/ProductLookup.h"

#include <boost/format.hpp>

#include <stdexcept>

namespace Products::Tools {

ProductLookup::ProductLookup(TSessionHolder session)
    : byIndex_("select ltowarref from towar where sartindex = :productIdentifier", session),
      byPlu_("select ltowarref from plu where splu = :productIdentifier", session) {}

Core::OptRef ProductLookup::find(DBKernel::Sql::PreparedQuery& statement, Cache& cache, const std::string& identifier) {
    if (const auto cached = cache.find(identifier); cached != cache.end()) return cached->second;
    statement.Params["productIdentifier"] = identifier;
    statement.execute();
    Core::OptRef id;
    if (!statement.empty()) id = statement["ltowarref"].asInt64();
    statement.close();
    cache.emplace(identifier, id);
    return id;
}

Core::OptRef ProductLookup::tryGetProductIdByIndex(const std::string& index) { return find(byIndex_, indexCache_, index); }

Core::OptRef ProductLookup::tryGetProductIdByPlu(const std::string& plu) { return find(byPlu_, pluCache_, plu); }

std::int64_t ProductLookup::getProductIdByIndex(const std::string& index) {
    if (const auto id = tryGetProductIdByIndex(index)) return *id;
    throw std::runtime_error((boost::format("Nie znaleziono towaru o indeksie %1%") % index).str());
}

std::int64_t ProductLookup::getProductIdByPlu(const std::string& plu) {
    if (const auto id = tryGetProductIdByPlu(plu)) return *id;
    throw std::runtime_error((boost::format("Nie znaleziono towaru o plu %1%") % plu).str());
}

}  // namespace Products::Tools
