#pragma once
// Core::Xml::WriterBase: the host's XML writer. Nodes are opened with
// startNode, given text with value, and closed with endNode; close() ends
// every node still open and writes the document to the stream, without a
// declaration or indentation. Values are written with the stream's locale,
// so a caller chooses the decimal point by the locale it gives the stream.

#include "Core/Export.h"

#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace Core::Xml {

class TOWARY_EXPORT WriterBase {
public:
    explicit WriterBase(std::ostream& out);
    ~WriterBase();
    WriterBase(const WriterBase&) = delete;
    WriterBase& operator=(const WriterBase&) = delete;

    // Opens a child of the open node (the root when none is open).
    void startNode(const std::string& name);
    // Appends the value, written as the stream would write it, to the open node's text.
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
