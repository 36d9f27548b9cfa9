#include "Core/Database/Query.h"

#include "Core/Database/DatabaseError.h"
#include "Core/tools/IgnoringCase.h"

#include <algorithm>

namespace DBKernel::Sql {

const std::string& Field::name() const { return query_->columnName(index_); }

Query::Query(std::string text, TSessionHolder session) : text_(std::move(text)), session_(std::move(session)) {}

Query::~Query() {
    close();
    if (statement_) session_.session().giveBack(std::move(statement_));
}

bool Query::next() {
    if (fresh_) {
        fresh_ = false;
        return atRow_;
    }
    return advance();
}

Field Query::resolve(std::string_view column) const {
    if (statement_) {
        const auto& names = statement_->columnNames();
        // The place's column kept beyond its slot (another name took that
        // first), or named in another case (a server folds names to lower case).
        Resolved& place = placeOf(column.data());
        if (place.name == column.data() && Core::equalsIgnoringCase(names[place.index], column))
            return Field(*this, place.index);
        auto found = std::find(names.begin(), names.end(), column);
        if (found == names.end())
            found = std::find_if(names.begin(), names.end(),
                                 [&](const std::string& name) { return Core::equalsIgnoringCase(name, column); });
        if (found != names.end()) {
            place = {column.data(), static_cast<std::size_t>(found - names.begin())};
            return Field(*this, place.index);
        }
    }
    throw DatabaseError(text_, "wynik nie ma kolumny " + std::string(column));
}

Query::Resolved& Query::placeOf(const char* name) const {
    // Names lying close in memory share a home slot; probing on keeps each one's column
    // instead of letting them take the slot from each other on every row. With every slot
    // taken by other names, the home slot is given up to this one.
    const std::size_t home = slotOf(name);
    for (std::size_t probes = 0; probes < kResolvedSlots; ++probes) {
        Resolved& place = resolved_[(home + probes) % kResolvedSlots];
        if (place.name == nullptr || place.name == name) return place;
    }
    return resolved_[home];
}

Field Query::field(std::size_t index) const {
    if (index >= columnCount())
        throw DatabaseError(text_, "wynik nie ma kolumny numer " + std::to_string(index + 1));
    return Field(*this, index);
}

std::size_t Query::columnCount() const { return statement_ ? statement_->columnNames().size() : 0; }

const std::string& Query::columnName(std::size_t index) const { return statement_->columnNames().at(index); }

const std::string& Query::columnDeclaredType(std::size_t index) const {
    return statement_->columnDeclaredTypes().at(index);
}

void Query::prepare() {
    if (statement_) return;
    statement_ = session_.session().acquire(text_);
    bound_.assign(statement_->parameterNames().size(), nullptr);
}

bool Query::namesParameter(std::string_view name) {
    prepare();
    const auto& names = statement_->parameterNames();
    return std::any_of(names.begin(), names.end(),
                       [name](const std::string& named) { return Core::equalsIgnoringCase(named, name); });
}

void Query::bind() {
    const auto& names = statement_->parameterNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (bound_[i] == nullptr) bound_[i] = Params.find(names[i]);
        const Param* param = bound_[i];
        if (param == nullptr || !param->isSet()) throw DatabaseError(text_, "nie ustawiono parametru :" + names[i]);
        statement_->bind(i, param->value());
    }
}

void Query::open() {
    close();
    prepare();
    bind();
    auto& session = session_.session();
    stepping_ = true;
    bool row = false;
    try {
        row = session.run(*statement_, this);
    } catch (...) {
        stepping_ = false;
        throw;
    }
    stepping_ = false;
    rowsAffected_ = statement_->rowsChanged();
    fresh_ = true;
    empty_ = !row;
    atRow_ = row;
    if (!row) {
        statement_->reset();
        return;
    }
    streaming_ = true;
    session.cursorOpened(*this);
}

void Query::close() {
    if (streaming_) {
        session_.session().cursorClosed(*this);
        statement_->reset();
        streaming_ = false;
    }
    rows_.clear();
    row_ = 0;
    atRow_ = false;
    fresh_ = false;
}

void Query::replaceText(std::string text) {
    close();
    if (statement_) session_.session().giveBack(std::move(statement_));
    resolved_ = {};
    text_ = std::move(text);
}

bool Query::advance() {
    fresh_ = false;
    if (!atRow_) return false;
    if (!streaming_) {
        atRow_ = ++row_ < rows_.size();
        return atRow_;
    }
    stepping_ = true;
    bool row = false;
    try {
        row = statement_->step();
    } catch (...) {
        stepping_ = false;
        close();
        throw;
    }
    stepping_ = false;
    if (!row) close();
    return row;
}

const Value& Query::bufferedValue(std::size_t index) const {
    if (!atRow_) throw DatabaseError(text_, "zapytanie nie stoi na żadnym wierszu");
    return rows_[row_][index];
}

void Query::readRest() {
    if (!streaming_ || stepping_) return;
    stepping_ = true;
    try {
        const std::size_t columns = columnCount();
        rows_.clear();
        row_ = 0;
        do {
            auto& row = rows_.emplace_back();
            row.reserve(columns);
            for (std::size_t i = 0; i < columns; ++i) row.push_back(statement_->column(i));
        } while (statement_->step());
    } catch (...) {
        stepping_ = false;
        close();
        throw;
    }
    stepping_ = false;
    streaming_ = false;
    session_.session().cursorClosed(*this);
    statement_->reset();
}

Command::Command(std::string text, TSessionHolder session) : Query(std::move(text), std::move(session)) { prepare(); }

std::int64_t Command::execute() {
    open();
    close();
    return rowsAffected();
}

PreparedQuery::PreparedQuery(std::string text, TSessionHolder session) : Query(std::move(text), std::move(session)) {
    prepare();
}

void PreparedQuery::execute() { open(); }

OpenedQuery::OpenedQuery(std::string text, TSessionHolder session) : Query(std::move(text), std::move(session)) {
    open();
}

void OpenedQuery::reopen(std::string text) {
    replaceText(std::move(text));
    open();
}

TQry::TQry(TSessionHolder session, std::string text) : Query(std::move(text), std::move(session)) {}

void TQry::SQL(std::string text) {
    active_ = false;
    replaceText(std::move(text));
}

void TQry::Open() {
    open();
    active_ = true;
}

void TQry::Close() {
    close();
    active_ = false;
}

void TQry::Next() { advance(); }

}  // namespace DBKernel::Sql
