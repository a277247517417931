// Loading a 10,000-feed catalogue into the feed list, and showing 1,000 ticked addresses over
// 10,000 lines. Run: build/bench/sources_catalogue_bench (offscreen by default).
#include "sources/TnewsSourcePanel.h"
#include "ticker/Fmovie.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

namespace {

constexpr int Groups = 100;
constexpr int FeedsPerGroup = 100;

QString FeedUrl(int group, int feed)
{
    return QStringLiteral("http://feeds%1.example.com/news/%2/rss.xml?edition=int&amp;format=xml")
        .arg(group)
        .arg(feed);
}

QString WriteCatalogue(const QTemporaryDir& dir)
{
    QByteArray bytes = "<?xml version=\"1.0\"?>\r\n<newssources>\r\n";
    for (int g = 0; g < Groups; ++g) {
        bytes += "<channel name=\"Group " + QByteArray::number(g) + "\">\r\n";
        for (int f = 0; f < FeedsPerGroup; ++f) {
            const QByteArray title = "Feed " + QByteArray::number(g) + "-" + QByteArray::number(f);
            bytes +=
                "<outline text=\"" + title + "\" title=\"" + title +
                "\" type=\"rss\" version=\"RSS2\" xmlUrl=\"" + FeedUrl(g, f).toUtf8() +
                "\" htmlUrl=\"http://feeds" + QByteArray::number(g) +
                ".example.com/\" description=\"A one-line description of the feed &amp; its site.\"/>\r\n";
        }
        bytes += "</channel>\r\n";
    }
    bytes += "</newssources>\r\n";
    const QString path = dir.filePath("newssources.xml");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

const QString& CataloguePath()
{
    static QTemporaryDir dir;
    static const QString path = WriteCatalogue(dir);
    return path;
}

void BM_LoadCatalogue(benchmark::State& state)
{
    TnewsSourcePanel panel;
    panel.resize(400, 600);
    panel.show();
    for (auto _ : state) {
        state.PauseTiming();
        panel.Rows().clear();
        QApplication::processEvents();
        state.ResumeTiming();
        panel.LoadCatalogue(CataloguePath());
        QApplication::processEvents(); // the list lays out and paints its lines
    }
    state.counters["lines"] = panel.Rows().size();
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

void BM_ShowTickedFeeds(benchmark::State& state)
{
    TnewsSourcePanel panel;
    panel.resize(400, 600);
    panel.show();
    panel.LoadCatalogue(CataloguePath());
    QStringList ticked;
    for (int i = 0; i < 1000; ++i) {
        // Spread over the list, in another letter case, plus addresses that match no line.
        const int n = (i * 7919) % (Groups * FeedsPerGroup);
        const QString url = QString(FeedUrl(n / FeedsPerGroup, n % FeedsPerGroup)).replace("&amp;", "&");
        ticked << (i % 10 == 0 ? "http://unknown.example/" + QString::number(i) : url.toUpper());
    }
    for (auto _ : state) {
        panel.ShowTickedFeeds(ticked);
        QApplication::processEvents();
    }
    state.counters["ticked"] = double(panel.Rows().tickedRows().size());
}
BENCHMARK(BM_ShowTickedFeeds)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
