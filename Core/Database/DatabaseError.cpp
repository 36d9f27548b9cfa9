#include "Core/Database/DatabaseError.h"

#include <sqlite3.h>

namespace DBKernel {

DatabaseError::DatabaseError(std::string statement, std::string reason, int code, std::string server)
    : std::runtime_error("Błąd bazy danych: " + reason + "\nPolecenie: " + statement),
      statement_(std::move(statement)),
      reason_(std::move(reason)),
      code_(code),
      server_(std::move(server)) {}

DatabaseError DatabaseError::naming(std::string statement) const {
    return DatabaseError(std::move(statement), reason_, code_, server_);
}

bool DatabaseError::busy() const { return (code_ & 0xFF) == SQLITE_BUSY || (code_ & 0xFF) == SQLITE_LOCKED; }

}  // namespace DBKernel
