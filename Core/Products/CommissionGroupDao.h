#pragma once
// Towar::CommissionGroupDao: the commission groups' storage (table
// CommissionGroup), as the data-access factory gives it under
// "CommissionGroup"; the host registers it with registerCommissionGroupDao.

#include "Core/Dao/DaoFactory.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Entity/EntityCollection.h"
#include "Core/Products/CommissionGroup.h"

namespace Towar {

using CommissionGroups = Core::Entity::EntityCollection<CommissionGroup>;

class TOWARY_EXPORT CommissionGroupDao : public Orvel::Dao::IDao {
public:
    static constexpr const char* kName = "CommissionGroup";

    ~CommissionGroupDao() override;

    // Every group, by number and then id.
    virtual CommissionGroups load(TSessionHolder session) const;

    // Deletes the groups removed from the collection, all or none. The store
    // refuses to delete a group that has recipients or that products name.
    virtual void save(const CommissionGroups& groups, TSessionHolder session) const;
};

// Registers CommissionGroupDao as "CommissionGroup" while the token lives.
TOWARY_EXPORT Core::Token registerCommissionGroupDao();

}  // namespace Towar
