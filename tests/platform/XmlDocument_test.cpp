#include "platform/XmlDocument.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringDecoder>
#include <QStringList>

namespace {

QString fixture(const char* name)
{
    return testsupport::testDataDir() + "/platform/" + name;
}

std::vector<XmlNode> elements(const XmlNode& node)
{
    std::vector<XmlNode> result;
    for (const XmlNode& child : node.children())
        if (child.isElement())
            result.push_back(child);
    return result;
}

QString errorOf(const QByteArray& data)
{
    try {
        XmlDocument::loadData(data);
    } catch (const XmlError& e) {
        return e.message();
    }
    return QString();
}

TEST(XmlDocument, WalksNodesTextsAndMarkup)
{
    const XmlDocument doc = XmlDocument::loadFile(fixture("good.xml"));
    const auto top = doc.topLevelNodes();
    ASSERT_EQ(top.size(), 1u) << "comments and the declaration are left out";
    const XmlNode rss = doc.documentElement();
    EXPECT_EQ(rss.name(), "rss");
    EXPECT_TRUE(rss.hasAttribute("version"));
    EXPECT_FALSE(rss.hasAttribute("Version")) << "names compare exactly";
    EXPECT_EQ(rss.attribute("version"), "2.0");

    const XmlNode channel = rss.child("channel");
    EXPECT_EQ(channel.child("title").text(), QString::fromUtf8("Café & News"));
    const auto items = elements(channel);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].name(), "item");

    const XmlNode item = items[1];
    QStringList names;
    for (const XmlNode& e : elements(item))
        names << e.name();
    EXPECT_EQ(names, (QStringList{"title", "author", "description", "pubDate", "empty"})) << "document order";
    EXPECT_EQ(item.child("title").text(), "Tom & Jerry") << "CDATA is a text node";
    EXPECT_EQ(item.child("author").text(), "");
    EXPECT_EQ(item.child("pubDate").text(), "09 Dec 2026  9:30 am");
    EXPECT_EQ(item.child("description").markup(),
              "<description>Tom &amp; Jerry's &lt;b&gt;show&lt;/b&gt;</description>");
    EXPECT_EQ(item.child("empty").markup(), "<empty></empty>");
    EXPECT_TRUE(item.child("missing").isNull());
    EXPECT_EQ(item.child("missing").text(), "");
}

TEST(XmlDocument, TextOfMixedContentFails)
{
    const XmlDocument doc = XmlDocument::loadFile(fixture("good.xml"));
    const XmlNode title = elements(doc.documentElement().child("channel"))[2].child("title");
    try {
        title.text();
        FAIL() << "expected XmlError";
    } catch (const XmlError& e) {
        EXPECT_EQ(e.message(), "Element does not contain a single text node");
    }
    EXPECT_EQ(title.markup(), "<title>Mixed <b>bold</b> text</title>");
}

TEST(XmlDocument, Encodings)
{
    const QString expected16 = QString::fromUtf8("日本 ü");
    for (const char* name : {"utf16le-bom.xml", "utf16be-bom.xml"})
        EXPECT_EQ(XmlDocument::loadFile(fixture(name)).documentElement().attribute("title"), expected16)
            << name;
    EXPECT_EQ(XmlDocument::loadFile(fixture("latin1.xml")).documentElement().attribute("title"),
              QString::fromUtf8("Zürich été"));
    EXPECT_EQ(XmlDocument::loadData("\xEF\xBB\xBF<a b=\"\xC3\xA9\"/>").documentElement().attribute("b"),
              QString::fromUtf8("é"));
    EXPECT_EQ(XmlDocument::loadData("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a b=\"\xC3\xA9\"/>")
                  .documentElement()
                  .attribute("b"),
              QString::fromUtf8("é"))
        << "a wrong UTF-16 declaration on 8-bit text";
    const QString ansi =
        XmlDocument::loadData("<?xml version=\"1.0\" encoding=\"windows-1252\"?><a b=\"\x80\xE9\"/>")
            .documentElement()
            .attribute("b");
    EXPECT_EQ(ansi.right(1), QString::fromUtf8("é"));
    if (QStringDecoder("windows-1252").isValid()) {
        EXPECT_EQ(ansi.left(1), QString::fromUtf8("€"));
    }
}

TEST(XmlDocument, BrokenDocumentsReportPosition)
{
    struct Case {
        QByteArray data;
        const char* position;
    } cases[] = {
        {testsupport::readFile(fixture("broken-mismatch.xml")), "line 4"},
        {testsupport::readFile(fixture("broken-truncated.xml")), "line 2"},
        {"", "line 1, column 1"},
        {"<a/><b/>", "line 1, column 5"},
        {"<a>\n <b x='1' y='2' x='3'/></a>", "line 2, column 2"},
        {"<x>\n  <a>\xC3\xA9\xC3\xA9<</a></x>", "line 2"},
    };
    for (const auto& c : cases) {
        const QString message = errorOf(c.data);
        EXPECT_TRUE(message.contains(c.position)) << c.data.constData() << " -> " << message.toStdString();
    }
    EXPECT_THROW(XmlDocument::loadFile(fixture("no-such-file.xml")), IoError);
}

TEST(XmlDocument, ExternalEntitiesAreNeverResolved)
{
    const XmlDocument doc = XmlDocument::loadFile(fixture("external-entity.xml"));
    const XmlNode r = doc.documentElement();
    EXPECT_FALSE(r.attribute("a").contains("root:")) << "no file was read";
    EXPECT_FALSE(r.text().contains("root:"));
}

TEST(XmlDocument, HostileInputFailsQuickly)
{
    QElapsedTimer timer;
    timer.start();
    const QByteArray deep = QByteArray("<a>").repeated(200000) + QByteArray("</a>").repeated(200000);
    EXPECT_TRUE(errorOf(deep).contains("nested deeper")) << errorOf(deep).toStdString();
    const QByteArray unclosedDeep = QByteArray("<a>").repeated(1000000);
    EXPECT_FALSE(errorOf(unclosedDeep).isEmpty());
    EXPECT_FALSE(errorOf(QByteArray("<a>x</a>\0<b/>", 13)).isEmpty()) << "NUL byte";
    EXPECT_FALSE(errorOf(QByteArray("<a\0/>", 5)).isEmpty());
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) & 0xFF);
    EXPECT_FALSE(errorOf(garbage).isEmpty());

    const QByteArray huge = "<a v=\"" + QByteArray(20 * 1024 * 1024, 'x') + "\"/>";
    EXPECT_EQ(XmlDocument::loadData(huge).documentElement().attribute("v").size(), 20 * 1024 * 1024);
    EXPECT_LT(timer.elapsed(), 20000);
}

TEST(XmlDocument, NodesKeepTheirDocumentAlive)
{
    XmlNode channel;
    {
        const XmlDocument doc = XmlDocument::loadData("<rss><channel><title>x</title></channel></rss>");
        channel = doc.documentElement().child("channel");
    }
    EXPECT_EQ(channel.child("title").text(), "x");
}

} // namespace
