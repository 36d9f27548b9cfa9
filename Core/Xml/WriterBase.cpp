#include "Core/Xml/WriterBase.h"

#include <pugixml.hpp>

#include <stdexcept>

namespace Core::Xml {

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
