// The My News document with 10,000 entries: reading the RSS file and building its text.
// Run with --peak-memory [count] to only build, write and read such a document once, so that
// /usr/bin/time -v shows the peak memory of that work (a count of 0 gives the process's base).
#include "mynews/doc/FblogDocument.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int EntryCount = 10000;

void fill(FblogDocument& doc, int count)
{
    const QDate first(2000, 1, 1);
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        doc.AddEntry("Headline number " + n + " & more", QString(), "3:05 pm",
                     "First line of entry " + n +
                         " with <b>bold</b> text and a <a href=\"http://example.org/" + n +
                         "\">link</a>.\r\nSecond line: the quick brown fox jumps over the lazy dog, " +
                         "again and again, so the description is as long as a real one.",
                     blogtext::DateText(first.addDays(i / 3)), "Author " + QString::number(i % 7));
    }
}

QString writeSample(const QTemporaryDir& dir, int count = EntryCount)
{
    FblogDocument doc;
    fill(doc, count);
    doc.WriteRssFile(dir.path() + "/", "news.txt");
    return dir.filePath("news.txt");
}

void BM_ReadRssFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = writeSample(dir);
    for (auto _ : state) {
        FblogDocument doc;
        doc.ReadRssFile(path);
        benchmark::DoNotOptimize(doc.Entries().size());
    }
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_ReadRssFile)->Unit(benchmark::kMillisecond);

void BM_BuildRssText(benchmark::State& state)
{
    FblogDocument doc;
    fill(doc, EntryCount);
    for (auto _ : state) {
        const QString text = doc.BuildRssText(false);
        benchmark::DoNotOptimize(text.size());
    }
}
BENCHMARK(BM_BuildRssText)->Unit(benchmark::kMillisecond);

int peakMemoryDriver(int count)
{
    QTemporaryDir dir;
    const QString path = writeSample(dir, count);
    FblogDocument doc;
    doc.ReadRssFile(path);
    const QString text = doc.BuildRssText(false);
    std::printf("entries read: %lld, RSS text: %lld characters\n",
                static_cast<long long>(doc.Entries().size()), static_cast<long long>(text.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--peak-memory") == 0) {
        return peakMemoryDriver(argc > 2 ? std::atoi(argv[2]) : EntryCount);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
