#pragma once
// Shared by the database layer's tests: a store with a few products and codes.

#include "Core/Database/Sql.h"

#include <cstdint>
#include <string>

namespace DatabaseTest {

// Inserts a product row with the given id, name and group index.
void addProduct(const TSessionHolder& session, std::int64_t id, const std::string& name,
                const std::string& groupIndex = "0101");
// Inserts a code of the product.
void addCode(const TSessionHolder& session, std::int64_t id, std::int64_t productId, const std::string& code,
             int status = 1);
// The number of rows of a table, read on the session.
std::int64_t count(const TSessionHolder& session, const std::string& table);

}  // namespace DatabaseTest
