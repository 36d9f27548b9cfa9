#pragma once
// The exception of the store database layer: what the database refused,
// with the statement that was running and the database's own reason.

#include <stdexcept>
#include <string>

namespace DBKernel {

class DatabaseError : public std::runtime_error {
public:
    // statement: the text as the caller wrote it; reason: the database's message.
    DatabaseError(std::string statement, std::string reason);

    const std::string& statement() const { return statement_; }
    const std::string& reason() const { return reason_; }

private:
    std::string statement_;
    std::string reason_;
};

}  // namespace DBKernel
