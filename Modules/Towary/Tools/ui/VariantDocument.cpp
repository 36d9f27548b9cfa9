#include "Modules/Towary/Tools/ui/VariantDocument.h"

#include "Core/Xml/Parser.h"

#include <boost/algorithm/string/trim.hpp>

#include <stdexcept>

namespace Towary::ProductTools {

VariantNode::~VariantNode() = default;

namespace {

// One variant of the document read by the store's XML parser; the list keeps
// the parsed document alive.
class XmlVariantNode : public VariantNode {
public:
    XmlVariantNode(std::shared_ptr<const Xml::NodeList> variants, std::size_t index)
        : variants_(std::move(variants)), index_(index) {}

    std::optional<std::string> childText(const std::string& name) const override {
        const Xml::NodeList children = variants_->item(index_).selectNodes(name);
        if (children.count() == 0) return std::nullopt;
        return boost::algorithm::trim_copy(children.item(0).value());
    }
    std::size_t number() const override { return index_ + 1; }

private:
    std::shared_ptr<const Xml::NodeList> variants_;
    std::size_t index_;
};

}  // namespace

std::vector<VariantNodePtr> parseVariants(const std::string& xml, const std::string& source) {
    const auto parser = Xml::Parser::Factory::instance().create(Xml::xmlParserId());
    try {
        parser->parse(xml);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error("Plik wariantów " + source + ": " + e.what());
    }
    // A parsed document has exactly one root element; the variants are its children.
    const Xml::NodeList root = parser->selectNodes("/*");
    const auto found = std::make_shared<const Xml::NodeList>(root.item(0).selectNodes("./variant"));
    std::vector<VariantNodePtr> variants;
    for (std::size_t i = 0; i < found->count(); ++i) variants.push_back(std::make_shared<XmlVariantNode>(found, i));
    return variants;
}

}  // namespace Towary::ProductTools
