#pragma once
// Products::Tools::ProductLookup: the id of a product by its article index or
// by one of its codes, each kind through one prepared select and a cache of
// its own. The cache remembers unknown identifiers too and is never
// invalidated: a product added after an identifier was cached as unknown
// stays unknown for this object.

#include "Core/Database/Query.h"
#include "Core/Export.h"
#include "Core/OptRef.h"

#include <string>
#include <unordered_map>

namespace Products::Tools {

class TOWARY_EXPORT ProductLookup {
public:
    explicit ProductLookup(TSessionHolder session);

    Core::OptRef tryGetProductIdByIndex(const std::string& index);
    Core::OptRef tryGetProductIdByPlu(const std::string& plu);
    // Throw std::runtime_error "Nie znaleziono towaru o indeksie INDEX" / "... o plu CODE".
    std::int64_t getProductIdByIndex(const std::string& index);
    std::int64_t getProductIdByPlu(const std::string& plu);

private:
    using Cache = std::unordered_map<std::string, Core::OptRef>;
    static Core::OptRef find(DBKernel::Sql::PreparedQuery& statement, Cache& cache, const std::string& identifier);

    DBKernel::Sql::PreparedQuery byIndex_;
    DBKernel::Sql::PreparedQuery byPlu_;
    Cache indexCache_;
    Cache pluCache_;
};

}  // namespace Products::Tools
