#pragma once
// A select's text with the values it looks for taken out as parameters, so
// that statements differing only in them (a search for one code, then for
// another) share one prepared statement and one translation. Only literals
// whose meaning a parameter keeps are taken: a non-empty text compared with
// "=", listed in an "in (...)" list of literals, or a "like" pattern of the
// two forms the identifier search writes ('%TEXT' after a column, 'TEXT%...'
// after upper(...)), outside select lists, whose columns would be named after
// them. The rest of the text, the empty text ('' is NULL) and numbers stay.

#include "Core/Database/Backend/Backend.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace DBKernel {

struct StatementShape {
    // The shape: the tokens of the text with the literals taken out, or the
    // text itself when none is.
    std::string text;
    // The parameters that stand for the literals (names without the colon),
    // with the texts they are bound to.
    std::vector<std::pair<std::string, std::string>> literals;

    // Never throws: a text the tokenizer does not read is its own shape.
    static StatementShape of(const std::string& text);
};

// A statement prepared from a shape, run as the text it was taken from: it
// bears that text (in errors, in the SQL trace), names only that text's
// parameters, and binds the shape's literals itself.
class ShapedStatement final : public Backend::Statement {
public:
    ShapedStatement(std::unique_ptr<Backend::Statement> shaped, std::string text,
                    std::vector<std::pair<std::string, std::string>> literals);

    // The statement prepared from the shape, when `statement` is a ShapedStatement; else `statement`.
    static std::unique_ptr<Backend::Statement> unshaped(std::unique_ptr<Backend::Statement> statement);
    const std::vector<std::pair<std::string, std::string>>& literals() const { return literals_; }

    const std::vector<std::string>& parameterNames() const override { return names_; }
    void bind(std::size_t index, const Value& value) override { shaped_->bind(positions_.at(index), value); }
    bool start() override;
    bool step() override;
    void reset() override { shaped_->reset(); }
    Value column(std::size_t index) const override { return shaped_->column(index); }
    ValueView columnView(std::size_t index) const override { return shaped_->columnView(index); }
    bool writes() const override { return shaped_->writes(); }
    bool compound() const override { return shaped_->compound(); }
    bool locksRows() const override { return shaped_->locksRows(); }
    bool locksNowait() const override { return shaped_->locksNowait(); }
    std::int64_t rowsChanged() const override { return shaped_->rowsChanged(); }
    std::vector<std::string> engineTexts() const override { return shaped_->engineTexts(); }
    std::string plan() const override { return shaped_->plan(); }

private:
    std::unique_ptr<Backend::Statement> shaped_;
    std::vector<std::pair<std::string, std::string>> literals_;
    std::vector<std::string> names_;       // the text's own parameters
    std::vector<std::size_t> positions_;  // each one's index among the shape's
};

}  // namespace DBKernel
