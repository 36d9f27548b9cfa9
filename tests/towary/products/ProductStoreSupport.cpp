#include "tests/towary/products/ProductStoreSupport.h"

#include <fstream>

#include "Core/Database/Query.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/StoreCreation.h"

namespace ProductTest {

Store::Store() {
    Towary::Host::createStore();
    session_ = TSessionHolder::open();
}

std::filesystem::path Store::file(const std::string& name, const std::string& text) const {
    const auto file = path() / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

std::vector<std::vector<DBKernel::Value>> rowsOf(const std::string& table, const std::string& key,
                                                 const TSessionHolder& session) {
    DBKernel::Sql::OpenedQuery query("select * from " + table + " order by " + key, session);
    std::vector<std::vector<DBKernel::Value>> rows;
    while (query.next()) {
        auto& row = rows.emplace_back();
        for (std::size_t i = 0; i < query.columnCount(); ++i) row.push_back(query.field(i).value());
    }
    return rows;
}

std::int64_t countOf(const std::string& sql, const TSessionHolder& session) {
    return DBKernel::Sql::OpenedQuery(sql, session).field(0).asInt64();
}

std::vector<std::string> linesOf(const std::string& sql, const TSessionHolder& session) {
    DBKernel::Sql::OpenedQuery query(sql, session);
    std::vector<std::string> lines;
    while (query.next()) {
        auto& line = lines.emplace_back();
        for (std::size_t i = 0; i < query.columnCount(); ++i)
            line += (i ? "|" : "") + (query.field(i).isNull() ? std::string("NULL") : query.field(i).asString());
    }
    return lines;
}

}  // namespace ProductTest
