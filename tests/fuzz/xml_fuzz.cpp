// Feeds arbitrary bytes to the XML reader and walks whatever it accepts the way the
// document readers do: names, attributes through the attribute helpers, texts and markup.
#include "app/helpers/Helpers.h"
#include "platform/XmlDocument.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void readElement(const XmlNode& node)
{
    (void)node.name();
    for (const char* name : {"a", "v", "title", "mainwidth", "color"}) {
        const QString text = ReadAttrText(node, name);
        (void)ReadAttrInt(node, name, -1);
        if (!text.isEmpty()) {
            try {
                (void)TextToColor(text);
            } catch (const TickerineError&) {
            }
        }
    }
    try {
        (void)node.text();
    } catch (const XmlError&) {
    }
}

// Iterative, so the walk itself cannot be what exhausts the stack.
void walk(const XmlNode& root)
{
    std::vector<XmlNode> pending{root};
    while (!pending.empty()) {
        const XmlNode node = pending.back();
        pending.pop_back();
        if (node.isElement())
            readElement(node);
        for (const XmlNode& child : node.children())
            pending.push_back(child);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const XmlDocument doc = XmlDocument::loadData(bytes);
        for (const XmlNode& top : doc.topLevelNodes())
            walk(top);
        (void)doc.documentElement().markup();
    } catch (const XmlError&) {
    }
    return 0;
}
