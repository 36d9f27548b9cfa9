#pragma once
// DBKernel::Sql: statements run on a session. A Query is an SQL text of the
// module's dialect plus its session, its named parameters (Params) and, once
// run, its rows. The row loop:
//
//     DBKernel::Sql::OpenedQuery query("select sPLU from plu", session);
//     while (query.next()) use(query["sPLU"].asString());
//
// visits every row, the first included; a single-row result is readable right
// after opening, without next(). Columns are found by name without regard to
// case. Rows come from the database as the loop advances; when the session
// writes, commits or rolls back meanwhile, the open loops first read the rest
// of their rows, so a loop sees its rows as they were when it was opened.

#include "Core/Database/Param.h"
#include "Core/Database/TSessionHolder.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace DBKernel::Sql {

class Query;

// A column of the current row of a query, read when asked, so it follows the
// query from row to row.
class Field : public ValueReader<Field> {
public:
    Field(const Query& query, std::size_t index) : query_(&query), index_(index) {}

    const std::string& name() const;
    // A copy of the value.
    Value value() const;
    // The value where it lies, without a copy of its text: valid until the
    // query moves to another row, is closed or its session writes.
    ValueView view() const;
    std::string describe() const { return "kolumna " + name(); }

private:
    const Query* query_;
    std::size_t index_;
};

// A copy of a field's value that stays when the query moves on.
class ConstField : public ValueReader<ConstField> {
public:
    ConstField(const Field& field) : name_(field.name()), value_(field.value()) {}  // implicit: a copy of the field
    ConstField(std::string name, Value value) : name_(std::move(name)), value_(std::move(value)) {}

    const std::string& name() const { return name_; }
    const Value& value() const { return value_; }
    ValueView view() const { return viewOf(value_); }
    std::string describe() const { return "kolumna " + name_; }

private:
    std::string name_;
    Value value_;
};

class Query : private Cursor {
public:
    Query(std::string text, TSessionHolder session);
    virtual ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    ParamList Params;

    // Moves to the next row; the first call after opening stays on the first row.
    bool next();
    // The result has no rows.
    bool empty() const { return empty_; }
    // The column of the current row; throws when the result has no such column.
    Field operator[](std::string_view column) const {
        // Loops read the same columns row after row, by names that mostly lie
        // in one place (literals) and are spelled as the statement spells
        // them: the place remembers its column, checked against the name.
        const Resolved& resolved = resolved_[slotOf(column.data())];
        if (resolved.name == column.data() && statement_ && statement_->columnNames()[resolved.index] == column)
            return Field(*this, resolved.index);
        return resolve(column);
    }
    Field field(std::size_t index) const;
    std::size_t columnCount() const;
    const std::string& columnName(std::size_t index) const;
    // The type the column has in its table's definition (INTEGER, REAL, TEXT:
    // compare without regard to case), empty for an expression; known once
    // the query is prepared.
    const std::string& columnDeclaredType(std::size_t index) const;
    // Rows inserted, updated or deleted by the last run.
    std::int64_t rowsAffected() const { return rowsAffected_; }

    const std::string& text() const { return text_; }
    const TSessionHolder& session() const { return session_; }
    // The statement names the parameter (":name"), compared without regard to
    // case as parameters are bound.
    bool namesParameter(std::string_view name);

protected:
    void prepare();
    // Binds the parameters and runs the statement up to its first row.
    void open();
    void close();
    // Drops the statement and takes another text.
    void replaceText(std::string text);
    bool atRow() const { return atRow_; }
    // Moves on whether or not the first row has been visited.
    bool advance();

private:
    friend class Field;
    Value columnValue(std::size_t index) const {
        if (streaming_ && atRow_) return statement_->column(index);
        return bufferedValue(index);
    }
    ValueView columnView(std::size_t index) const {
        if (streaming_ && atRow_) return statement_->columnView(index);
        return viewOf(bufferedValue(index));
    }
    const Value& bufferedValue(std::size_t index) const;
    Field resolve(std::string_view column) const;
    void readRest() override;
    void bind();
    void stepped(bool row);

    // A column found by a name, by where the name lay.
    struct Resolved {
        const char* name = nullptr;
        std::size_t index = 0;
    };
    // Where the column found by that name is kept, or is to be kept.
    Resolved& placeOf(const char* name) const;
    static std::size_t slotOf(const char* name) {
        return (reinterpret_cast<std::uintptr_t>(name) >> 3) % kResolvedSlots;
    }
    static constexpr std::size_t kResolvedSlots = 16;

    std::string text_;
    TSessionHolder session_;
    std::unique_ptr<Backend::Statement> statement_;
    mutable std::array<Resolved, kResolvedSlots> resolved_{};
    // The parameter of each of the statement's names, found at the first run:
    // a statement run row after row binds without searching Params again.
    // Params only grow and keep their addresses, so a found one stays valid.
    std::vector<const Param*> bound_;
    bool streaming_ = false;  // rows come from the statement, not from rows_
    bool stepping_ = false;   // inside a step: the statement is busy
    bool atRow_ = false;
    bool fresh_ = false;  // opened, and next() has not been called yet
    bool empty_ = true;
    std::int64_t rowsAffected_ = 0;
    std::vector<std::vector<Value>> rows_;  // rows read ahead, from the current one on
    std::size_t row_ = 0;
};

// A write statement (insert, update, delete, merge), prepared when made.
class Command : public Query {
public:
    explicit Command(std::string text, TSessionHolder session = {});
    // Runs the statement; returns the number of rows it changed.
    std::int64_t execute();
};

// A query prepared when made and opened by execute().
class PreparedQuery : public Query {
public:
    explicit PreparedQuery(std::string text, TSessionHolder session = {});
    void execute();
    // Ends the row loop before its last row, so that the statement holds no
    // read of the database between runs (a caller that wants the first row only).
    using Query::close;
};

// A query opened when made.
class OpenedQuery : public Query {
public:
    explicit OpenedQuery(std::string text, TSessionHolder session = {});
    // Runs another text on the same session, with the same parameters.
    void reopen(std::string text);
};

// A dataset query in the manner of the grids: a text set by SQL(), opened by
// Open(), read at the current row and moved by Next() until Eof().
class TQry : public Query {
public:
    explicit TQry(TSessionHolder session, std::string text = {});

    void SQL(std::string text);
    void Open();
    void Close();
    bool Active() const { return active_; }
    bool Eof() const { return !active_ || !atRow(); }
    void Next();
    Field FieldByName(std::string_view column) const { return (*this)[column]; }
    Field Fields(std::size_t index) const { return field(index); }

private:
    bool active_ = false;
};

inline Value Field::value() const { return query_->columnValue(index_); }
inline ValueView Field::view() const { return query_->columnView(index_); }

}  // namespace DBKernel::Sql
