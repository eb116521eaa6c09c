// Opening a one-year function A measurement as the document (read, normalisation, derived
// values, extremes, event classification, evaluation) against reading the same file alone.
// Goal: the whole open within two times the read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "document/Vamor800Doc.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"

namespace varelo {
namespace {

using bench::YearFile;

void BM_ReadYear(benchmark::State& state) {
    const std::string file = YearFile();
    for (auto _ : state) {
        MeasurementData data;
        if (!ReadMeasurementFile(file, data) || data.intervals.size() != 52560)
            state.SkipWithError("the year file did not read");
        benchmark::DoNotOptimize(data.intervals.size());
    }
}
BENCHMARK(BM_ReadYear)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_OpenYear(benchmark::State& state) {
    const std::string file = YearFile();
    const std::string folder = std::filesystem::path(file).parent_path().string();
    SettingsStore store(folder + "/open-bench.conf");
    Settings settings(store);
    FindDefaultLimitFile(settings, DataFolder());
    bench::SilentUserInterface ui;
    AppOptions options;
    for (auto _ : state) {
        CVamor800Doc doc(settings, ui, options);
        if (!doc.OpenFile(file) || doc.Data().intervals.size() != 52560)
            state.SkipWithError("the year file did not open");
        benchmark::DoNotOptimize(doc.Evaluation().VoltageVariation());
    }
}
BENCHMARK(BM_OpenYear)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
