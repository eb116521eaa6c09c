// The interval tables of a one-year function A measurement (52,560 intervals), against opening
// the same file as the document in the same run:
// - all exceedings of the 9 voltage channels with the default limits (goal: at most 10 % of
//   the open time) and of 99 harmonic channels whose limits every value passes (goal: at most
//   the open time);
// - the measurement value list: making it, and one screen of row texts at its first, middle
//   and last row (goal: at most 1 ms each).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "document/Vamor800Doc.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/ExceedingsReport.h"
#include "evaluation/LimitValues.h"
#include "evaluation/MeasurementValueList.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"

namespace varelo {
namespace {

constexpr size_t kScreenRows = 50;

// The year opened once and shared by the benchmarks after the open one.
struct OpenedYear {
    OpenedYear()
        : store(std::filesystem::path(bench::YearFile()).parent_path().string() +
                "/report-bench.conf"),
          settings(store) {
        FindDefaultLimitFile(settings, DataFolder());
        doc = std::make_unique<CVamor800Doc>(settings, ui, options);
        doc->OpenFile(bench::YearFile());
    }
    SettingsStore store;
    Settings settings;
    bench::SilentUserInterface ui;
    AppOptions options;
    std::unique_ptr<CVamor800Doc> doc;
};

OpenedYear& Year() {
    static OpenedYear year;
    return year;
}

void BM_OpenYear(benchmark::State& state) {
    OpenedYear& year = Year();
    for (auto _ : state) {
        CVamor800Doc doc(year.settings, year.ui, year.options);
        if (!doc.OpenFile(bench::YearFile())) state.SkipWithError("the year did not open");
    }
}
BENCHMARK(BM_OpenYear)->Unit(benchmark::kMillisecond)->MinTime(3.0);

std::vector<int> VoltageChannels() {
    std::vector<int> channels;
    for (int quantity : {11, 12, 13})
        for (int phase = 1; phase <= 3; ++phase)
            channels.push_back(phase * 1000 + quantity);
    return channels;
}

// 33 harmonic quantities of three phases: voltage orders 2 to 20, current orders 2 to 15.
std::vector<int> HarmonicChannels() {
    std::vector<int> channels;
    for (int quantity = 302; quantity <= 320; ++quantity)
        for (int phase = 1; phase <= 3; ++phase)
            channels.push_back(phase * 1000 + quantity);
    for (int quantity = 122; quantity <= 135; ++quantity)
        for (int phase = 1; phase <= 3; ++phase)
            channels.push_back(phase * 1000 + quantity);
    return channels;
}

void Exceedings(benchmark::State& state, const EvaluatedMeasurement& measurement,
                const std::vector<int>& channels) {
    const CVamor800Doc& doc = *Year().doc;
    size_t rows = 0;
    for (auto _ : state) {
        ExceedingsReport report =
            ExceedingsReport::Build(measurement, doc.Data().intervals, channels, false);
        rows = report.RowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["channels"] = double(channels.size());
    state.counters["rows"] = double(rows);
}

void BM_ExceedingsOfTheVoltages(benchmark::State& state) {
    Exceedings(state, Year().doc->Evaluated(), VoltageChannels());
}
BENCHMARK(BM_ExceedingsOfTheVoltages)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ExceedingsOf99ChannelsAllExceeding(benchmark::State& state) {
    const EvaluatedMeasurement evaluated = Year().doc->Evaluated();
    CLimitValues low = evaluated.limits;
    low.Harm.fill(0.0001f);
    low.CurrHarm.fill(0.0001f);
    const EvaluatedMeasurement measurement{evaluated.job, evaluated.scaling, low,
                                           evaluated.limitFilePath, evaluated.evaluation};
    Exceedings(state, measurement, HarmonicChannels());
}
BENCHMARK(BM_ExceedingsOf99ChannelsAllExceeding)->Unit(benchmark::kMillisecond)->MinTime(2.0);

MeasurementValueList ValueList() {
    const CVamor800Doc& doc = *Year().doc;
    std::vector<ValueListColumn> columns;
    for (int id : {1011, 2011, 3011, 1012, 2012, 3012, 1031, 2031, 3031})
        columns.push_back({id, doc.ChannelDecimals(id)});
    MeasurementValueList list(doc.Data().intervals, doc.Data().job, std::move(columns),
                              int(doc.Data().job.Interval));
    list.SetStatus(true);
    return list;
}

void BM_ValueListOpen(benchmark::State& state) {
    Year();
    for (auto _ : state) {
        MeasurementValueList list = ValueList();
        benchmark::DoNotOptimize(list.Rows());
    }
}
BENCHMARK(BM_ValueListOpen)->Unit(benchmark::kMicrosecond);

// One screen of row texts from a position: 0 first, 1 middle, 2 last.
void BM_ValueListScreen(benchmark::State& state) {
    const MeasurementValueList list = ValueList();
    const size_t rows = list.Rows();
    const size_t starts[] = {0, rows / 2, rows - kScreenRows};
    const size_t first = starts[state.range(0)];
    for (auto _ : state)
        for (size_t row = first; row < first + kScreenRows; ++row)
            benchmark::DoNotOptimize(list.RowTexts(row));
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ValueListScreen)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
