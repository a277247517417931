#include "platform/XmlDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <unordered_set>

namespace {

// Deeper documents are refused: nothing this program reads nests more than a few levels,
// and a limit keeps every later walk over the tree cheap and bounded.
constexpr int maxDepth = 10000;
constexpr qsizetype maxDocumentBytes = qsizetype(256) * 1024 * 1024;
const char* const notSingleText = "Element does not contain a single text node";

pugi::xml_node toPugi(const void* node)
{
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(const_cast<void*>(node)));
}

QString fromUtf8(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray toUtf8Name(const QString& name)
{
    return name.toUtf8();
}

// --- decoding -----------------------------------------------------------------------------

bool startsWith(const QByteArray& data, const char* prefix, int length)
{
    return data.size() >= length && memcmp(data.constData(), prefix, size_t(length)) == 0;
}

// The name in the declaration's encoding="..." (lower case), or empty.
QString declaredEncoding(const QByteArray& data)
{
    static const QRegularExpression decl(R"(^\s*<\?xml[^>]*?encoding\s*=\s*["']([A-Za-z0-9._:-]+)["'])");
    const auto match = decl.match(QString::fromLatin1(data.left(512)));
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

bool isLatin1Name(const QString& name)
{
    return name == "iso-8859-1" || name == "latin1" || name == "latin-1" || name == "l1" ||
           name == "us-ascii" || name == "ascii" || name == "iso_8859-1" || name == "iso8859-1";
}

QByteArray decodeWith(QStringConverter::Encoding encoding, const QByteArray& data)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInvalidToNull);
    return QString(decoder(data)).toUtf8();
}

// Everything is handed to the parser as UTF-8: a BOM (or the pattern of "<?" without one)
// names UTF-16 or UTF-32, a declared Latin-1 (or Windows ANSI) encoding is decoded as such,
// anything else is read as UTF-8.
QByteArray toUtf8(const QByteArray& data)
{
    if (startsWith(data, "\xEF\xBB\xBF", 3))
        return data.mid(3);
    if (startsWith(data, "\xFF\xFE\x00\x00", 4) || startsWith(data, "<\0\0\0", 4))
        return decodeWith(QStringConverter::Utf32LE, startsWith(data, "\xFF\xFE", 2) ? data.mid(4) : data);
    if (startsWith(data, "\x00\x00\xFE\xFF", 4) || startsWith(data, "\0\0\0<", 4))
        return decodeWith(QStringConverter::Utf32BE,
                          startsWith(data, "\0\0\xFE\xFF", 4) ? data.mid(4) : data);
    if (startsWith(data, "\xFF\xFE", 2) || startsWith(data, "<\0", 2))
        return decodeWith(QStringConverter::Utf16LE, startsWith(data, "\xFF\xFE", 2) ? data.mid(2) : data);
    if (startsWith(data, "\xFE\xFF", 2) || startsWith(data, "\0<", 2))
        return decodeWith(QStringConverter::Utf16BE, startsWith(data, "\xFE\xFF", 2) ? data.mid(2) : data);
    const QString encoding = declaredEncoding(data);
    // A UTF-16 or UTF-32 name on text without their byte pattern is a wrong declaration on
    // 8-bit text; such text is taken as UTF-8.
    if (encoding.isEmpty() || encoding.startsWith("utf") || encoding.startsWith("ucs"))
        return data;
    if (isLatin1Name(encoding))
        return QString::fromLatin1(data).toUtf8();
    // Other 8-bit encodings as far as this Qt knows them (Windows ANSI pages among them);
    // an unknown name is read as UTF-8, as the parser would.
    QStringDecoder decoder(encoding.toLatin1().constData());
    if (decoder.isValid())
        return QString(decoder(data)).toUtf8();
    if (encoding == "windows-1252" || encoding == "cp1252")
        return QString::fromLatin1(data).toUtf8();
    return data;
}

// --- errors -------------------------------------------------------------------------------

// "line L, column C" of a byte offset into UTF-8 text; columns count characters.
QString position(const QByteArray& utf8, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, utf8.size());
    int line = 1;
    int column = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

[[noreturn]] void fail(const QString& message, const QByteArray& utf8, qsizetype offset)
{
    offset = std::max<qsizetype>(offset, 0);
    throw XmlError(QStringLiteral("%1 at %2").arg(message, position(utf8, offset)));
}

// --- structure checks the parser leaves to us ----------------------------------------------

// Where a node starts: the parser records an element at its name, one past the "<".
qsizetype nodeOffset(pugi::xml_node node)
{
    const qsizetype offset = qsizetype(node.offset_debug());
    return node.type() == pugi::node_element ? offset - 1 : offset;
}

void checkTopLevel(const pugi::xml_document& doc, const QByteArray& utf8)
{
    int elements = 0;
    for (auto node = doc.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && ++elements > 1)
            fail("Only one top level element is allowed", utf8, nodeOffset(node));
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            fail("Text is not allowed outside the document element", utf8, nodeOffset(node));
    }
    if (elements == 0)
        fail("No document element found", utf8, utf8.size());
}

// The parser does not look for an attribute given twice in one element.
void checkAttributes(pugi::xml_node element, const QByteArray& utf8)
{
    std::unordered_set<std::string_view> names;
    for (auto attr = element.first_attribute(); attr; attr = attr.next_attribute())
        if (!names.insert(attr.name()).second)
            fail(QStringLiteral("Duplicate attribute \"%1\"").arg(fromUtf8(attr.name())), utf8,
                 nodeOffset(element));
}

// Walks the tree without recursion, so that a hostile nesting cannot exhaust the stack.
void checkTree(const pugi::xml_document& doc, const QByteArray& utf8)
{
    int depth = 0;
    pugi::xml_node node = doc.first_child();
    while (node) {
        if (node.first_attribute())
            checkAttributes(node, utf8);
        if (node.first_child()) {
            node = node.first_child();
            if (++depth > maxDepth)
                fail(QStringLiteral("Elements are nested deeper than %1 levels").arg(maxDepth), utf8,
                     nodeOffset(node));
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node)
            node = node.next_sibling();
    }
}

std::shared_ptr<pugi::xml_document> parse(const QByteArray& data)
{
    if (data.size() > maxDocumentBytes)
        throw XmlError(QStringLiteral("The document is larger than %1 bytes").arg(maxDocumentBytes));
    const QByteArray utf8 = toUtf8(data);
    if (const qsizetype nul = utf8.indexOf('\0'); nul >= 0)
        fail("Invalid character (NUL)", utf8, nul);
    auto doc = std::make_shared<pugi::xml_document>();
    const unsigned options = pugi::parse_default & ~pugi::parse_doctype;
    const pugi::xml_parse_result result =
        doc->load_buffer(utf8.constData(), size_t(utf8.size()), options, pugi::encoding_utf8);
    if (!result)
        fail(fromUtf8(result.description()), utf8, qsizetype(result.offset));
    checkTopLevel(*doc, utf8);
    checkTree(*doc, utf8);
    return doc;
}

} // namespace

// --- XmlNode ------------------------------------------------------------------------------

XmlNode::XmlNode(std::shared_ptr<void> doc, const void* node) : m_doc(std::move(doc)), m_node(node) {}

bool XmlNode::isNull() const
{
    return m_node == nullptr;
}

bool XmlNode::isElement() const
{
    return m_node && toPugi(m_node).type() == pugi::node_element;
}

bool XmlNode::isText() const
{
    const auto type = m_node ? toPugi(m_node).type() : pugi::node_null;
    return type == pugi::node_pcdata || type == pugi::node_cdata;
}

QString XmlNode::name() const
{
    return isElement() ? fromUtf8(toPugi(m_node).name()) : QString();
}

std::vector<XmlNode> XmlNode::children() const
{
    std::vector<XmlNode> result;
    if (!m_node)
        return result;
    for (auto child = toPugi(m_node).first_child(); child; child = child.next_sibling())
        result.push_back(XmlNode(m_doc, child.internal_object()));
    return result;
}

XmlNode XmlNode::child(const QString& name) const
{
    if (!m_node)
        return {};
    const auto found = toPugi(m_node).child(toUtf8Name(name).constData());
    return found ? XmlNode(m_doc, found.internal_object()) : XmlNode();
}

bool XmlNode::hasAttribute(const QString& name) const
{
    return isElement() && bool(toPugi(m_node).attribute(toUtf8Name(name).constData()));
}

QString XmlNode::attribute(const QString& name) const
{
    if (!isElement())
        return {};
    return fromUtf8(toPugi(m_node).attribute(toUtf8Name(name).constData()).value());
}

QString XmlNode::text() const
{
    if (!m_node)
        return {};
    const auto node = toPugi(m_node);
    if (isText())
        return fromUtf8(node.value());
    const auto first = node.first_child();
    if (!first)
        return {};
    const bool single = !first.next_sibling();
    if (!single || (first.type() != pugi::node_pcdata && first.type() != pugi::node_cdata))
        throw XmlError(notSingleText);
    return fromUtf8(first.value());
}

namespace {

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

} // namespace

QString XmlNode::markup() const
{
    if (!m_node)
        return {};
    StringWriter writer;
    // Raw and with explicit end tags, so an empty element still reads "<name></name>".
    toPugi(m_node).print(writer, "", pugi::format_raw | pugi::format_no_empty_element_tags,
                         pugi::encoding_utf8);
    return QString::fromUtf8(writer.text.data(), qsizetype(writer.text.size()));
}

// --- XmlDocument --------------------------------------------------------------------------

XmlDocument XmlDocument::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    if (file.size() > maxDocumentBytes)
        throw XmlError(QStringLiteral("The document is larger than %1 bytes").arg(maxDocumentBytes));
    return loadData(file.readAll());
}

XmlDocument XmlDocument::loadData(const QByteArray& data)
{
    XmlDocument document;
    document.m_doc = parse(data);
    return document;
}

std::vector<XmlNode> XmlDocument::topLevelNodes() const
{
    std::vector<XmlNode> result;
    if (!m_doc)
        return result;
    for (auto node = m_doc->first_child(); node; node = node.next_sibling())
        if (node.type() == pugi::node_element)
            result.push_back(XmlNode(m_doc, node.internal_object()));
    return result;
}

XmlNode XmlDocument::documentElement() const
{
    if (!m_doc)
        return {};
    const auto element = m_doc->document_element();
    return element ? XmlNode(m_doc, element.internal_object()) : XmlNode();
}
