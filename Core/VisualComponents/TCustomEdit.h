#pragma once
// The host's text field as the module's code meets it: the text a user typed
// and the field's label, by which a refusal names the field.

#include <string>
#include <utility>

namespace Core::VisualComponents {

class TCustomEdit {
public:
    explicit TCustomEdit(std::string label, std::string text = {}) : label_(std::move(label)), text_(std::move(text)) {}

    const std::string& Text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    // The label the form shows beside the field: "Numer wagowy".
    const std::string& label() const { return label_; }

private:
    std::string label_;
    std::string text_;
};

}  // namespace Core::VisualComponents

using Core::VisualComponents::TCustomEdit;
