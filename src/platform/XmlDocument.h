#pragma once

#include "platform/Errors.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

// Read-only XML DOM on pugixml. No DTD processing and no external entities; a document that
// is not well-formed (or is hostile: too deep, too large) raises XmlError with the parser's
// message and position. Nodes stay valid while their XmlDocument lives.
class XmlNode {
public:
    XmlNode() = default;

    bool isNull() const;
    bool isElement() const;
    bool isText() const; // text or CDATA
    // The element's name; empty for text nodes.
    QString name() const;
    std::vector<XmlNode> children() const;
    // The first child element with this name (exact comparison), or a null node.
    XmlNode child(const QString& name) const;

    bool hasAttribute(const QString& name) const;
    // The attribute's value with entities decoded; empty when missing.
    QString attribute(const QString& name) const;

    // The text of an element whose only child is one text (or CDATA) node; an element
    // without children gives the empty text. Anything else raises XmlError with
    // "Element does not contain a single text node".
    QString text() const;
    // The element's serialised markup, the element itself included.
    QString markup() const;

private:
    friend class XmlDocument;
    struct Handle;
    explicit XmlNode(std::shared_ptr<void> doc, const void* node);
    std::shared_ptr<void> m_doc;  // keeps the document alive
    const void* m_node = nullptr; // pugi::xml_node_struct*
};

class XmlDocument {
public:
    // Raises IoError when the file cannot be read, XmlError when it is not well-formed.
    static XmlDocument loadFile(const QString& path);
    static XmlDocument loadData(const QByteArray& data);

    // The document's top-level nodes, in document order (elements only: processing
    // instructions, comments and the declaration are left out).
    std::vector<XmlNode> topLevelNodes() const;
    // The first top-level element, or a null node.
    XmlNode documentElement() const;

private:
    XmlDocument() = default;
    std::shared_ptr<pugi::xml_document> m_doc;
};
