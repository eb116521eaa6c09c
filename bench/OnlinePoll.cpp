// The online poll against the simulated Logger on a pseudo-terminal paced at 115200 baud: the
// median poll against the line time of its 628 bytes (goal: within 1.5 x, so that a poll keeps
// its one-second tick even at 9600 baud); and decoding plus appending to a full list of 1000
// records without the line (goal: under 1 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "document/Vamor800Doc.h"
#include "logger/IntervalWireFormat.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerOperations.h"
#include "logger/OnlineSession.h"
#include "measurement/IntervalList.h"
#include "platform/SettingsStore.h"
#include "sim/LoggerSim.h"
#include "sim/RecordWire.h"

namespace varelo {
namespace {

using bench::CountingClock;
using bench::CountingDevice;
using bench::SilentUserInterface;

constexpr double kLineSeconds = 628 * 10.0 / 115200.0;

void BM_OnlinePoll(benchmark::State& state) {
    const std::string folder = std::filesystem::temp_directory_path() / "varelo-bench-online";
    std::filesystem::create_directories(folder);
    SettingsStore store(folder + "/Varelo.conf");
    Settings settings(store);
    settings.Write(setting::BaudRate, std::string("115200"));
    FindDefaultLimitFile(settings, DataFolder());
    SilentUserInterface ui;
    CountingDevice device;
    CountingClock clock;
    sim::LoggerSim logger{sim::Scenario{}};
    logger.SetBaud(115200);
    std::string error;
    if (!logger.Start(error)) return state.SkipWithError(error.c_str());
    CSerialPort serial(device, clock, [&](const std::string&) { return logger.SlavePath(); });
    CLoggerLink port(serial, ui);
    CLoggerOperations operations(port, settings);
    AppOptions options;
    CVamor800Doc doc(settings, ui, options);
    if (!doc.OpenOnline(operations.StartOnline())) return state.SkipWithError("not online");

    std::vector<double> polls;
    for (auto _ : state) {
        CIntervalRecord record;
        const auto start = std::chrono::steady_clock::now();
        if (!doc.ReadOnlineRecord(record)) return state.SkipWithError("poll failed");
        polls.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(polls.begin(), polls.begin() + polls.size() / 2, polls.end());
    const double median = polls[polls.size() / 2];
    state.counters["median_ms"] = median * 1000;
    state.counters["ratio_to_line"] = median / kLineSeconds;
}

void BM_DecodeAndAppendToFullList(benchmark::State& state) {
    CIntervalRecord source;
    source.VoltAvgPhaseLxRawVal = {10000, 10000, 10000};
    std::vector<uint8_t> wire = sim::IntervalWire(source, kMeasFuncA);
    CIntervalList list;
    for (size_t i = 0; i < CIntervalList::kOnlineCapacity; ++i)
        list.AddOnline(source);
    ProtocolDiagnostics diagnostics;
    for (auto _ : state) {
        CIntervalRecord record;
        DecodeIntervalA(wire, record, true, diagnostics);
        list.AddOnline(record);
        benchmark::DoNotOptimize(list.size());
    }
}

BENCHMARK(BM_OnlinePoll)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_DecodeAndAppendToFullList)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
