#include "Core/Database/DatabaseError.h"

namespace DBKernel {

DatabaseError::DatabaseError(std::string statement, std::string reason, int code)
    : std::runtime_error("Błąd bazy danych: " + reason + "\nPolecenie: " + statement),
      statement_(std::move(statement)),
      reason_(std::move(reason)),
      code_(code) {}

}  // namespace DBKernel
