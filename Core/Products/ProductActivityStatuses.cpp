#include "Core/Products/ProductActivityStatuses.h"

#include "Core/Database/Query.h"

namespace Core {

ProductActivityStatuses::ProductActivityStatuses() : ProductActivityStatuses(TSessionHolder()) {}

ProductActivityStatuses::ProductActivityStatuses(TSessionHolder session) {
    DBKernel::Sql::OpenedQuery query(
        "select nStatusAktywnosci, sNazwa from statusaktywnosci order by nStatusAktywnosci", session);
    while (query.next()) statuses_.emplace_back(query["nStatusAktywnosci"].asInt(), query["sNazwa"].asString());
}

const std::string* ProductActivityStatuses::name(int status) const {
    for (const auto& [value, text] : statuses_)
        if (value == status) return &text;
    return nullptr;
}

}  // namespace Core
