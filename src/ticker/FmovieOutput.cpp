// The output set of a ticker: file names, the files written and copied, the embed code and
// the upload list.
#include "platform/SafeWrite.h"
#include "ticker/Fmovie.h"

#include "app/helpers/AppState.h"
#include "mynews/doc/FblogDocument.h"
#include "ticker/Fblog.h"
#include "ticker/TickerHost.h"

#include <QFile>
#include <QFileInfo>

namespace {

const char* const XhtmlNamespace = "http://www.w3.org/1999/xhtml";
const char* const FlashCabinet = "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab";
const char* const FlashDownloadPage = "http://www.macromedia.com/go/getflashplayer";

// Output file names are lower-cased in the letters A to Z only.
QString LowerAsciiLetters(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return result;
}

// The file name with its last extension replaced (or, without one, extended).
QString ChangeExtension(const QString& fileName, const QString& extension)
{
    const qsizetype slash =
        qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return (dot > slash ? fileName.left(dot) : fileName) + extension;
}

// ISO-8859-1 bytes; characters outside it become numeric character references.
QByteArray ToLatin1WithReferences(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c <= 0xFF)
            bytes.append(char(c));
        else
            bytes.append("&#" + QByteArray::number(uint(c)) + ';');
    }
    return bytes;
}

// The browser player's snippet: its box, and the script that reads the settings file of the
// same base name.
QString Html5Code(int width, int height, const QString& fileName)
{
    const QString base = ChangeExtension(fileName, QString());
    return QStringLiteral("<div class=\"velmora-rovanel\" style=\"width:%1px;height:%2px;\"></div>\r\n"
                          "<script src=\"%3.js\" data-settings=\"%3.xml\"></script>")
        .arg(QString::number(width), QString::number(height), base);
}

void CopyIfMissing(const QString& source, const QString& target)
{
    if (!source.isEmpty() && QFileInfo(source).isFile() && !QFileInfo::exists(target))
        QFile::copy(source, target);
}

void ReplaceCopy(const QString& source, const QString& target)
{
    QFile::remove(target);
    CopyIfMissing(source, target);
}

// The part after the last separator; image names never make a copy leave the folder.
QString FileNamePart(const QString& name)
{
    const qsizetype slash = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return name.mid(slash + 1);
}

} // namespace

void Fmovie::SetOutputNames(const QString& chosenPath)
{
    PreviousOutputFolder = OutputFolder;
    OutputFolder = WithTrailingBackslash(QFileInfo(chosenPath).path());
    BaseName = LowerAsciiLetters(FileBaseName(chosenPath));
    SettingsFileName = BaseName + QStringLiteral(".xml");
    PageFileName = BaseName + QStringLiteral(".html");
    PlayerFileName = BaseName + QStringLiteral(".swf");
    LoaderFileName = BaseName + QStringLiteral(".php");
    MyNewsFileName = BaseName + QStringLiteral(".txt");
}

void Fmovie::SaveAllFiles(const QString& folderIn, const QString& nameIn, bool showFilesWindow)
{
    QString folder = folderIn.isEmpty() ? OutputFolder : folderIn;
    if (folder.isEmpty())
        return;
    folder = WithTrailingBackslash(folder);
    const QString name = FileBaseName(nameIn);
    m_newsDocument->WriteRssFile(folder, MyNewsFileName);
    if (name.isEmpty()) {
        PublishedFolder = folder;
        m_newsDocument->CopyEntryImages(PreviousOutputFolder, folder);
        SaveXMLFile(folder, SettingsFileName);
        SaveHTMLFile(folder, PageFileName);
        CopyPlayerFiles(folder, FileBaseName(PlayerFileName), false);
        ReplaceCopy(Folders().PhpFolder + QStringLiteral("loader.php"), folder + LoaderFileName);
        CopyImages(folder);
        if (showFilesWindow)
            m_host->showFilesWindow();
        return;
    }
    SaveXMLFile(folder, name + QStringLiteral(".xml"));
    SaveHTMLFile(folder, name + QStringLiteral(".html"));
    m_newsDocument->CopyEntryImages(PreviousOutputFolder, folder);
    CopyPlayerFiles(folder, name, PreviewFlag);
    ReplaceCopy(Folders().PhpFolder + QStringLiteral("loader.php"), folder + name + QStringLiteral(".php"));
    CopyImages(folder);
}

void Fmovie::CopyPlayerFiles(const QString& folder, const QString& base, bool preview) const
{
    const QString lowerBase = LowerAsciiLetters(base);
    if (preview || Player() == PlayerKind::Flash)
        ReplaceCopy(Folders().SwfFolder + QStringLiteral("rovanel.swf"),
                    folder + lowerBase + QStringLiteral(".swf"));
    if (preview || Player() == PlayerKind::HTML5)
        ReplaceCopy(Folders().SwfFolder + QStringLiteral("rovanel.js"),
                    folder + lowerBase + QStringLiteral(".js"));
}

void Fmovie::CopyImages(const QString& folder) const
{
    for (const FblogImage* button : {m_entryStyle->NextButton(), m_entryStyle->BackButton()})
        if (!button->FullPath.isEmpty() && !button->FileName.isEmpty())
            CopyIfMissing(button->FullPath, folder + FileNamePart(button->FileName));
    const QString image = m_entryStyle->StringSetting(QStringLiteral("entrybkimage"))->GetText();
    if (!image.isEmpty() && !m_entryStyle->ImageFolder.isEmpty())
        CopyIfMissing(m_entryStyle->ImageFolder + image, folder + FileNamePart(image));
}

void Fmovie::SaveXMLFile(const QString& folderIn, const QString& fileNameIn)
{
    const QString folder = folderIn.isEmpty() ? OutputFolder : folderIn;
    const QString fileName = fileNameIn.isEmpty() ? SettingsFileName : fileNameIn;
    if (folder.isEmpty() || fileName.isEmpty())
        return;
    WriteFileAtomically(WithTrailingBackslash(folder) + LowerAsciiLetters(fileName),
                        WriteSettingsXml().toUtf8());
}

void Fmovie::SaveHTMLFile(const QString& folderIn, const QString& fileNameIn)
{
    const QString folder = folderIn.isEmpty() ? OutputFolder : folderIn;
    const QString fileName = fileNameIn.isEmpty() ? PageFileName : fileNameIn;
    if (folder.isEmpty() || fileName.isEmpty())
        return;
    WriteFileAtomically(WithTrailingBackslash(folder) + LowerAsciiLetters(fileName), HtmlPage(fileName));
}

QByteArray Fmovie::HtmlPage(const QString& fileName) const
{
    // The preview page always embeds the browser player, so Preview shows the moving ticker.
    const QString code = PreviewFlag ? Html5Code(width(), height(), fileName) : EmbedCode(fileName);
    const QString page =
        QStringLiteral("<html xmlns=\"%1\" xml:lang=\"en\" lang=\"en\">\r\n")
            .arg(QLatin1String(XhtmlNamespace)) +
        QStringLiteral("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />"
                       "</head>\r\n<body bgcolor=\"#FFFFFF\"><p align=\"center\">\r\n\r\n\r\n\r\n\r\n"
                       "<!-- Here is the HTML that you need to copy and paste into your page -->\r\n") +
        code + QStringLiteral("\r\n\r\n\r\n\r\n\r\n</p></body></html>\r\n");
    return ToLatin1WithReferences(page);
}

QString Fmovie::EmbedCode(const QString& fileName) const
{
    const QString w = QString::number(width());
    if (Player() == PlayerKind::HTML5)
        return Html5Code(width(), height(), fileName);
    const QString h = QString::number(height() + 18);
    const QString m = ChangeExtension(fileName, QStringLiteral(".swf"));
    const QStringList lines = {
        QStringLiteral("<object classid=\"clsid:d27cdb6e-ae6d-11cf-96b8-444553540000\""),
        QStringLiteral(" codebase=\"%1#version=7,0,0,0\"").arg(QLatin1String(FlashCabinet)),
        QStringLiteral(" width=\"%1\" height=\"%2\" id=\"VelmoraRovanel\" align=\"middle\">").arg(w, h),
        QStringLiteral("<param name=\"movie\" value=\"%1\"/>").arg(m),
        QStringLiteral("<param name=\"quality\" value=\"high\" />"),
        QStringLiteral("<param name=\"scale\" value=\"noscale\" />"),
        QStringLiteral("<param name=\"salign\" value=\"lt\" />"),
        QStringLiteral("<param name=\"bgcolor\" value=\"#ffffff\" />"),
        QStringLiteral("<embed src=\"%1\" quality=\"high\" bgcolor=\"#ffffff\" width=\"%2\" height=\"%3\"")
            .arg(m, w, h),
        QStringLiteral(" name=\"VelmoraRovanel\" scale=\"noscale\" salign=\"lt\" align=\"middle\" "
                       "type=\"application/x-shockwave-flash\""),
        QStringLiteral(" pluginspage=\"%1\" /></object>").arg(QLatin1String(FlashDownloadPage)),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void Fmovie::SavePreviewFiles()
{
    struct PreviewScope {
        PreviewScope() { PreviewFlag = true; }
        ~PreviewScope() { PreviewFlag = false; }
    } scope;
    SaveAllFiles(Folders().TempFolder, QStringLiteral("temp"), false);
}

void Fmovie::StartPublish()
{
    if (BaseName.isEmpty()) {
        const QString proposed = SettingsFileName.isEmpty() ? QStringLiteral("mynews.xml") : SettingsFileName;
        const QString chosen = m_host->askSaveFileName(proposed);
        if (chosen.isEmpty())
            return;
        SetOutputNames(chosen);
    }
    SaveAllFiles(QString(), QString(), false);
    m_host->startPublishWindows();
}

QStringList Fmovie::UploadFileList() const
{
    const QString player = Player() == PlayerKind::HTML5
                               ? ChangeExtension(PlayerFileName, QStringLiteral(".js"))
                               : PlayerFileName;
    QStringList names = {SettingsFileName, PageFileName, player, LoaderFileName};
    const QString image = m_entryStyle->StringSetting(QStringLiteral("entrybkimage"))->GetText();
    if (!image.isEmpty())
        names.append(FileNamePart(image));
    if (!m_newsDocument->Entries().isEmpty())
        names.append(MyNewsFileName);
    for (const QString& reference : m_newsDocument->ListEntryImages())
        if (blogtext::IsSafeImageReference(reference))
            names.append(reference);
    QStringList paths;
    for (const QString& name : names)
        paths.append(PublishedFolder + name);
    return paths;
}
