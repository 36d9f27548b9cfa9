#pragma once
// Rows written with plain statements, independent of the code under test:
// products and codes for a test's store, and row counts.

#include "Core/Database/Sql.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

// Parameters by name, bound as Param::set binds them (an empty text stays a text).
using Bindings = std::vector<std::pair<std::string, DBKernel::Value>>;

// Inserts a product row (byCode 6, one price) with the given id, name, group
// index and article index (none when empty).
void addProduct(const TSessionHolder& session, std::int64_t id, const std::string& name,
                const std::string& groupIndex = "0101", const std::string& articleIndex = "");
// Inserts a code of the product, sold by the piece.
void addCode(const TSessionHolder& session, std::int64_t id, std::int64_t productId, const std::string& code,
             int status = 1);
// Runs a statement that returns no rows on the session, with the parameters.
void exec(const TSessionHolder& session, const std::string& statement, const Bindings& parameters = {});
// Runs the write statement on the session with the parameters; gives the rows it changed.
std::int64_t changed(const TSessionHolder& session, const std::string& statement, const Bindings& parameters = {});
// The number of rows of a table, read on the session.
std::int64_t count(const TSessionHolder& session, const std::string& table);
// The rows a query gives, one a line, the columns joined by the separator, NULL as "-".
std::string rows(const TSessionHolder& session, const std::string& query, const std::string& separator = "|");
// The rows a query that ran gives, written as the one above writes them.
std::string rows(DBKernel::Sql::Query& result, const std::string& separator = "|");
// The rows the query gives with the parameters, written as the ones above.
std::string rows(const TSessionHolder& session, const std::string& query, const Bindings& parameters);
// The first column of the first row as text: "<none>" for no row, "<null>" for NULL.
std::string value(const TSessionHolder& session, const std::string& query);

// Counts every id up to ref as handed out in the store of the directory, as rows
// that came with their own ids do: the store's next new id is greater.
void reserveIdsThrough(const std::filesystem::path& directory, std::int64_t ref);

}  // namespace TestSupport
