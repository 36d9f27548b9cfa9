#pragma once
// Core::Xml::WriterBase: the host's XML writer. Nodes are opened with
// startNode, given text with value, and closed with endNode; close() ends
// every node still open and writes the document to the stream, without a
// declaration or indentation. Values are written with the stream's locale,
// so a caller chooses the decimal point by the locale it gives the stream.
// A value XML cannot hold is refused, so that every document written is
// well-formed.

#include "Core/Export.h"

#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

namespace Core::Xml {

// Why an XML document cannot hold the text, in Polish words naming the first
// culprit and what precedes it: a byte that is not UTF-8, or a character that
// is not one of XML's (a control character other than the tab and the line
// ends, U+FFFE, U+FFFF). Nothing when it can.
TOWARY_EXPORT std::optional<std::string> unfitText(std::string_view text);

class TOWARY_EXPORT WriterBase {
public:
    explicit WriterBase(std::ostream& out);
    ~WriterBase();
    WriterBase(const WriterBase&) = delete;
    WriterBase& operator=(const WriterBase&) = delete;

    // Opens a child of the open node (the root when none is open).
    void startNode(const std::string& name);
    // Appends the value, written as the stream would write it, to the open
    // node's text. Throws std::runtime_error "Tekstu nie można zapisać w
    // dokumencie XML: ..." for a text unfitText refuses.
    template <typename T>
    void value(const T& value) {
        std::ostringstream text;
        text.imbue(out_.getloc());
        text << value;
        appendText(text.str());
    }
    void endNode();
    // A child holding only the value: startNode, value, endNode.
    template <typename T>
    void element(const std::string& name, const T& text) {
        startNode(name);
        value(text);
        endNode();
    }
    // Ends the open nodes and writes the document; nothing can be added afterwards.
    void close();

private:
    void appendText(const std::string& text);

    struct Document;
    std::ostream& out_;
    std::unique_ptr<Document> document_;
};

}  // namespace Core::Xml
