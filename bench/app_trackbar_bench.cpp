// 1,000 successive changes of the "Scroll Speed:" track bar, each going through the
// Designer's change handler and the ticker's ControlChanged, as a user's drag delivers them.
#include "app/helpers/AppState.h"
#include "ticker/Fmovie.h"
#include "ticker/TickerHost.h"
#include "ticker/designer/FmovieDesigner.h"
#include "ticker/designer/TDesignerPanel.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSlider>
#include <QTemporaryDir>

namespace {

class PanelHost : public TickerHost {
public:
    explicit PanelHost(TDesignerPanel* panel) : m_panel(panel) {}
    QWidget* designerControl(const QString& name) override { return m_panel->controlFor(name); }

private:
    TDesignerPanel* m_panel;
};

void TrackBarChanges(benchmark::State& state)
{
    QWidget canvas;
    auto* panel = new TDesignerPanel(&canvas);
    PanelHost host(panel);
    auto* movie = new Fmovie(&canvas, &host);
    FmovieDesigner document(movie);
    panel->setDocument(&document);
    auto* speed = panel->findChild<QSlider*>("scrollSpeedTrackBar");
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            speed->setValue(10 + i % 91);
        QCoreApplication::processEvents(); // the repaints the changes asked for
    }
    benchmark::DoNotOptimize(movie->IntSetting("scrollspeed")->GetInt());
    state.SetItemsProcessed(state.iterations() * 1000);
    panel->setDocument(nullptr);
}
BENCHMARK(TrackBarChanges)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    InitFolders(folder.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
