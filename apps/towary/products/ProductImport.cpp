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
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceWareLogic.h"
#include "Modules/Towary/Tools/products/WareCommands.h"
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

// What the first reading found in a file whose rows all passed.
struct CheckedFile {
    std::int64_t greatestId = 0;  // the greatest id the file gives
    std::int64_t rows = 0;
};

// The first reading: every row checked.
CheckedFile checkRows(ProductFileReader& reader, const IdFields& ids) {
    std::unordered_map<std::int64_t, std::size_t> productLines, codeLines;
    std::unordered_map<std::string, std::size_t> liveCodeLines;
    std::vector<std::pair<std::int64_t, std::size_t>> codeProducts;  // given product ids of codes, with their lines
    std::int64_t greatest = 0;
    bool productAbove = false;
    std::int64_t rows = 0;
    ProductFileRow row;
    while (reader.next(row)) {
        ++rows;
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
    return {greatest, rows};
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
            // An id is named once, whatever the spelling the engine reports the table's column in.
            if (std::any_of(ids.begin(), ids.end(), [&](const auto& id) { return Core::equalsIgnoringCase(id, name); }))
                continue;
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

// The rows of the file written into the store, one by one, each table
// through one prepared insert.
class RowWriter {
public:
    RowWriter(const ProductTables& tables, const ProductFileReader& reader, const TSessionHolder& session)
        : reader_(reader),
          ids_(reader.layout(), tables),
          session_(session),
          products_("towar", tables.towar, reader.layout(), false, {"lTowarRef"}, session),
          codes_("plu", tables.plu, reader.layout(), true, {"lPluRef", "lTowarRef"}, session) {}

    const IdFields& ids() const { return ids_; }

    // Inserts the product row; returns its id.
    std::int64_t insertProduct(const ProductFileRow& row) {
        const auto given = idIn(row, ids_.product);
        const auto id = given ? *given : pool().getRef(session_);
        try {
            products_.insert(row, {id});
        } catch (const DBKernel::DatabaseError& e) {
            if (exists("towar", "lTowarRef", id, session_))
                reader_.fail(row.line, "towar o ID = " + std::to_string(id) + " jest już w sklepie");
            reader_.fail(row.line, Core::userMessage(e));
        }
        return id;
    }

    // Inserts the code row, of its own product or else of `product`.
    void insertCode(const ProductFileRow& row, std::int64_t product) {
        const auto given = idIn(row, ids_.code);
        const auto code = given ? *given : pool().getRef(session_);
        product = idIn(row, ids_.codeProduct).value_or(product);
        try {
            codes_.insert(row, {code, product});
        } catch (const DBKernel::DatabaseError& e) {
            if (exists("plu", "lPluRef", code, session_))
                reader_.fail(row.line, "kod o ID = " + std::to_string(code) + " jest już w sklepie");
            const auto& codeText = codeOf(row, reader_.layout());
            if (const auto live = isLive(row, ids_) ? liveCodeRow(codeText, session_) : std::nullopt)
                reader_.fail(row.line, "kod " + codeText + " jest już żywy w sklepie, w kodzie o ID = " +
                                           std::to_string(*live) +
                                           "; kod może być żywy (status 1 lub 2) tylko w jednym wierszu");
            if (!exists("towar", "lTowarRef", product, session_))
                reader_.fail(row.line, "nie ma towaru o ID = " + std::to_string(product) + ", do którego należy kod");
            reader_.fail(row.line, Core::userMessage(e));
        }
    }

private:
    static DBKernel::RefPool& pool() { return DBKernel::RefPool::instance(); }

    const ProductFileReader& reader_;
    IdFields ids_;
    TSessionHolder session_;
    Inserter products_;
    Inserter codes_;
};

// A product row with the code rows below it that name no product of their
// own: what the multi-price logic is handed at once.
struct PendingProduct {
    ProductFileRow row;
    std::vector<ProductFileRow> codes;
};

// The product file's rows as the multi-price logic takes them: the product
// (a TTowar of its towar columns), its live codes, its class name and words.
class MultiPriceImport {
public:
    MultiPriceImport(const ProductTables& tables, const ProductFileReader& reader, RowWriter& writer,
                     const TSessionHolder& session, ImportCounts& counts)
        : layout_(reader.layout()),
          writer_(writer),
          session_(session),
          counts_(counts),
          logic_(session, [&counts](const System::AnsiString& text, bool) { counts.log.push_back(text); }, true),
          regularUpdater_(session),
          typeSetter_("update towar set byTyp = :byTyp where lTowarRef = :lTowarRef", session),
          elementRemover_("delete from towar where sGrIndex = :sGrIndex and bWieleCen = 1", session),
          groupingRowFinder_("select 1 from towar where sGrIndex = :sGrIndex and byTyp = " +
                                 std::to_string(Towar::kGroupingType),
                             session) {
        const auto columns = TTowar::columnInfo();
        for (std::size_t i = 0; i < layout_.fields().size(); ++i) {
            const auto& field = layout_.fields()[i];
            if (!field.towar) continue;
            for (std::size_t c = 0; c < columns.size(); ++c)
                if (Core::equalsIgnoringCase(columns[c].column, tables.towar[*field.towar].name))
                    wareFields_.emplace_back(i, c);
        }
    }

    void store(const PendingProduct& pending) {
        TTowar ware;
        for (const auto& [field, column] : wareFields_) ware.set(column, pending.row.values[field]);
        if (ware.IsNullWieleCen()) ware.SetWieleCen(0);
        if (isWareAsStored(ware)) {
            storeAsItStands(pending);
            return;
        }
        TPLUCollection plus;
        std::vector<const ProductFileRow*> deleted;
        for (const auto& code : pending.codes) {
            if (!isLive(code, writer_.ids())) {
                deleted.push_back(&code);
                continue;
            }
            TPLU plu;
            plu.SetPLU(codeOf(code, layout_));
            if (const auto unit = pluValue(code, "nJm")) plu.SetJm(static_cast<int>(*unit));
            plus.push_back(std::move(plu));
        }
        boost::optional<std::string> className;
        if (const auto field = layout_.classNameField(); field && !DBKernel::isNull(pending.row.values[*field]))
            className = std::get<std::string>(pending.row.values[*field]);

        const bool stored = logic_.processWare(ware, plus, className, static_cast<unsigned>(ware.GetAtrWart()),
                                               static_cast<unsigned>(ware.GetAtrMask()));
        const auto outcome = logic_.lastOutcome();
        count(outcome);
        if (outcome == Towar::MultiPriceWareLogic::Outcome::rejected) {  // its codes belong elsewhere
            removeLeftElement(ware);
            return;
        }
        if (outcome == Towar::MultiPriceWareLogic::Outcome::dissolved) {
            storeOnFormerGroupingRow(ware, plus);
        } else if (!stored) {
            storeAsItStands(pending);
            return;
        }
        for (const auto* code : deleted) writer_.insertCode(*code, ware.GetTowarRef());
        ++counts_.products;
        counts_.codes += static_cast<std::int64_t>(deleted.size()) + logic_.codesWritten();
    }

private:
    // A row of a ware as the store keeps it, as an export gives it: a grouping
    // row, or an element under the group index of a grouping row stored (the
    // one above it in the file). A product of headquarters never stands in a
    // ware's own group, so such a row is no product for the multi-price logic
    // (docs/host-behaviours.md).
    bool isWareAsStored(const TTowar& ware) {
        if (ware.GetTyp() == Towar::kGroupingType) return true;
        if (ware.GetWieleCen() == 0) return false;
        groupingRowFinder_.Params["sGrIndex"] = ware.GetGrIndex();
        groupingRowFinder_.execute();
        return !groupingRowFinder_.empty();
    }

    void storeAsItStands(const PendingProduct& pending) {
        const auto id = writer_.insertProduct(pending.row);
        for (const auto& code : pending.codes) writer_.insertCode(code, id);
        ++counts_.products;
        counts_.codes += static_cast<std::int64_t>(pending.codes.size());
    }

    std::optional<std::int64_t> pluValue(const ProductFileRow& row, std::string_view column) const {
        for (std::size_t i = 0; i < layout_.fields().size(); ++i)
            if (layout_.fields()[i].plu && Core::equalsIgnoringCase(layout_.fields()[i].name, column) &&
                !DBKernel::isNull(row.values[i]))
                return std::get<std::int64_t>(row.values[i]);
        return std::nullopt;
    }

    // A ware refused for its codes loses its grouping row but leaves the
    // element made before it. Its group index is then free again, and the
    // next ware made under the same group would take it and that element
    // with it; so the element goes too (docs/host-behaviours.md).
    void removeLeftElement(const TTowar& ware) {
        elementRemover_.Params["sGrIndex"] = ware.GetGrIndex();
        elementRemover_.execute();
    }

    // A dissolved ware's grouping row, now an ordinary product of the parent
    // group, is the product the import describes: it takes the imported
    // values and type, keeps its id and its codes, and gets the imported
    // codes as a stored ware gets them (docs/host-behaviours.md).
    void storeOnFormerGroupingRow(TTowar& ware, TPLUCollection& plus) {
        regularUpdater_.execute(ware);
        typeSetter_.param("byTyp").set(ware.value(TTowar::Typ));
        typeSetter_.param("lTowarRef") = ware.GetTowarRef();
        typeSetter_.execute();
        logic_.updateBarCodes(ware, plus, Towar::MultiPriceWareLogic::bcfExistingWare);
    }

    void count(Towar::MultiPriceWareLogic::Outcome outcome) {
        using Outcome = Towar::MultiPriceWareLogic::Outcome;
        switch (outcome) {
            case Outcome::created: ++counts_.waresCreated; break;
            case Outcome::converted: ++counts_.waresConverted; break;
            case Outcome::moved: ++counts_.waresMoved; break;
            case Outcome::dissolved: ++counts_.waresDissolved; break;
            case Outcome::none:
            case Outcome::updated:
            case Outcome::rejected: break;
        }
    }

    const ProductFileLayout& layout_;
    RowWriter& writer_;
    TSessionHolder session_;
    ImportCounts& counts_;
    std::vector<std::pair<std::size_t, std::size_t>> wareFields_;  // (file field, TTowar column)
    Towar::MultiPriceWareLogic logic_;
    Towar::MainWareUpdater regularUpdater_;
    Towar::Command typeSetter_;
    DBKernel::Sql::Command elementRemover_;
    DBKernel::Sql::PreparedQuery groupingRowFinder_;
};

}  // namespace

std::string inputName(const std::filesystem::path& file) {
    return file == kStandardInput ? "standardowe wejście" : file.string();
}

bool multiPriceHandlingEnabled() {
    return Core::SingletonImplHolder::get<Core::CSetup>()
        .GetRootKey()
        .GetSubKey({"Parametry programu", "Towary", "Towary wielocenowe", "Włączone"})
        .GetVal<bool>();
}

ImportCounts importProducts(const std::filesystem::path& file, const TSessionHolder& session, bool multiPrice,
                            const ImportProgress& progress) {
    const auto tables = ProductTables::read(session);
    const auto name = inputName(file);
    auto text = readInput(file, name);
    CheckedFile checked;
    {
        ProductFileReader reader(name, text, tables);
        checked = checkRows(reader, IdFields(reader.layout(), tables));
    }
    std::int64_t stored = 0;
    const auto storedOne = [&] {
        if (++stored % kProgressRows == 0 && progress) progress(stored, checked.rows);
    };

    text.clear();
    text.seekg(0);
    ProductFileReader reader(name, text, tables);
    DBKernel::TransactionGuard guard(session);
    const auto bulk = session.session().connection().bulkWrite("towar");
    if (checked.greatestId > 0) DBKernel::RefPool::instance().reserveThrough(checked.greatestId, session);
    RowWriter writer(tables, reader, session);
    ImportCounts counts;
    ProductFileRow row;
    if (!multiPrice) {
        std::int64_t lastProduct = 0;
        while (reader.next(row)) {
            if (row.isCode) {
                writer.insertCode(row, lastProduct);
                ++counts.codes;
            } else {
                lastProduct = writer.insertProduct(row);
                ++counts.products;
            }
            storedOne();
        }
        bulk->finish();
        guard.commit();
        if (progress) progress(stored, checked.rows);
        return counts;
    }

    MultiPriceImport multiPriceImport(tables, reader, writer, session, counts);
    std::optional<PendingProduct> pending;
    const auto flush = [&] {
        if (!pending) return;
        try {
            multiPriceImport.store(*pending);
        } catch (const DBKernel::DatabaseError& e) {
            reader.fail(pending->row.line, Core::userMessage(e));
        } catch (const std::runtime_error& e) {
            if (std::string_view(e.what()).starts_with(name + ", wiersz ")) throw;
            reader.fail(pending->row.line, e.what());
        }
        pending.reset();
    };
    while (reader.next(row)) {
        storedOne();
        if (!row.isCode) {
            flush();
            pending = PendingProduct{row, {}};
            continue;
        }
        if (pending && !idIn(row, writer.ids().codeProduct)) {
            pending->codes.push_back(row);
            continue;
        }
        // A code naming its product may name the one above: that one is stored first.
        flush();
        writer.insertCode(row, 0);
        ++counts.codes;
    }
    flush();
    bulk->finish();
    guard.commit();
    if (progress) progress(stored, checked.rows);
    return counts;
}

}  // namespace Towary::Host::Products
