// The platform layer on documents larger than the program meets: reading a catalogue-like
// XML file and walking it, and saving the per-user store with many server profiles.
#include "platform/UserStore.h"
#include "platform/XmlDocument.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <vector>

namespace {

// A catalogue of count feeds in groups of 20, as the news source files are laid out.
QByteArray catalogue(int count)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"1.0\"><body>\n";
    for (int i = 0; i < count; ++i) {
        if (i % 20 == 0)
            xml += (i ? "</outline>\n" : "") + QByteArray("<outline text=\"Group ") +
                   QByteArray::number(i / 20) + "\">\n";
        const QByteArray n = QByteArray::number(i);
        xml += "<outline title=\"Feed " + n +
               " &amp; news\" type=\"rss\" version=\"RSS\" xmlUrl=\"http://example.org/" + n +
               "/rss.xml\" htmlUrl=\"http://example.org/" + n + "/\" description=\"The feed number " + n +
               "\"/>\n";
    }
    return xml + "</outline>\n</body></opml>\n";
}

void BM_XmlLoadAndWalk(benchmark::State& state)
{
    const QByteArray data = catalogue(int(state.range(0)));
    for (auto _ : state) {
        const XmlDocument doc = XmlDocument::loadData(data);
        qsizetype total = 0;
        std::vector<XmlNode> pending{doc.documentElement()};
        while (!pending.empty()) {
            const XmlNode node = pending.back();
            pending.pop_back();
            total += node.attribute("xmlUrl").size();
            for (const XmlNode& child : node.children())
                pending.push_back(child);
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * data.size());
}
BENCHMARK(BM_XmlLoadAndWalk)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_UserStoreWriteValue(benchmark::State& state)
{
    QTemporaryDir dir;
    UserStore store(dir.path() + "/userstore.json");
    const QString profiles = "Software\\Velmora Software\\Internet\\Profiles\\";
    for (int p = 0; p < state.range(0); ++p)
        for (const char* name : {"HostName", "Username", "Password", "Port", "HostDirName", "PassiveMode"})
            store.writeValue(profiles + "Site " + QString::number(p), name, "value " + QString::number(p));
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.writeValue(profiles + "Site 0", "Port", QString::number(++i)));
}
BENCHMARK(BM_UserStoreWriteValue)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
