#pragma once
// Core::VisualComponents::TextField: a text field of a form as code that
// reads and fills it sees it; TextBox, one held in memory, is what the
// terminal's commands give such code.

#include <string>
#include <utility>

namespace Core::VisualComponents {

class TextField {
public:
    virtual ~TextField() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

class TextBox : public TextField {
public:
    explicit TextBox(std::string text = {}) : text_(std::move(text)) {}
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

}  // namespace Core::VisualComponents
