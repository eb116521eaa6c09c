// Reading a one-year function A measurement file (52,560 intervals of 600 s) into the record
// lists: throughput against the line count of `wc -l` on the same file, and the peak memory of
// a read against the size of the records it holds.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchSupport.h"
#include "measurement/MeasurementFile.h"

namespace varelo {
namespace {

using bench::YearFile;

void BM_ReadYearFunctionA(benchmark::State& state) {
    const std::string file = YearFile();
    const auto bytes = int64_t(std::filesystem::file_size(file));
    for (auto _ : state) {
        MeasurementData data;
        if (!ReadMeasurementFile(file, data) || data.intervals.size() != 52560)
            state.SkipWithError("the year file did not read");
        benchmark::DoNotOptimize(data.intervals.size());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ReadYearFunctionA)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// `wc -l` on the same file, timed as a whole command.
void BM_LineCountOfTheSameFile(benchmark::State& state) {
    const std::string file = YearFile();
    const auto bytes = int64_t(std::filesystem::file_size(file));
    const std::string command = "wc -l '" + file + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("wc failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_LineCountOfTheSameFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
    }
    return -1;
}

// Peak memory of one read in a fresh process, against the bytes of the records it holds.
void ReportPeakMemory() {
    const std::string file = YearFile();
    std::fflush(stdout);
    pid_t child = ::fork();
    if (child == 0) {
        long before = StatusKb("VmRSS:");
        MeasurementData data;
        ReadMeasurementFile(file, data);
        long peak = StatusKb("VmHWM:");
        double records = double(data.intervals.size() * sizeof(CIntervalRecord) +
                                data.statistics.size() * sizeof(CStatisticSegment) +
                                data.events.size() * sizeof(CEventRecord)) /
                         1024.0;
        std::printf(
            "Peak memory of a read: %.1f MiB over the process's %.1f MiB for %.1f MiB of "
            "records (ratio %.3f)\n",
            double(peak - before) / 1024.0, double(before) / 1024.0, records / 1024.0,
            double(peak - before) / records);
        std::fflush(stdout);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

}  // namespace
}  // namespace varelo

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("Year file: %s (%.1f MB)\n", varelo::YearFile().c_str(),
                double(std::filesystem::file_size(varelo::YearFile())) / 1e6);
    varelo::ReportPeakMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
