#include "Core/Products/ProductActivityStatuses.h"

#include "Core/Database/Query.h"

namespace Core {

ProductActivityStatuses::ProductActivityStatuses() : ProductActivityStatuses(TSessionHolder()) {}

ProductActivityStatuses::ProductActivityStatuses(TSessionHolder session) {
    DBKernel::Sql::OpenedQuery query(
        "select nStatusAktywnosci, sNazwa from statusaktywnosci order by nStatusAktywnosci", session);
    while (query.next()) statuses_.push_back({query["nStatusAktywnosci"].asInt(), query["sNazwa"].asString()});
}

const std::string* ProductActivityStatuses::name(int status) const {
    for (const auto& [id, description] : statuses_)
        if (id == status) return &description;
    return nullptr;
}

}  // namespace Core
