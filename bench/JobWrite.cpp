// Writing a function A job to a simulated Logger whose application firmware is older than the
// packages', paced at 115200 baud: restart, the four download passes, a fresh identification
// and the job. The time against the waits the protocol asks for plus the time the exchanged
// bytes need on the wire (ratio; the goal is at most 1.25).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "app/Settings.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerOperations.h"
#include "measurement/MeasurementJob.h"
#include "platform/SettingsStore.h"
#include "sim/LoggerSim.h"

namespace varelo {
namespace {

// Says yes to every question, as the engineer who starts the write does.
class AgreeingUserInterface final : public bench::SilentUserInterface {
public:
    bool AskYesNo(int, const std::string&, MessageIcon) override { return true; }
    Answer Ask(const Question&) override { return Answer::Yes; }
    bool AskOldBootProgram(int) override { return true; }
};

// A 408b with the packages' boot program and an older application.
sim::Scenario OlderApplication() {
    sim::Scenario s;
    s.hardware.bootVersion = " 1.20";
    s.software.cpuVersion = " 5.02";
    s.software.dspVersion = " 5.02";
    s.jobs[0].report.state = 'F';
    return s;
}

void BM_JobWriteWithFirmwareUpdateAt115200(benchmark::State& state) {
    const std::string folder = std::filesystem::temp_directory_path() / "varelo-bench-jobwrite";
    std::filesystem::create_directories(folder);
    SettingsStore store(folder + "/Varelo.conf");
    Settings settings(store);
    settings.Write(setting::BaudRate, std::string("115200"));
    AgreeingUserInterface ui;
    bench::CountingDevice device;
    bench::CountingClock clock;
    double seconds = 0, wireSeconds = 0, waitSeconds = 0;
    for (auto _ : state) {
        sim::LoggerSim logger(OlderApplication());
        logger.SetBaud(115200);
        std::string error;
        if (!logger.Start(error)) return state.SkipWithError(error.c_str());
        CSerialPort serial(device, clock, [&](const std::string&) { return logger.SlavePath(); });
        CLoggerLink link(serial, ui);
        CLoggerOperations operations(link, settings);
        CMeasurementJob job;
        job.MeasFunc = kMeasFuncA;
        job.JobType = 2;  // continuous
        device.bytes = 0;
        clock.waitedMs = 0;
        const auto start = std::chrono::steady_clock::now();
        const OperationResult result = operations.WriteJobToLogger(job, {});
        const auto end = std::chrono::steady_clock::now();
        if (result != OperationResult::Done) return state.SkipWithError("the job write failed");
        if (logger.CurrentScenario().software.cpuVersion != "5.03")
            return state.SkipWithError("the firmware was not updated");
        seconds += std::chrono::duration<double>(end - start).count();
        wireSeconds += double(device.bytes) * 10.0 / 115200.0;
        waitSeconds += double(clock.waitedMs) / 1000.0;
    }
    const double n = double(state.iterations());
    state.counters["write_s"] = seconds / n;
    state.counters["wire_s"] = wireSeconds / n;
    state.counters["waits_s"] = waitSeconds / n;
    state.counters["ratio_to_wire_and_waits"] = seconds / (wireSeconds + waitSeconds);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_JobWriteWithFirmwareUpdateAt115200)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
