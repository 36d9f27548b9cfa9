#pragma once
// An in-memory SQLite connection with the Oracle dialect's functions, on which
// tests run plain SQLite text and read its rows as text.

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

namespace TestSupport {

using Rows = std::vector<std::vector<std::string>>;  // NULL reads "NULL"

class DialectDatabase {
public:
    DialectDatabase();

    void exec(const std::string& sqlite);
    Rows query(const std::string& sqlite);

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> connection_;
};

}  // namespace TestSupport
