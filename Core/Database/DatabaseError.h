#pragma once
// The exception of the store database layer: what the database refused,
// with the statement that was running and the database's own reason, for
// programmers and the debug log. What a user is told instead is
// Core::userMessage (Core/UserMessage.h), chosen by code().

#include <stdexcept>
#include <string>

namespace DBKernel {

class DatabaseError : public std::runtime_error {
public:
    // statement: the text as the caller wrote it; reason: the database's message;
    // code: the engine's extended result code (SQLite's), 0 when the layer itself refused;
    // server: the server that failed, as DatabaseLocation::text() names it ("" for a file).
    DatabaseError(std::string statement, std::string reason, int code = 0, std::string server = {});

    // The same failure, named by the caller's statement (a procedure, "begin").
    DatabaseError naming(std::string statement) const;

    const std::string& statement() const { return statement_; }
    const std::string& reason() const { return reason_; }
    int code() const { return code_; }
    const std::string& server() const { return server_; }
    // Another session held the lock the statement needed, past the busy timeout.
    bool busy() const;

private:
    std::string statement_;
    std::string reason_;
    int code_;
    std::string server_;
};

}  // namespace DBKernel
