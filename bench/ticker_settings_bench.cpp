// WriteSettingsXml plus ReadSettingsFile of a ticker with every kind of value set.
#include "mynews/doc/FblogDocument.h"
#include "ticker/Fblog.h"
#include "ticker/Fmovie.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void FillTicker(Fmovie& ticker)
{
    ticker.SiteName = "My Site & Co";
    ticker.RemoteFolder = "/www/news";
    for (int i = 0; i < 12; ++i)
        ticker.AddFeedUrl(QStringLiteral("http://feeds%1.example/rss?topic=%1&lang=en").arg(i));
    ticker.BoolSetting("bkgdt")->SetBool(true);
    ticker.BoolSetting("bkdrawborder")->SetBool(true);
    Fblog& entry = ticker.EntryStyle();
    entry.NextButton()->FileName = "next.gif";
    entry.BackButton()->FileName = "back.gif";
    entry.Font(1).Font.setFamily("Courier New");
    ticker.SetPlayer(PlayerKind::HTML5);
}

void WriteAndReadSettings(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("ticker.xml");
    Fmovie source;
    FillTicker(source);
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
    Fmovie ticker;
    FillTicker(ticker);
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
