#pragma once
// An in-memory SQLite connection with the Oracle dialect's functions, a
// one-row dual table and a newref() counter standing in for the layer's, on
// which tests run translated statements and read their rows as text.

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace TestSupport {

using Value = std::variant<std::nullptr_t, std::int64_t, double, std::string>;
using Params = std::vector<std::pair<std::string, Value>>;  // names without the colon, any case
using Rows = std::vector<std::vector<std::string>>;         // NULL reads "NULL"

class DialectDatabase {
public:
    DialectDatabase();
    DialectDatabase(const DialectDatabase&) = delete;
    DialectDatabase& operator=(const DialectDatabase&) = delete;

    // Plain SQLite text, run as it stands.
    void exec(const std::string& sqlite);
    Rows query(const std::string& sqlite);

    // Translates an Oracle statement and runs its statements in order with the parameters
    // (a statement gets those it names); returns the rows of the last one.
    Rows run(std::string_view oracle, const Params& params = {});

    sqlite3* handle() const { return connection_.get(); }

private:
    Rows step(const std::string& sqlite, const Params& params);

    std::int64_t nextRef_ = 1000;  // newref() hands out 1000, 1001, ...
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> connection_;
};

}  // namespace TestSupport
