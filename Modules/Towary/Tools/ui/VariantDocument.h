#pragma once
// The purchase-condition variants document: its variants are the elements
// "variant" directly under the root element, each carrying its values in
// child elements. VariantNode is what the grid and the order-position fill
// read of one variant, so that they do not depend on the XML parser behind it
// (the store's, Xml::Parser).

#include "Core/Export.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Towary::ProductTools {

class TOWARY_EXPORT VariantNode {
public:
    virtual ~VariantNode();
    // The text of the child element of that name (blanks at its ends
    // dropped); none when the variant has no such element.
    virtual std::optional<std::string> childText(const std::string& name) const = 0;
    // The variant's place in the document, counted from 1, for messages.
    virtual std::size_t number() const = 0;
};

using VariantNodePtr = std::shared_ptr<const VariantNode>;

// The variants of a document given as text, in document order. Throws
// std::runtime_error in Polish when the text is not well-formed XML, naming
// the source and the place.
TOWARY_EXPORT std::vector<VariantNodePtr> parseVariants(const std::string& xml, const std::string& source);

}  // namespace Towary::ProductTools
