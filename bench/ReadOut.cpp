// Reading a week of function A (1008 intervals of 600 s, its statistic segments and events)
// out of the simulated Logger on a pseudo-terminal:
// - paced at 115200 baud, the read-out time against the time the exchanged bytes need on the
//   wire plus the waits the protocol asks for (ratio; the goal is at most 1.05);
// - unpaced, the intervals per second the PC side manages (the goal is at least 2,000).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "app/Settings.h"
#include "app/UserInterface.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/ReadOutProgress.h"
#include "logger/ReadResults.h"
#include "measurement/LoggerInfo.h"
#include "platform/Clock.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SettingsStore.h"
#include "sim/LoggerSim.h"
#include "sim/MeasurementCommands.h"

namespace varelo {
namespace {

using bench::CountingClock;
using bench::CountingDevice;
using bench::SilentUserInterface;

sim::Scenario WeekOfFunctionA() {
    sim::Scenario scenario;
    scenario.jobs[0].measurement = sim::GeneratorSettings{};  // a week of function A
    sim::DescribeMeasurementJob(scenario);
    return scenario;
}

void ReadOut(benchmark::State& state, int baud) {
    const std::string folder = std::filesystem::temp_directory_path() / "varelo-bench-readout";
    std::filesystem::create_directories(folder);
    SettingsStore store(folder + "/Varelo.conf");
    Settings settings(store);
    settings.Write(setting::BaudRate, std::string("115200"));
    SilentUserInterface ui;
    CountingDevice device;
    CountingClock clock;
    sim::LoggerSim logger(WeekOfFunctionA());
    logger.SetBaud(baud);
    std::string error;
    if (!logger.Start(error)) return state.SkipWithError(error.c_str());
    CSerialPort serial(device, clock, [&](const std::string&) { return logger.SlavePath(); });
    CLoggerLink port(serial, ui);

    uint32_t intervals = 0, records = 0;
    double seconds = 0, wireSeconds = 0, waitSeconds = 0;
    for (auto _ : state) {
        CLoggerProtocol protocol(port, settings);
        CLoggerInfo info;
        if (protocol.Connect(info, 0) != CLoggerProtocol::kConnected)
            return state.SkipWithError("no connection");
        ReadOutProgress progress(ui);
        device.bytes = 0;
        clock.waitedMs = 0;
        const auto start = std::chrono::steady_clock::now();
        const bool saved = SaveReadOut(folder + "/week.VXM", progress, protocol, info);
        const auto end = std::chrono::steady_clock::now();
        protocol.EndConnection();
        if (!saved) return state.SkipWithError("the read-out failed");
        intervals += uint32_t(info.currentJob.intervalCount);
        records += uint32_t(info.currentJob.intervalCount + info.currentJob.statisticCount +
                            info.currentJob.completeEvents + info.currentJob.incompleteEvents);
        seconds += std::chrono::duration<double>(end - start).count();
        wireSeconds += double(device.bytes) * 10.0 / 115200.0;
        waitSeconds += double(clock.waitedMs) / 1000.0;
    }
    // Intervals against the whole read-out, statistics and events included.
    state.counters["intervals_per_s"] = intervals / seconds;
    state.counters["records_per_s"] = records / seconds;
    state.counters["readout_s"] = seconds / double(state.iterations());
    state.counters["wire_s"] = wireSeconds / double(state.iterations());
    state.counters["waits_s"] = waitSeconds / double(state.iterations());
    state.counters["ratio_to_wire_and_waits"] = seconds / (wireSeconds + waitSeconds);
    std::filesystem::remove_all(folder);
}

void BM_ReadOutPacedAt115200(benchmark::State& state) {
    ReadOut(state, 115200);
}
BENCHMARK(BM_ReadOutPacedAt115200)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_ReadOutUnpaced(benchmark::State& state) {
    ReadOut(state, 0);
}
BENCHMARK(BM_ReadOutUnpaced)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
