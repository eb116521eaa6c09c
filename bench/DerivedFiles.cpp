// The 10- and 15-minute files of a generated year of function A in 5-minute intervals
// (105,120 intervals) against writing the same measurement once with WriteMeasurementFile, in
// the same run. The derived files together should take at most twice the plain write.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/DerivedFiles.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementFile.h"
#include "platform/SettingsStore.h"

namespace varelo {
namespace {

constexpr int kIntervals = 105120;

struct Year {
    std::string folder;
    std::string file;
    MeasurementData data;
};

// Generated once beside the build's programs, then read back as the document would hold it.
const Year& FiveMinuteYear() {
    static const Year year = [] {
        Year y;
        y.folder = ProgramFolder() + "/../bench-data";
        std::filesystem::create_directories(y.folder);
        y.file = y.folder + "/year-function-A-300s.VXM";
        if (!std::filesystem::exists(y.file)) {
            sim::GeneratorSettings settings;
            settings.intervals = kIntervals;
            settings.intervalSeconds = 300;
            MeasurementData data;
            sim::MeasurementGenerator(settings).Generate(data);
            WriteMeasurementFile(y.file, data);
        }
        ReadMeasurementFile(y.file, y.data);
        return y;
    }();
    return year;
}

void BM_WriteMeasurementFile(benchmark::State& state) {
    const Year& year = FiveMinuteYear();
    const std::string out = year.folder + "/plain-write.VXM";
    for (auto _ : state) {
        if (!WriteMeasurementFile(out, year.data)) state.SkipWithError("the write failed");
    }
    state.counters["intervals"] = double(year.data.intervals.size());
    std::filesystem::remove(out);
}
BENCHMARK(BM_WriteMeasurementFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The command itself on the opened measurement: both files, with the counting runs.
void BM_DeriveTenAndFifteenMinuteFiles(benchmark::State& state) {
    const Year& year = FiveMinuteYear();
    SettingsStore store(year.folder + "/bench-settings.conf");
    Settings settings(store);
    settings.Write(setting::LimitFile, DataFolder() + "/En50160-50Hz.gwd");
    bench::SilentUserInterface ui;
    AppOptions options;
    options.SetEn50160WarningHidden(true);
    CVamor800Doc doc(settings, ui, options);
    if (!doc.OpenFile(year.file)) {
        state.SkipWithError("the year did not open");
        return;
    }
    size_t written = 0;
    for (auto _ : state) {
        const DerivedFilesOutcome outcome = CreateDerivedFiles(doc, ui, false);
        if (!outcome.written) state.SkipWithError("the derived files were not written");
        written = outcome.paths.size();
    }
    state.counters["files"] = double(written);
    for (const char* suffix : {"10min", "15min"})
        std::filesystem::remove(DerivedFileName(year.file, suffix));
}
BENCHMARK(BM_DeriveTenAndFifteenMinuteFiles)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
