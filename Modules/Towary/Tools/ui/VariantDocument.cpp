#include "Modules/Towary/Tools/ui/VariantDocument.h"

#include <pugixml.hpp>

#include <algorithm>
#include <stdexcept>

namespace Towary::ProductTools {

VariantNode::~VariantNode() = default;

namespace {

class PugiVariantNode : public VariantNode {
public:
    PugiVariantNode(std::shared_ptr<const pugi::xml_document> document, pugi::xml_node node, std::size_t number)
        : document_(std::move(document)), node_(node), number_(number) {}

    std::optional<std::string> childText(const std::string& name) const override {
        const pugi::xml_node child = node_.child(name.c_str());
        if (!child) return std::nullopt;
        return std::string(child.text().get());
    }
    std::size_t number() const override { return number_; }

private:
    std::shared_ptr<const pugi::xml_document> document_;  // owns the node
    pugi::xml_node node_;
    std::size_t number_;
};

// The line of a byte offset of the text, counted from 1.
std::size_t lineOf(const std::string& text, std::ptrdiff_t offset) {
    const auto end = text.begin() + std::min<std::ptrdiff_t>(std::max<std::ptrdiff_t>(offset, 0), text.size());
    return 1 + static_cast<std::size_t>(std::count(text.begin(), end, '\n'));
}

}  // namespace

std::vector<VariantNodePtr> parseVariants(const std::string& xml, const std::string& source) {
    auto document = std::make_shared<pugi::xml_document>();
    const pugi::xml_parse_result parsed =
        document->load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_trim_pcdata);
    if (!parsed)
        throw std::runtime_error("Plik wariantów " + source + " nie jest poprawnym dokumentem XML (wiersz " +
                                 std::to_string(lineOf(xml, parsed.offset)) + ").");
    const pugi::xml_node root = document->document_element();
    if (!root) throw std::runtime_error("Plik wariantów " + source + " nie zawiera żadnego elementu XML.");
    std::vector<VariantNodePtr> variants;
    for (const pugi::xpath_node& variant : root.select_nodes("./variant"))
        variants.push_back(std::make_shared<PugiVariantNode>(document, variant.node(), variants.size() + 1));
    return variants;
}

}  // namespace Towary::ProductTools
