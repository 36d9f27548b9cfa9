#pragma once
// Orvel::Products::StatusChangeDao: the planned status changes' storage
// (table StatusChange, with the products' index and name from towar). It
// keeps no rules: which changes may be planned is the planning window's
// business.

#include "Core/Database/TSessionHolder.h"
#include "Core/Entity/EntityCollection.h"
#include "Core/Export.h"
#include "Core/Products/StatusChange.h"

namespace Orvel::Products {

using StatusChanges = Core::Entity::EntityCollection<StatusChange>;

class TOWARY_EXPORT StatusChangeDao {
public:
    // Every planned change, by day, product index and id.
    StatusChanges load(TSessionHolder session) const;

    // Writes the collection in one transaction: deletes the removed changes
    // and writes the edited ones stamped with the time of the save, the new
    // ones getting their ids. An edited change that another user applied or
    // deleted meanwhile fails the save (std::runtime_error), as does a write
    // the store refuses; then nothing is written and the collection is left
    // as it was.
    void save(StatusChanges& changes, TSessionHolder session) const;
};

}  // namespace Orvel::Products
