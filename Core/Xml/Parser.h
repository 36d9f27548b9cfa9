#pragma once
// Xml::Parser: the host's XML reading. A parser takes a document's text and
// selects its nodes by path ("alternative_prices/price": the price children of
// the root element alternative_prices); a node gives its name, its text, its
// attributes, its value as a number and the nodes below it. Parsers are made
// by Xml::Parser::Factory under an identifier; the store's setting "Parametry
// programu" / "XML" / "Parser" / "Id" names the one to use (xmlParserId()).
// Every failure is a std::runtime_error in Polish; selecting before a
// document was read is a std::logic_error.

#include "Core/Export.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Xml {

class NodeList;

class TOWARY_EXPORT Node {
public:
    virtual ~Node();
    virtual std::string name() const = 0;
    // The text the node holds, "" when it holds none.
    virtual std::string value() const = 0;
    // The attribute's text, "" when the node has no such attribute.
    virtual std::string attribute(const std::string& name) const = 0;
    // The nodes the path selects below this node, in document order.
    virtual NodeList selectNodes(const std::string& path) const = 0;
    // The text read as a decimal number with a full stop ("12.5"), blanks
    // around it allowed; any other text fails, naming the node.
    double numberValue() const;
};

class TOWARY_EXPORT NodeList {
public:
    explicit NodeList(std::vector<std::shared_ptr<const Node>> nodes) : nodes_(std::move(nodes)) {}
    std::size_t count() const { return nodes_.size(); }
    const Node& item(std::size_t index) const { return *nodes_.at(index); }

private:
    std::vector<std::shared_ptr<const Node>> nodes_;
};

class TOWARY_EXPORT Parser {
public:
    class Factory;

    virtual ~Parser();
    // Reads the document; a text that is not well-formed XML (a second root
    // element included) fails with the place and the reason, and the parser
    // holds no document.
    virtual void parse(const std::string& text) = 0;
    // The nodes the path selects from the document, in document order;
    // fails when nothing has been parsed or the path is not one.
    virtual NodeList selectNodes(const std::string& path) const = 0;
};

// The process-wide register of parsers by identifier. It starts with the
// parser over pugixml, "pugixml"; a host may register others.
class TOWARY_EXPORT Parser::Factory {
public:
    using Creator = std::function<std::unique_ptr<Parser>()>;

    static Factory& instance();

    // Registers (or replaces) the parser of the identifier.
    void registerParser(const std::string& id, Creator creator);
    // A new parser of the identifier; an identifier nobody registered fails
    // with "Nieznany parser XML ..." and the identifiers known.
    std::unique_ptr<Parser> create(const std::string& id) const;

private:
    Factory();
    std::map<std::string, Creator> creators_;
};

// The identifier of the store's parser: the setting "Parametry programu" /
// "XML" / "Parser" / "Id", read at every call.
TOWARY_EXPORT std::string xmlParserId();

}  // namespace Xml
