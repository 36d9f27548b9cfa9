#pragma once
// The product file: CSV in UTF-8 whose header row names columns of the
// store's towar and plu tables (without regard to case). Each further row is
// either a product row (a towar row: a product or a group of the hierarchy)
// or, when its sPLU field is filled, a code row (a plu row). A row fills only
// the columns of its own table; lTowarRef and dataOstSprzed, which both
// tables have, are read as the row's own table's. One column of neither
// table, sNazwaKlasy, gives a product row the name of its class, for the
// multi-price import. An empty field is NULL. Texts are kept composed (NFC);
// a name (sNazwa, sKrNazwa), one line of a label or a till's record, holds no
// control character.
// The whole format is described in docs/products-csv.md.

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "Core/Database/Value.h"
#include "Core/tools/Csv.h"
#include "apps/towary/products/ProductTables.h"

namespace Towary::Host::Products {

// Which table column each field of a file stands for.
class ProductFileLayout {
public:
    struct Field {
        std::string name;                  // as the store spells it
        std::optional<std::size_t> towar;  // index in ProductTables::towar
        std::optional<std::size_t> plu;    // index in ProductTables::plu
        bool className = false;            // sNazwaKlasy: a product's class name, a text
        bool isName = false;               // sNazwa, sKrNazwa: one line, without control characters
    };

    // Every towar column, then the plu columns that towar has not: the layout of an export.
    static ProductFileLayout full(const ProductTables& tables);
    // The layout a header row names; throws std::runtime_error with the reason
    // for an empty, unknown or repeated column name.
    static ProductFileLayout fromHeader(const std::vector<std::string>& header, const ProductTables& tables);

    const std::vector<Field>& fields() const { return fields_; }
    std::vector<std::string> header() const;
    // The field of a table column, when the file has it.
    std::optional<std::size_t> towarField(std::size_t column) const;
    std::optional<std::size_t> pluField(std::size_t column) const;
    std::optional<std::size_t> codeField() const { return codeField_; }
    std::optional<std::size_t> classNameField() const { return classNameField_; }

private:
    std::vector<Field> fields_;
    std::optional<std::size_t> codeField_;       // the field of plu.sPLU
    std::optional<std::size_t> classNameField_;  // the field of sNazwaKlasy
};

struct ProductFileRow {
    bool isCode = false;
    std::size_t line = 0;
    std::vector<DBKernel::Value> values;  // one per field, typed by the row's table
};

// Reads a product file row by row from a stream, checking each row against
// the layout of its header. Every failure is a std::runtime_error "FILE,
// wiersz N: REASON", FILE the name the caller gives.
class ProductFileReader {
public:
    ProductFileReader(std::string name, std::istream& in, const ProductTables& tables);

    const ProductFileLayout& layout() const { return layout_; }
    bool next(ProductFileRow& row);
    [[noreturn]] void fail(std::size_t line, const std::string& reason) const;

private:
    // The next record of the file; false at its end.
    bool readRecord();

    std::string name_;
    const ProductTables& tables_;
    Core::Csv::Reader reader_;
    ProductFileLayout layout_;
    Core::Csv::Record record_;
};

}  // namespace Towary::Host::Products
