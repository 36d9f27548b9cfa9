#pragma once
// GroupRights::InputStream and OutputStream: a Container filled from table
// uzytkgrouprights and saved through the store's procedures of package
// UPRAWNIENIADOGRUPTOWAROW. Both work on the session they are given; database
// errors propagate as DBKernel::DatabaseError.

#include "Core/Database/Procedure.h"
#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Modules/Towary/Tools/rights/Container.h"

#include <string>

namespace GroupRights {

// The entries a user manages himself (rekordemzarzadza 2), or those of a user group.
class TOWARY_EXPORT InputStream {
public:
    InputStream(int userId, TSessionHolder session);
    // The entries of a user group (rekordemzarzadza 1), for the forms that edit them.
    static InputStream forUserGroup(int groupId, TSessionHolder session);

    // Replaces the container's entries with the stored ones, each marked as loaded.
    void containerFromStream(Container& container);

private:
    InputStream(const std::string& statement, const std::string& parameter, int ownerId, TSessionHolder session);

    DBKernel::Sql::PreparedQuery query_;
};

TOWARY_EXPORT InputStream& operator>>(InputStream& stream, Container& container);

// Writes a container back for its owner: each entry created in memory or
// changed since loading through the save procedure, each erased loaded entry
// through the delete procedure. Writes nothing else; the caller commits.
class TOWARY_EXPORT OutputStream {
public:
    struct Names {
        std::string saveProcedure;
        std::string deleteProcedure;
        std::string ownerParameter;
    };
    static const Names Uzytk;  // a user's own rights
    static const Names Group;  // a user group's rights

    OutputStream(const Names& names, int ownerId, TSessionHolder session);

    void containerToStream(const Container& container);

private:
    DBKernel::Sql::Procedure save_;
    DBKernel::Sql::Procedure delete_;
};

}  // namespace GroupRights
