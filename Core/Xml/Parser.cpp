#include "Core/Xml/Parser.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <boost/algorithm/string/trim.hpp>
#include <boost/format.hpp>
#include <pugixml.hpp>

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace Xml {
namespace {

// pugixml's reasons are English: the reader of the message gets them in Polish.
const char* reasonOf(pugi::xml_parse_status status) {
    switch (status) {
        case pugi::status_out_of_memory: return "brak pamięci";
        case pugi::status_unrecognized_tag: return "nierozpoznany znacznik";
        case pugi::status_bad_pi: return "błędna instrukcja przetwarzania";
        case pugi::status_bad_comment: return "błędny komentarz";
        case pugi::status_bad_cdata: return "błędna sekcja CDATA";
        case pugi::status_bad_doctype: return "błędna deklaracja typu dokumentu";
        case pugi::status_bad_pcdata: return "błędny tekst";
        case pugi::status_bad_start_element: return "błędny znacznik otwierający";
        case pugi::status_bad_attribute: return "błędny atrybut";
        case pugi::status_bad_end_element: return "błędny znacznik zamykający";
        case pugi::status_end_element_mismatch: return "znacznik zamykający nie pasuje do otwierającego";
        case pugi::status_append_invalid_root: return "niedozwolony element główny";
        case pugi::status_no_document_element: return "brak elementu głównego";
        default: return "błąd odczytu";
    }
}

class PugiNode : public Node {
public:
    // The document is shared so that a node outlives neither its parser nor its list.
    PugiNode(std::shared_ptr<const pugi::xml_document> document, pugi::xml_node node)
        : document_(std::move(document)), node_(node) {}

    std::string name() const override { return node_.name(); }
    std::string value() const override { return node_.text().get(); }
    std::string attribute(const std::string& name) const override {
        return node_.attribute(name.c_str()).value();
    }
    NodeList selectNodes(const std::string& path) const override;

private:
    std::shared_ptr<const pugi::xml_document> document_;
    pugi::xml_node node_;
};

NodeList select(const std::shared_ptr<const pugi::xml_document>& document, pugi::xml_node from,
                const std::string& path) {
    pugi::xpath_node_set found;
    try {
        found = from.select_nodes(path.c_str());
    } catch (const pugi::xpath_exception& e) {
        throw std::runtime_error(
            (boost::format("Niepoprawna ścieżka węzłów XML „%1%” (znak %2%).") % path % (e.result().offset + 1)).str());
    }
    std::vector<std::shared_ptr<const Node>> nodes;
    nodes.reserve(found.size());
    for (const auto& hit : found)
        if (hit.node()) nodes.push_back(std::make_shared<PugiNode>(document, hit.node()));
    return NodeList(std::move(nodes));
}

NodeList PugiNode::selectNodes(const std::string& path) const { return select(document_, node_, path); }

class PugiParser : public Parser {
public:
    void parse(const std::string& text) override {
        document_.reset();
        auto document = std::make_shared<pugi::xml_document>();
        const auto result = document->load_buffer(text.data(), text.size());
        if (!result) throw malformed(result.offset + 1, reasonOf(result.status));
        // pugixml takes an element after the root for a second root; a well-formed document has one.
        std::size_t roots = 0;
        for (const auto& node : document->children())
            if (node.type() == pugi::node_element && ++roots == 2)
                throw malformed(node.offset_debug(), "więcej niż jeden element główny");  // the place of its '<'
        document_ = std::move(document);
    }

    NodeList selectNodes(const std::string& path) const override {
        if (!document_) throw std::logic_error("Nie wczytano dokumentu XML.");
        return select(document_, *document_, path);
    }

private:
    static std::runtime_error malformed(std::ptrdiff_t character, const char* reason) {
        return std::runtime_error(
            (boost::format("Niepoprawny dokument XML (znak %1%): %2%.") % character % reason).str());
    }

    std::shared_ptr<const pugi::xml_document> document_;
};

}  // namespace

Node::~Node() = default;
Parser::~Parser() = default;

double Node::numberValue() const {
    const auto text = boost::algorithm::trim_copy(value());
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(number))
        throw std::runtime_error(
            (boost::format("Wartość węzła XML „%1%” nie jest liczbą: „%2%”.") % name() % value()).str());
    return number;
}

Parser::Factory::Factory() {
    creators_["pugixml"] = [] { return std::make_unique<PugiParser>(); };
}

Parser::Factory& Parser::Factory::instance() {
    static Factory factory;
    return factory;
}

void Parser::Factory::registerParser(const std::string& id, Creator creator) { creators_[id] = std::move(creator); }

std::unique_ptr<Parser> Parser::Factory::create(const std::string& id) const {
    const auto found = creators_.find(id);
    if (found == creators_.end()) {
        std::string known;
        for (const auto& [name, creator] : creators_) known += (known.empty() ? "" : ", ") + name;
        throw std::runtime_error(
            (boost::format("Nieznany parser XML „%1%”; znane parsery: %2%.") % id % known).str());
    }
    return found->second();
}

std::string xmlParserId() {
    return Core::SingletonImplHolder::get<Core::CSetup>()
        .GetRootKey()
        .GetSubKey({"Parametry programu", "XML", "Parser", "Id"})
        .GetVal<std::string>();
}

}  // namespace Xml
