#include "Core/MeasureUnits/AvailMeasureUnits.h"

#include "Core/Database/Query.h"
#include "Core/Database/StoreDatabase.h"

#include <boost/format.hpp>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Core {

MeasureUnit::MeasureUnit(int id, std::string shortName, std::string name)
    : id_(id), shortName_(std::move(shortName)), name_(std::move(name)) {}

AvailMeasureUnits::AvailMeasureUnits() : AvailMeasureUnits(TSessionHolder()) {}

AvailMeasureUnits::AvailMeasureUnits(TSessionHolder session) {
    DBKernel::Sql::OpenedQuery query("select nJm, sSkrot, sNazwa from jednostkamiary order by nJm", session);
    while (query.next()) units_.emplace_back(query["nJm"].asInt(), query["sSkrot"].asString(), query["sNazwa"].asString());
    if (units_.empty())
        throw DBKernel::StoreDatabase::emptyList(session.session().location(), "jednostkamiary", "jednostek miary");
}

const MeasureUnit* AvailMeasureUnits::lookup(int id) const {
    const auto unit = std::find_if(units_.begin(), units_.end(), [id](const MeasureUnit& u) { return u.id() == id; });
    return unit == units_.end() ? nullptr : &*unit;
}

const MeasureUnit& AvailMeasureUnits::find(int id) const {
    if (const auto* unit = lookup(id)) return *unit;
    throw std::runtime_error((boost::format("Brak jednostki miary o kodzie %1% na liście jednostek sklepu.") % id).str());
}

const MeasureUnit& AvailMeasureUnits::find(const std::string& name) const {
    const auto unit = std::find_if(units_.begin(), units_.end(),
                                   [&name](const MeasureUnit& u) { return u.shortName() == name || u.name() == name; });
    if (unit != units_.end()) return *unit;
    std::string known;
    for (const auto& u : units_) known += (known.empty() ? "" : ", ") + u.shortName();
    throw std::runtime_error(
        (boost::format("Brak jednostki miary \"%1%\" na liście jednostek sklepu (są: %2%).") % name % known).str());
}

std::string AvailMeasureUnits::getMeasureUnitNameByCode(int id) const {
    const auto* unit = lookup(id);
    return unit != nullptr ? unit->name() : std::string();
}

}  // namespace Core
