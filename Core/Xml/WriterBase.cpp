#include "Core/Xml/WriterBase.h"

#include "Core/tools/Utf8.h"

#include <pugixml.hpp>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace Core::Xml {
namespace {

// XML 1.0's Char: tab, the line ends, U+0020-U+D7FF, U+E000-U+FFFD, U+10000 on.
bool isXmlCharacter(UChar32 c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           c >= 0x10000;
}

}  // namespace

std::optional<std::string> unfitText(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto size = static_cast<std::int32_t>(text.size());
    for (std::int32_t at = 0; at < size;) {
        const std::int32_t begin = at;
        UChar32 c = 0;
        U8_NEXT(bytes, at, size, c);
        if (c >= 0 && isXmlCharacter(c)) continue;
        const std::string where = begin == 0 ? "na początku tekstu" : "po „" + std::string(text.substr(0, begin)) + "”";
        if (c >= 0) return "znak " + Core::Utf8::codePointName(static_cast<char32_t>(c)) + " (" + where +
                           ") nie jest dopuszczalny w XML";
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(bytes[begin]));
        return "bajt " + std::string(byte) + " (" + where + ") nie jest znakiem UTF-8";
    }
    return std::nullopt;
}

struct WriterBase::Document {
    pugi::xml_document document;
    pugi::xml_node open;  // the node being written; the document itself at the top
    bool closed = false;
};

WriterBase::WriterBase(std::ostream& out) : out_(out), document_(std::make_unique<Document>()) {
    document_->open = document_->document;
}

WriterBase::~WriterBase() = default;

void WriterBase::startNode(const std::string& name) {
    if (document_->closed) throw std::logic_error("Dokument XML został już zamknięty.");
    document_->open = document_->open.append_child(name.c_str());
}

void WriterBase::appendText(const std::string& text) {
    if (document_->closed || document_->open == document_->document)
        throw std::logic_error("Wartość XML poza węzłem.");
    if (const auto why = unfitText(text))
        throw std::runtime_error("Tekstu nie można zapisać w dokumencie XML: " + *why + ".");
    auto node = document_->open.last_child();
    if (node.type() != pugi::node_pcdata) node = document_->open.append_child(pugi::node_pcdata);
    node.set_value((std::string(node.value()) + text).c_str());
}

void WriterBase::endNode() {
    if (document_->closed || document_->open == document_->document)
        throw std::logic_error("Brak otwartego węzła XML.");
    document_->open = document_->open.parent();
}

void WriterBase::close() {
    if (document_->closed) return;
    document_->closed = true;
    document_->document.save(out_, "", pugi::format_raw | pugi::format_no_declaration);
}

}  // namespace Core::Xml
