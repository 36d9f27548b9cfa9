#include "apps/towary/products/ProductFile.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "Core/tools/IgnoringCase.h"
#include "Core/tools/Utf8.h"

namespace Towary::Host::Products {
namespace {

const char* const kCodeColumn = "sPLU";
const char* const kClassNameColumn = "sNazwaKlasy";
const char* const kNameColumns[] = {"sNazwa", "sKrNazwa"};

// A tab or a line end in a name would split a label's line or a till's record.
void refuseControlCharacterInName(const std::string& text) {
    if (const auto control = Core::Utf8::firstControlCharacter(text))
        throw std::runtime_error("nazwa zawiera znak sterujący " + Core::Utf8::codePointName(*control) +
                                 "; nazwy nie mogą zawierać tabulacji, końców wiersza ani innych znaków sterujących");
}

}  // namespace

ProductFileLayout ProductFileLayout::full(const ProductTables& tables) {
    std::vector<std::string> header;
    for (const auto& column : tables.towar) header.push_back(column.name);
    for (const auto& column : tables.plu)
        if (!findColumn(tables.towar, column.name)) header.push_back(column.name);
    return fromHeader(header, tables);
}

ProductFileLayout ProductFileLayout::fromHeader(const std::vector<std::string>& header, const ProductTables& tables) {
    ProductFileLayout layout;
    for (const auto& name : header) {
        if (name.empty())
            throw std::runtime_error("kolumna numer " + std::to_string(layout.fields_.size() + 1) + " nie ma nazwy");
        Field field{name, findColumn(tables.towar, name), findColumn(tables.plu, name)};
        field.className = Core::equalsIgnoringCase(name, kClassNameColumn);
        field.isName = std::any_of(std::begin(kNameColumns), std::end(kNameColumns),
                                   [&](const char* column) { return Core::equalsIgnoringCase(name, column); });
        if (!field.towar && !field.plu && !field.className)
            throw std::runtime_error("nieznana kolumna " + name +
                                     ": plik ma tylko kolumny tabel towar i plu oraz sNazwaKlasy");
        field.name = field.className ? kClassNameColumn
                     : field.towar   ? tables.towar[*field.towar].name
                                     : tables.plu[*field.plu].name;
        for (const auto& earlier : layout.fields_)
            if (earlier.name == field.name) throw std::runtime_error("kolumna " + field.name + " powtarza się");
        if (Core::equalsIgnoringCase(field.name, kCodeColumn)) layout.codeField_ = layout.fields_.size();
        if (field.className) layout.classNameField_ = layout.fields_.size();
        layout.fields_.push_back(std::move(field));
    }
    return layout;
}

std::vector<std::string> ProductFileLayout::header() const {
    std::vector<std::string> names;
    for (const auto& field : fields_) names.push_back(field.name);
    return names;
}

std::optional<std::size_t> ProductFileLayout::towarField(std::size_t column) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].towar == column) return i;
    return std::nullopt;
}

std::optional<std::size_t> ProductFileLayout::pluField(std::size_t column) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].plu == column) return i;
    return std::nullopt;
}

ProductFileReader::ProductFileReader(std::string name, std::istream& in, const ProductTables& tables)
    : name_(std::move(name)), tables_(tables), reader_(in) {
    if (!readRecord())
        throw std::runtime_error(name_ + ": plik jest pusty; jego pierwszy wiersz to nagłówek z nazwami kolumn");
    try {
        layout_ = ProductFileLayout::fromHeader(record_.fields, tables_);
    } catch (const std::runtime_error& e) {
        fail(record_.line, e.what());
    }
}

bool ProductFileReader::readRecord() {
    try {
        return reader_.next(record_);
    } catch (const Core::Csv::Error& e) {
        throw std::runtime_error(name_ + ", " + e.what());
    }
}

void ProductFileReader::fail(std::size_t line, const std::string& reason) const {
    throw std::runtime_error(name_ + ", wiersz " + std::to_string(line) + ": " + reason);
}

bool ProductFileReader::next(ProductFileRow& row) {
    if (!readRecord()) return false;
    const auto& fields = layout_.fields();
    if (record_.fields.size() != fields.size())
        fail(record_.line, "pól jest " + std::to_string(record_.fields.size()) + ", a kolumn w nagłówku " +
                               std::to_string(fields.size()));
    row.line = record_.line;
    row.isCode = layout_.codeField() && !record_.fields[*layout_.codeField()].empty();
    row.values.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& text = record_.fields[i];
        if (text.empty()) {
            row.values[i] = {};
            continue;
        }
        const bool className = fields[i].className && !row.isCode;
        const auto column = row.isCode ? fields[i].plu : fields[i].towar;
        if (!column && !className)
            fail(row.line,
                 row.isCode ? "kolumna " + fields[i].name + " należy do towaru, a wiersz z kodem w sPLU opisuje kod"
                            : "kolumna " + fields[i].name + " należy do kodu, a wiersz bez kodu w sPLU opisuje towar");
        try {
            row.values[i] = parseValue(text, className     ? ColumnType::text
                                             : row.isCode  ? tables_.plu[*column].type
                                                           : tables_.towar[*column].type);
            if (fields[i].isName) refuseControlCharacterInName(text);
        } catch (const std::runtime_error& e) {
            fail(row.line, "kolumna " + fields[i].name + ": " + e.what());
        }
    }
    return true;
}

}  // namespace Towary::Host::Products
