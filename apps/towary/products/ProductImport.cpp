#include "apps/towary/products/ProductImport.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/DatabaseError.h"
#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Price/Price.h"
#include "Core/UserMessage.h"
#include "Core/tools/Numbers.h"
#include "Core/tools/IgnoringCase.h"
#include "apps/towary/products/ProductFile.h"

namespace Towary::Host::Products {
namespace {

using DBKernel::Value;

std::optional<std::int64_t> idIn(const ProductFileRow& row, std::optional<std::size_t> field) {
    if (!field || DBKernel::isNull(row.values[*field])) return std::nullopt;
    return std::get<std::int64_t>(row.values[*field]);
}

// Where a file keeps each table's ids, and what makes a code row live.
struct IdFields {
    explicit IdFields(const ProductFileLayout& layout, const ProductTables& tables)
        : product(layout.towarField(*findColumn(tables.towar, "lTowarRef"))),
          code(layout.pluField(*findColumn(tables.plu, "lPluRef"))),
          codeProduct(layout.pluField(*findColumn(tables.plu, "lTowarRef"))),
          status(layout.pluField(*findColumn(tables.plu, "byStatus"))) {}

    std::optional<std::size_t> product;      // towar.lTowarRef
    std::optional<std::size_t> code;         // plu.lPluRef
    std::optional<std::size_t> codeProduct;  // plu.lTowarRef
    std::optional<std::size_t> status;       // plu.byStatus
};

// A code row of status 1 or 2; the store holds such a code on one row only.
bool isLive(const ProductFileRow& row, const IdFields& ids) {
    const auto status = idIn(row, ids.status);
    return status && (*status == PluStatus::kLive || *status == PluStatus::kLiveSecondary);
}

const std::string& codeOf(const ProductFileRow& row, const ProductFileLayout& layout) {
    return std::get<std::string>(row.values[*layout.codeField()]);
}

// The module reads every integer column as int, and the ids (the columns
// named l...Ref: the rows' own, their products', the users' ones) run from
// 1. A real column is read as an amount of at most four decimal places.
void checkNumbers(ProductFileReader& reader, const ProductFileRow& row) {
    const auto& fields = reader.layout().fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& name = fields[i].name;
        if (const auto* real = std::get_if<double>(&row.values[i])) {
            try {
                static_cast<void>(Core::PurchasePrice(*real));  // the narrowest range of the host's amounts
            } catch (const std::range_error& e) {
                reader.fail(row.line, "kolumna " + name + ": " + e.what());
            }
            continue;
        }
        const auto* number = std::get_if<std::int64_t>(&row.values[i]);
        if (number == nullptr) continue;
        const bool isId = name.size() >= 4 && Core::equalsIgnoringCase(name.substr(0, 1), "l") &&
                          Core::equalsIgnoringCase(name.substr(name.size() - 3), "Ref");
        if (isId && (*number < 1 || *number > DBKernel::kLastRef))
            reader.fail(row.line, "kolumna " + name + ": identyfikator " + std::to_string(*number) +
                                      " jest poza zakresem; " + DBKernel::idRangeText());
        if (!std::in_range<int>(*number))
            reader.fail(row.line, "kolumna " + name + ": liczba " + std::to_string(*number) +
                                      " jest poza zakresem; " +
                                      Core::rangeText("liczby całkowite", std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    }
}

// The first reading: every row checked; the greatest id the file gives.
std::int64_t checkRows(ProductFileReader& reader, const IdFields& ids) {
    std::unordered_map<std::int64_t, std::size_t> productLines, codeLines;
    std::unordered_map<std::string, std::size_t> liveCodeLines;
    std::vector<std::pair<std::int64_t, std::size_t>> codeProducts;  // given product ids of codes, with their lines
    std::int64_t greatest = 0;
    bool productAbove = false;
    ProductFileRow row;
    while (reader.next(row)) {
        checkNumbers(reader, row);
        if (!row.isCode) {
            productAbove = true;
            if (const auto id = idIn(row, ids.product)) {
                if (const auto [at, added] = productLines.emplace(*id, row.line); !added)
                    reader.fail(row.line, "towar o ID = " + std::to_string(*id) + " jest już w wierszu " +
                                              std::to_string(at->second));
                greatest = std::max(greatest, *id);
            }
            continue;
        }
        if (const auto id = idIn(row, ids.code)) {
            if (const auto [at, added] = codeLines.emplace(*id, row.line); !added)
                reader.fail(row.line,
                            "kod o ID = " + std::to_string(*id) + " jest już w wierszu " + std::to_string(at->second));
            greatest = std::max(greatest, *id);
        }
        if (isLive(row, ids)) {
            const auto& text = codeOf(row, reader.layout());
            if (const auto [at, added] = liveCodeLines.emplace(text, row.line); !added)
                reader.fail(row.line, "kod " + text + " jest już żywy w wierszu " + std::to_string(at->second) +
                                          "; kod może być żywy (status 1 lub 2) tylko w jednym wierszu");
        }
        if (const auto product = idIn(row, ids.codeProduct)) {
            const auto at = productLines.find(*product);
            if (at == productLines.end()) codeProducts.emplace_back(*product, row.line);
        } else if (!productAbove) {
            reader.fail(row.line, "kod bez towaru: kod stoi pod wierszem swojego towaru albo podaje jego lTowarRef");
        }
    }
    // A code names a product of the file that stands below it, or one the store already has.
    for (const auto& [product, line] : codeProducts)
        if (const auto at = productLines.find(product); at != productLines.end())
            reader.fail(line, "towar o ID = " + std::to_string(product) + " stoi niżej, w wierszu " +
                                  std::to_string(at->second) + "; kod stoi pod swoim towarem");
    return greatest;
}

// An insert into one table of the columns the file has, plus the ids.
class Inserter {
public:
    Inserter(const std::string& table, const std::vector<Column>& columns, const ProductFileLayout& layout, bool codes,
             const std::vector<std::string>& ids, const TSessionHolder& session) {
        std::vector<std::string> names = ids;
        for (std::size_t i = 0; i < layout.fields().size(); ++i) {
            const auto column = codes ? layout.fields()[i].plu : layout.fields()[i].towar;
            if (!column) continue;
            const auto& name = columns[*column].name;
            if (std::find(ids.begin(), ids.end(), name) != ids.end()) continue;
            names.push_back(name);
            fields_.push_back(i);
        }
        std::string list, params;
        for (const auto& name : names) {
            list += (list.empty() ? "" : ", ") + name;
            params += (params.empty() ? ":" : ", :") + name;
        }
        command_ = std::make_unique<DBKernel::Sql::Command>(
            "insert into " + table + " (" + list + ") values (" + params + ")", session);
        for (const auto& name : names) params_.push_back(&command_->Params[name]);
    }

    // Inserts the row with the given ids (in the order given at construction).
    void insert(const ProductFileRow& row, std::initializer_list<std::int64_t> ids) {
        std::size_t next = 0;
        for (const auto id : ids) *params_[next++] = id;
        for (const auto field : fields_) params_[next++]->set(row.values[field]);
        command_->execute();
    }

private:
    std::unique_ptr<DBKernel::Sql::Command> command_;
    std::vector<std::size_t> fields_;  // the file's field of each column after the ids
    std::vector<DBKernel::Sql::Param*> params_;
};

bool exists(const std::string& table, const std::string& key, std::int64_t id, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery query("select 1 from " + table + " where " + key + " = :id", session);
    query.Params["id"] = id;
    query.execute();
    return !query.empty();
}

// The store's row where the code is live, if any.
std::optional<std::int64_t> liveCodeRow(const std::string& code, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery query("select lPluRef from plu where sPLU = :code and byStatus in (1, 2)", session);
    query.Params["code"] = code;
    query.execute();
    if (query.empty()) return std::nullopt;
    return query["lPluRef"].asInt64();
}

// The whole input, read once: the import goes through it twice, and standard
// input or a pipe can be read only once.
std::stringstream readInput(const std::filesystem::path& file, const std::string& name) {
    std::ifstream opened;
    if (file != kStandardInput) {
        opened.open(file, std::ios::binary);
        if (!opened) throw std::runtime_error("Nie można otworzyć pliku " + name + ".");
    }
    std::istream& in = file == kStandardInput ? std::cin : opened;
    std::stringstream text;
    // Copying nothing would mark the copy failed: an empty input is reported as such later.
    if (in.peek() != std::istream::traits_type::eof()) text << in.rdbuf();
    if (in.bad() || text.bad()) throw std::runtime_error("Nie można odczytać: " + name + ".");
    return text;
}

}  // namespace

std::string inputName(const std::filesystem::path& file) {
    return file == kStandardInput ? "standardowe wejście" : file.string();
}

ImportCounts importProducts(const std::filesystem::path& file, const TSessionHolder& session) {
    const auto tables = ProductTables::read(session);
    const auto name = inputName(file);
    auto text = readInput(file, name);
    std::int64_t greatestId = 0;
    {
        ProductFileReader reader(name, text, tables);
        greatestId = checkRows(reader, IdFields(reader.layout(), tables));
    }

    text.clear();
    text.seekg(0);
    ProductFileReader reader(name, text, tables);
    const IdFields ids(reader.layout(), tables);
    DBKernel::TransactionGuard guard(session);
    auto& pool = DBKernel::RefPool::instance();
    if (greatestId > 0) pool.reserveThrough(greatestId, session);
    Inserter products("towar", tables.towar, reader.layout(), false, {"lTowarRef"}, session);
    Inserter codes("plu", tables.plu, reader.layout(), true, {"lPluRef", "lTowarRef"}, session);

    ImportCounts counts;
    std::int64_t lastProduct = 0;
    ProductFileRow row;
    while (reader.next(row)) {
        if (!row.isCode) {
            const auto given = idIn(row, ids.product);
            lastProduct = given ? *given : pool.getRef(session);
            try {
                products.insert(row, {lastProduct});
            } catch (const DBKernel::DatabaseError& e) {
                if (exists("towar", "lTowarRef", lastProduct, session))
                    reader.fail(row.line, "towar o ID = " + std::to_string(lastProduct) + " jest już w sklepie");
                reader.fail(row.line, Core::userMessage(e));
            }
            ++counts.products;
            continue;
        }
        const auto given = idIn(row, ids.code);
        const auto code = given ? *given : pool.getRef(session);
        const auto product = idIn(row, ids.codeProduct).value_or(lastProduct);
        try {
            codes.insert(row, {code, product});
        } catch (const DBKernel::DatabaseError& e) {
            if (exists("plu", "lPluRef", code, session))
                reader.fail(row.line, "kod o ID = " + std::to_string(code) + " jest już w sklepie");
            const auto& codeText = codeOf(row, reader.layout());
            if (const auto live = isLive(row, ids) ? liveCodeRow(codeText, session) : std::nullopt)
                reader.fail(row.line, "kod " + codeText + " jest już żywy w sklepie, w kodzie o ID = " +
                                          std::to_string(*live) +
                                          "; kod może być żywy (status 1 lub 2) tylko w jednym wierszu");
            if (!exists("towar", "lTowarRef", product, session))
                reader.fail(row.line, "nie ma towaru o ID = " + std::to_string(product) + ", do którego należy kod");
            reader.fail(row.line, Core::userMessage(e));
        }
        ++counts.codes;
    }
    guard.commit();
    return counts;
}

}  // namespace Towary::Host::Products
