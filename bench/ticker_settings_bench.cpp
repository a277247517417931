// WriteSettingsXml plus ReadSettingsFile of a ticker with every kind of value set.
#include "mynews/doc/FblogDocument.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The button images exist beside the settings file, as they do after a save.
void FillTicker(Fmovie& ticker, const QTemporaryDir& folder)
{
    QImage button(16, 16, QImage::Format_ARGB32);
    button.fill(Qt::blue);
    button.save(folder.filePath("next.png"));
    button.save(folder.filePath("back.png"));
    ticker.SiteName = "My Site & Co";
    ticker.RemoteFolder = "/www/news";
    for (int i = 0; i < 12; ++i)
        ticker.AddFeedUrl(QStringLiteral("http://feeds%1.example/rss?topic=%1&lang=en").arg(i));
    ticker.BoolSetting("bkgdt")->SetBool(true);
    ticker.BoolSetting("bkdrawborder")->SetBool(true);
    Fblog& entry = ticker.EntryStyle();
    entry.NextButton()->FileName = "next.png";
    entry.BackButton()->FileName = "back.png";
    entry.Font(1).Font.setFamily("Courier New");
    ticker.SetPlayer(PlayerKind::HTML5);
}

// In memory where the system offers it: this disk discards freed blocks synchronously on
// every truncate, which would measure the disk instead of the code.
QString ScratchTemplate()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable()
               ? QStringLiteral("/dev/shm/tickerbench-XXXXXX")
               : QDir::tempPath() + QStringLiteral("/tickerbench-XXXXXX");
}

void WriteAndReadSettings(benchmark::State& state)
{
    QTemporaryDir folder(ScratchTemplate());
    const QString path = folder.filePath("ticker.xml");
    Fmovie source;
    FillTicker(source, folder);
    Fmovie target;
    for (auto _ : state) {
        const QByteArray text = source.WriteSettingsXml().toUtf8();
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
        file.close();
        target.FeedUrls.clear();
        target.ReadSettingsFile(path);
        benchmark::DoNotOptimize(target.FeedUrls.size());
    }
}
BENCHMARK(WriteAndReadSettings)->Unit(benchmark::kMicrosecond);

void WriteSettingsOnly(benchmark::State& state)
{
    QTemporaryDir folder;
    Fmovie ticker;
    FillTicker(ticker, folder);
    for (auto _ : state)
        benchmark::DoNotOptimize(ticker.WriteSettingsXml());
}
BENCHMARK(WriteSettingsOnly)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
