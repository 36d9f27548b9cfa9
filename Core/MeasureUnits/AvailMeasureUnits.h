#pragma once
// Core::AvailMeasureUnits: the store's measure units, the host's process-wide
// list (Core::SingletonImplHolder::get<Core::AvailMeasureUnits>()). Read from
// the store table jednostkamiary when the list is first used and kept while
// its registration lives; products and codes carry a unit's code (nJm...).

#include "Core/Database/TSessionHolder.h"

#include <string>
#include <vector>

namespace Core {

// One measure unit of the list.
class MeasureUnit {
public:
    MeasureUnit(int id, std::string shortName, std::string name);

    // The code products and codes store (nJmSprz, nJm).
    int id() const { return id_; }
    // The abbreviation printed on labels and receipts: "szt", "kg".
    const std::string& shortName() const { return shortName_; }
    // The full name: "sztuka", "kilogram".
    const std::string& name() const { return name_; }

private:
    int id_;
    std::string shortName_;
    std::string name_;
};

class AvailMeasureUnits {
public:
    // The units of the current store, read on its main session.
    AvailMeasureUnits();
    // The units of the session's store.
    explicit AvailMeasureUnits(TSessionHolder session);

    // The unit of the code; throws std::runtime_error "Brak jednostki miary o
    // kodzie N na liście jednostek sklepu." for a code the list does not hold.
    const MeasureUnit& find(int id) const;
    // The unit whose abbreviation or full name is exactly the text; throws
    // std::runtime_error naming the text and the store's units for any other.
    const MeasureUnit& find(const std::string& name) const;
    // The full name of the unit of the code; "" for a code the list does not hold.
    std::string getMeasureUnitNameByCode(int id) const;
    // Every unit, in the order of their codes.
    const std::vector<MeasureUnit>& getAll() const { return units_; }

private:
    const MeasureUnit* lookup(int id) const;

    std::vector<MeasureUnit> units_;
};

}  // namespace Core
