// Feeds arbitrary bytes to the settings-file reader and to the My News RSS reader. Beyond
// not crashing, a settings file that was read must be written back as well-formed XML.
#include "mynews/doc/FblogDocument.h"
#include "platform/XmlDocument.h"
#include "ticker/Fmovie.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// Both live until the process ends: Qt's own statics are gone by the time exit handlers
// would destroy an application object, so it is never destroyed.
QApplication* application = nullptr;
QTemporaryDir* folder = nullptr;
Fmovie* ticker = nullptr;

QString WriteInput(const uint8_t* data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("input.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QApplication(*argc, *argv);
    folder = new QTemporaryDir();
    ticker = new Fmovie();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = WriteInput(data, size);
    {
        // A reset ticker is what a new one is; making a widget for every input is slow.
        ticker->ResetToNew();
        try {
            ticker->ReadSettingsFile(path);
        } catch (const TickerineError&) {
        }
        const QByteArray written = ticker->WriteSettingsXml().toUtf8();
        try {
            XmlDocument::loadData(written);
        } catch (const XmlError&) {
            std::abort(); // the writer made a file that its own reader refuses
        }
    }
    {
        FblogDocument document;
        try {
            document.ReadRssFile(path);
        } catch (const TickerineError&) {
        }
        document.BuildRssText(false);
        document.ListEntryImages();
    }
    return 0;
}
