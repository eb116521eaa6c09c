// How long logger-sim takes for a year of function A: the records in memory, then the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "measurement/MeasurementFile.h"
#include "sim/MeasurementGenerator.h"

namespace varelo::sim {
namespace {

GeneratorSettings Year() {
    GeneratorSettings s;
    s.intervals = 52560;
    return s;
}

void GenerateYear(benchmark::State& state) {
    const MeasurementGenerator generator(Year());
    for (auto _ : state) {
        MeasurementData data;
        benchmark::DoNotOptimize(generator.Generate(data));
    }
}
BENCHMARK(GenerateYear)->Unit(benchmark::kMillisecond);

void WriteYear(benchmark::State& state) {
    const MeasurementGenerator generator(Year());
    MeasurementData data;
    generator.Generate(data);
    const std::string path = "/tmp/varelo-bench-year.VXM";
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteMeasurementFile(path, data));
    std::remove(path.c_str());
}
BENCHMARK(WriteYear)->Unit(benchmark::kMillisecond);

void OneIntervalOnDemand(benchmark::State& state) {
    const MeasurementGenerator generator(Year());
    uint32_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(generator.Interval(n));
        n = (n + 7919) % 52560;
    }
}
BENCHMARK(OneIntervalOnDemand);

}  // namespace
}  // namespace varelo::sim

BENCHMARK_MAIN();
