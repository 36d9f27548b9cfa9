#pragma once
// Product::Tools::TIdentifierFilterFrame: the identifier field of a report's
// filter panel. It keeps the text of its edit; a typed character enters only
// when the field accepts it (isValidIdentifierChar), while text set as a
// whole (a saved filter restored, a paste) is kept as given. Its layout is a
// form description for a host that draws forms.

#include "Core/Export.h"

#include <string>
#include <string_view>

namespace Product::Tools {

// A control's place on its form, in pixels.
struct TControlPlacement {
    std::string_view name;
    int left;
    int top;
    int width;   // 0: as wide as its content
    int height;  // 0: as high as its content
};

struct TIdentifierFilterFrameForm {
    std::string_view name;
    int width;
    int height;
    std::string_view align;
    TControlPlacement label;
    std::string_view caption;
    TControlPlacement edit;
    std::string_view editAnchors;
};

class TOWARY_EXPORT TIdentifierFilterFrame {
public:
    static constexpr TIdentifierFilterFrameForm kForm = {
        .name = "IdentifierFilterFrame",
        .width = 320,
        .height = 51,
        .align = "alClient",
        .label = {"lblIdentifier", 8, 6, 0, 0},
        .caption = "Identyfikator:",
        .edit = {"txtIdentifier", 8, 20, 305, 23},
        .editAnchors = "akLeft, akTop, akRight",
    };

    explicit TIdentifierFilterFrame(std::string identifier = {}) : identifier_(std::move(identifier)) {}

    // A character typed into the edit: appended in UTF-8 when accepted.
    bool keyPress(char32_t character);
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
    const std::string& identifier() const { return identifier_; }

private:
    std::string identifier_;
};

}  // namespace Product::Tools
