// Refilling the "News History" list of the entry editor from a ticker with 10,000 entries.
#include "mynews/TnewsEditor.h"
#include "mynews/doc/FblogDocument.h"
#include "ticker/Fmovie.h"
#include "ticker/TickerHost.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>

namespace {

class EditorHost : public TickerHost {
public:
    explicit EditorHost(TnewsEditor& editor) : m_editor(editor) {}
    void clearNewsHistory() override { m_editor.clearNewsHistory(); }
    void addNewsHistoryRow(const QString& title, const QString& dateTime, const QString& author,
                           const QString& text, FblogItem* entry) override
    {
        m_editor.addNewsHistoryRow(title, dateTime, author, text, entry);
    }

private:
    TnewsEditor& m_editor;
};

void BM_RefreshNewsHistory(benchmark::State& state)
{
    TnewsEditor editor;
    editor.resize(900, 600);
    editor.show();
    editor.bringNewsHistoryToFront();
    EditorHost host(editor);
    Fmovie movie(nullptr, &host);
    editor.SetMovie(&movie);
    FblogDocument& doc = movie.NewsDocument();
    const QDate first(2000, 1, 1);
    for (int i = 0; i < 10000; ++i) {
        doc.AddEntry("Headline " + QString::number(i), QString(), "3:05 pm",
                     "A line of text\r\nand a second line of the entry's description.",
                     blogtext::DateText(first.addDays(i / 3)), "Author");
    }
    for (auto _ : state) {
        movie.RefreshNewsHistory();
        QApplication::processEvents(); // the list lays out its new rows
    }
}
BENCHMARK(BM_RefreshNewsHistory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
