// The settings file of a ticker: writing its text and reading it back.
#include "ticker/Fmovie.h"

#include "app/helpers/AppState.h"
#include "mynews/doc/FblogDocument.h"
#include "platform/XmlDocument.h"
#include "ticker/Fblog.h"
#include "ticker/TickerHost.h"

#include <QFileInfo>

namespace {

constexpr int MaximumPanelSize = 10000;

QString AttributeLine(const QString& name, const QString& value)
{
    return QLatin1Char(' ') + name + QStringLiteral("=\"") + value + QStringLiteral("\"\r\n");
}

bool ReadBool(const XmlNode& element, const QString& name)
{
    return ReadAttrText(element, name).toLower() == QLatin1String("true");
}

} // namespace

QString Fmovie::FeedAttributes() const
{
    QString text;
    int counter = 1;
    // A preview of a My News ticker without entries writes its sample entry into the news file
    // (see WriteRssFile); naming that file lets the preview show it instead of an empty box.
    const bool previewSample = PreviewFlag && !BoolSetting(QStringLiteral("external"))->GetBool();
    if (!m_newsDocument->Entries().isEmpty() || previewSample)
        text += AttributeLine(QStringLiteral("newsurl%1").arg(counter++), EscapeXmlText(MyNewsFileName));
    for (const QString& address : FeedUrls) {
        if (address == MyNewsFileName)
            continue;
        text += AttributeLine(QStringLiteral("newsurl%1").arg(counter++), EscapeXmlText(address));
    }
    return text;
}

QString Fmovie::WriteSettingsXml() const
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<velmoranews\r\n");
    for (const auto& setting : m_settings)
        text += setting->GetAttributeText();
    text += AttributeLine(QStringLiteral("fn"), EscapeXmlText(SiteName));
    text += AttributeLine(QStringLiteral("fd"), EscapeXmlText(RemoteFolder));
    text += FeedAttributes();
    text += m_entryStyle->WriteEntryAttributes();
    if (Player() == PlayerKind::HTML5)
        text += m_player->GetAttributeText();
    text += QStringLiteral("></velmoranews>");
    return text;
}

void Fmovie::ReadSettingsFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    try {
        ReadSettingsFileUnchecked(path);
    } catch (const TickerineError& error) {
        // Never leave a half-read ticker that a later Save would write over the user's file.
        ResetToNew();
        const QString message = QStringLiteral("Could not open \"%1\": %2").arg(path, error.message());
        m_host->reportProblem(message);
        throw IoError(message);
    }
}

void Fmovie::ReadSettingsFileUnchecked(const QString& path)
{
    UpdatingGuard updating;
    SettingsPath = path;
    SettingsFileName = QFileInfo(path).fileName();
    const QString folder = WithTrailingBackslash(QFileInfo(path).absolutePath());
    const XmlDocument document = XmlDocument::loadFile(path);
    for (const XmlNode& node : document.topLevelNodes()) {
        if (node.name() != QLatin1String("velmoranews"))
            continue;
        ReadTickerAttributes(node);
        m_entryStyle->ReadEntryAttributes(node, folder);
    }
    if (!FeedUrls.isEmpty()) {
        const QString newsPath = folder + FeedUrls.first();
        if (QFileInfo(newsPath).isFile())
            m_newsDocument->ReadRssFile(newsPath);
    }
    SyncControls();
    Modified = false;
    RefreshNewsHistory();
    update();
    m_host->bringNewsHistoryToFront();
}

void Fmovie::ReadTickerAttributes(const XmlNode& element)
{
    auto readInt = [&](const char* name, int missing) {
        IntSetting(QLatin1String(name))->SetInt(ReadAttrInt(element, QLatin1String(name), missing));
    };
    auto readColor = [&](const char* name) {
        const QString value = ReadAttrText(element, QLatin1String(name));
        if (!value.isEmpty())
            ColorSetting(QLatin1String(name))->SetColor(TextToColor(value));
    };
    auto readBool = [&](const char* name) {
        BoolSetting(QLatin1String(name))->SetBool(ReadBool(element, QLatin1String(name)));
    };
    readInt("mainwidth", 400);
    readInt("mainheight", 300);
    // The panel stays within what a screen can hold; the settings keep the file's values.
    resize(qBound(minimumWidth(), IntSetting(QStringLiteral("mainwidth"))->GetInt(), MaximumPanelSize),
           qBound(minimumHeight(), IntSetting(QStringLiteral("mainheight"))->GetInt(), MaximumPanelSize));
    LayoutChildren();
    readInt("scrollspeed", 20);
    readInt("scrollpause", 50);
    readColor("bkcolor");
    readColor("bkgdtclr1");
    readColor("bkgdtclr2");
    readInt("bkgdtclr1a", 50);
    readInt("bkgdtclr2a", 50);
    readColor("bkborderlightcolor");
    readColor("bkborderdarkcolor");
    readBool("bkdrawbk");
    readBool("newshorz");
    readBool("bkgdt");
    readBool("bkdrawborder");
    for (int i = 1;; ++i) {
        const QString address = ReadAttrText(element, QStringLiteral("newsurl%1").arg(i));
        if (address.isEmpty())
            break;
        FeedUrls.append(address);
    }
    const bool html5 = ReadAttrText(element, QStringLiteral("player")).toLower() == QLatin1String("html5");
    SetPlayer(html5 ? PlayerKind::HTML5 : PlayerKind::Flash);
}
