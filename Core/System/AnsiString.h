#pragma once
// System::AnsiString: the host's string class. Holds UTF-8 text; Length()
// counts characters, not bytes. Converts to and from std::string implicitly,
// as the host's class does, so that either can be passed where the other is taken.

#include <algorithm>
#include <compare>
#include <ostream>
#include <string>
#include <utility>

namespace System {

class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char* text) : text_(text) {}
    AnsiString(std::string text) : text_(std::move(text)) {}

    operator const std::string&() const { return text_; }
    const std::string& str() const { return text_; }
    const char* c_str() const { return text_.c_str(); }

    // The number of characters (UTF-8 code points).
    int Length() const {
        return static_cast<int>(std::count_if(text_.begin(), text_.end(), [](char byte) {
            return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;  // not a continuation byte
        }));
    }
    bool IsEmpty() const { return text_.empty(); }

    friend bool operator==(const AnsiString&, const AnsiString&) = default;
    friend std::strong_ordering operator<=>(const AnsiString&, const AnsiString&) = default;
    friend std::ostream& operator<<(std::ostream& out, const AnsiString& text) { return out << text.text_; }

private:
    std::string text_;
};

}  // namespace System
