// Redrawing the level-time diagram of a generated year of function A (52,560 intervals with
// three recording gaps): nine curves with energy and a filled limit line into a 1920 x 1080 image,
// over the whole measurement, after a scroll step in the 7-day period and after a zoom. Goal: a
// redraw within one 60-Hz frame (16 ms) on one core. Also reported: the same drawing without
// decimation, the curve column builds (none on scroll or zoom) and the voltage cumulative frequency
// (< 1 s).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "BenchSupport.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "document/Vamor800Doc.h"
#include "evaluation/CumulativeFrequency.h"
#include "gui/views/PzdView.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {
namespace {

const std::vector<int> kCurves = {1011, 2011, 3011, 1031, 2031, 3031, 1067, 1084, 1305};

// The year file with three gaps cut into it.
std::string GappyYear() {
    const std::string file =
        std::filesystem::path(bench::YearFile()).parent_path().string() + "/year-gaps.VXM";
    if (std::filesystem::exists(file)) return file;
    MeasurementData data;
    ReadMeasurementFile(bench::YearFile(), data);
    size_t index = 0;
    data.intervals.RemoveIf([&index](const CIntervalRecord&) {
        const size_t i = index++;
        return i == 100 || (i >= 20000 && i < 20500) || i == 40000;
    });
    data.job.NrInterval = uint32_t(data.intervals.size());
    WriteMeasurementFile(file, data);
    return file;
}

struct Diagram {
    SettingsStore store{std::filesystem::path(bench::YearFile()).parent_path().string() +
                        "/diagram-bench.conf"};
    Settings settings{store};
    bench::SilentUserInterface ui;
    AppOptions options;
    CVamor800Doc doc{settings, ui, options};
    std::unique_ptr<CPzdView> view;

    Diagram() {
        FindDefaultLimitFile(settings, DataFolder());
        settings.Write(setting::TimePeriod, kMeasurementPeriod);
        if (!doc.OpenFile(GappyYear())) return;
        doc.HandOverChannels(kCurves, {}, true);
        view.reset(CPzdView::Create({&doc, &settings, &options, &ui}, nullptr));
        view->RunCommand(33044);           // energy
        view->State().SetLimitLine(0, 0);  // V average L1 against its 95 % band, filled
    }
};

Diagram& Shared() {
    static Diagram diagram;
    return diagram;
}

void Draw(benchmark::State& state, bool decimate, const std::function<void(CPzdView&)>& setUp) {
    Diagram& d = Shared();
    if (!d.view) return state.SkipWithError("the year did not open");
    setUp(*d.view);
    const int builds = d.view->Data().Builds();
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        d.view->PaintDiagram(painter, QRectF(0, 0, 1920, 1080), PaintOptions(), decimate);
    }
    state.counters["column builds"] = d.view->Data().Builds() - builds;
}

void WholeMeasurement(CPzdView& view) {
    view.RunCommand(33145);
}
void ScrollStep(CPzdView& view) {
    view.RunCommand(33141);
    view.RunCommand(33159);
}
void Zoomed(CPzdView& view) {
    view.RunCommand(33145);
    view.State().Zoom({600, 300, 500, 400}, {140, 80, 1640, 900});
}

void BM_RedrawMeasurementPeriod(benchmark::State& s) {
    Draw(s, true, WholeMeasurement);
}
void BM_RedrawMeasurementPeriodUndecimated(benchmark::State& s) {
    Draw(s, false, WholeMeasurement);
}
void BM_RedrawAfterScrollStep7Days(benchmark::State& s) {
    Draw(s, true, ScrollStep);
}
void BM_RedrawAfterZoom(benchmark::State& s) {
    Draw(s, true, Zoomed);
}
BENCHMARK(BM_RedrawMeasurementPeriod)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawMeasurementPeriodUndecimated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterScrollStep7Days)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterZoom)->Unit(benchmark::kMillisecond);

void BM_VoltageCumulativeFrequency(benchmark::State& state) {
    Diagram& d = Shared();
    if (!d.view) return state.SkipWithError("the year did not open");
    for (auto _ : state) {
        auto channels = ComputeCumulativeFrequency(CumulativeView::kVoltage,
                                                   d.doc.CumulativeFrequencyInput(), 5, 95);
        benchmark::DoNotOptimize(channels.data());
    }
}
BENCHMARK(BM_VoltageCumulativeFrequency)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varelo

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
