#include "Core/Db/TQueryDataSet.h"

#include "Core/tools/IgnoringCase.h"

#include <stdexcept>

namespace Db {

TQueryDataSet::TQueryDataSet(TSessionHolder session, std::string sql)
    : session_(std::move(session)), sql_(std::move(sql)) {}

TQueryDataSet::~TQueryDataSet() = default;

void TQueryDataSet::Open() {
    DBKernel::Sql::PreparedQuery query(sql_, session_);
    for (const auto& param : params_)
        if (param.isSet()) query.Params[param.name()].set(param.value());
    query.execute();
    std::vector<std::vector<DBKernel::Value>> records;
    while (query.next()) {
        auto& record = records.emplace_back();
        for (std::size_t i = 0; i < query.columnCount(); ++i) record.push_back(query.field(i).value());
    }
    columns_.clear();
    for (std::size_t i = 0; i < query.columnCount(); ++i) columns_.push_back(query.columnName(i));
    records_ = std::move(records);
    ++opening_;
    open_ = true;
    current_ = 0;
}

void TQueryDataSet::Next() {
    if (!Eof()) ++current_;
}

DBKernel::Sql::ConstField TQueryDataSet::FieldByName(std::string_view column) const {
    if (Eof())
        throw std::runtime_error("Zbiór danych nie ma bieżącego rekordu (kolumna " + std::string(column) + ").");
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (Core::equalsIgnoringCase(columns_[i], column)) return {columns_[i], records_[current_][i]};
    throw std::runtime_error("Zbiór danych nie ma kolumny " + std::string(column) + ".");
}

TBookmark TQueryDataSet::GetBookmark() const {
    if (!open_) throw std::runtime_error("Zbiór danych nie jest otwarty: nie ma pozycji do zapamiętania.");
    return {opening_, current_};
}

bool TQueryDataSet::BookmarkValid(const TBookmark& bookmark) const {
    return open_ && bookmark.dataSetOpening == opening_ && bookmark.record <= records_.size();
}

void TQueryDataSet::GotoBookmark(const TBookmark& bookmark) {
    if (!BookmarkValid(bookmark)) throw std::runtime_error("Zakładka nie wskazuje rekordu zbioru danych.");
    current_ = bookmark.record;
}

}  // namespace Db
