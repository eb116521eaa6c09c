// Evaluation of a year of function A measurement held in memory: 52,560 intervals of 600 s,
// a statistic segment per day and a few hundred events, built by a small deterministic
// generator. Reports the full evaluation and the limits-only re-evaluation.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "evaluation/EvaluationResult.h"
#include "evaluation/EventClassification.h"
#include "evaluation/LimitValues.h"
#include "measurement/EventList.h"
#include "measurement/EventRecord.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticList.h"

namespace varelo {
namespace {

constexpr int kIntervals = 52560;
constexpr int kDays = 365;

// xorshift64*: the same numbers on every platform, unlike the standard distributions.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    double Uniform() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return double((state_ * 2685821657736338717ULL) >> 11) * 0x1.0p-53;
    }
    // Roughly normal: the sum of four uniforms, scaled to a standard deviation of 1.
    double Normal() { return (Uniform() + Uniform() + Uniform() + Uniform() - 2) * 1.7320508; }

private:
    uint64_t state_;
};

int16_t Clamp16(double v) {
    return int16_t(std::lround(std::fmin(std::fmax(v, -32768), 32767)));
}

struct YearOfMeasurement {
    CMeasurementJob job;
    CLimitValues limits;
    CIntervalList intervals;
    CStatisticList statistics;
    CEventList events;

    YearOfMeasurement() {
        job.MeasFunc = kMeasFuncA;
        job.VoltPowSysType = kPowSysWye;
        job.NrInterHarm = 3;
        job.HarmOrder = {350, 750, 1650, 0, 0};
        job.EventReady = 400;
        limits.SetDefaults(50);
        CRawScaling scaling;
        scaling.Build(job, 102, 2);
        intervals.SetScaling(scaling);

        Random rnd(20240301);
        // Nominal raw voltage 230 V at 230 / 17600 V per unit; harmonics in 0.0042 % units.
        const double u0 = scaling.NomVolt / scaling.VoltScale;
        const double percent = 1 / scaling.HarmPercentScale;
        CTimeStamp t(2023, 1, 1, 0, 0, 0);
        for (int i = 0; i < kIntervals; ++i) {
            t.AddSeconds(600);
            CIntervalRecord r;
            r.DateTime = t;
            const double daily = std::sin(i * (2 * M_PI / 144));
            for (size_t p = 0; p < 3; ++p) {
                r.VoltAvgPhaseLxRawVal[p] = Clamp16(u0 * (1 + 0.02 * daily + 0.012 * rnd.Normal()));
                r.VoltHarmPhaseLxRawVal[p][0] = Clamp16(u0 * 0.99);
                for (size_t n = 2; n <= 50; ++n) {
                    const double level = (n % 2 ? 3.0 : 0.3) / double(n) * (1 + 0.5 * daily);
                    r.VoltHarmPhaseLxRawVal[p][n - 1] =
                        Clamp16(level * percent * (1 + 0.3 * rnd.Normal()));
                }
                for (size_t j = 0; j < 5; ++j)
                    r.VoltZHarmPhaseLxRawVal[p][j] = Clamp16(0.1 * percent * rnd.Uniform());
                r.VoltTHDAvgCalc[p] = 2.5 + daily + 0.4 * rnd.Normal();
                r.CurrIh1AvgPhaseLxRawVal[p] = Clamp16(8000 + 3000 * daily + 500 * rnd.Normal());
                for (size_t n = 1; n <= 50; ++n)
                    r.CurrHarmPhaseLxRawVal[p][n - 1] =
                        Clamp16(8000.0 / double(n * n) * (1 + 0.3 * rnd.Normal()));
                r.CurrTHDAvgCalc[p] = 15 + 5 * daily + 3 * rnd.Normal();
                r.FlickPstPhaseLxRawVal[p] = Clamp16(400 + 150 * daily + 200 * rnd.Uniform());
            }
            r.VoltUnbalance = Clamp16(60 + 40 * rnd.Uniform());
            r.UnbalAngleL1L2 = Clamp16(9600 + 40 * rnd.Normal());
            r.UnbalAngleL1L3 = Clamp16(19200 + 40 * rnd.Normal());
            intervals.Add(r);
        }

        CTimeStamp day(2023, 1, 1, 0, 0, 0);
        for (int d = 0; d < kDays; ++d) {
            day.AddSeconds(86400);
            CStatisticSegment s;
            s.DateTime = day;
            // 8640 10-second values a day, most within 0.1 Hz of nominal.
            const uint32_t spread[] = {3, 12, 60, 300, 1400, 2545, 2545, 1400, 300, 60, 12, 3};
            for (size_t k = 0; k < std::size(spread); ++k)
                s.Freq10sec[15 + k] = spread[k];
            s.NrSignalVoltInterval = 28800;
            for (size_t p = 0; p < 3; ++p) {
                for (size_t j = 0; j < 3; ++j) {
                    s.SignalVal[p][j][0] = uint16_t(900 + 200 * rnd.Uniform());
                    s.SignalVal[p][j][1] = uint16_t(40 * rnd.Uniform());
                }
            }
            statistics.Add(s);
        }

        CTimeStamp start(2023, 1, 1, 0, 0, 0);
        for (int e = 0; e < 400; ++e) {
            start.AddSeconds(60000 + int(20000 * rnd.Uniform()));
            CEventRecord ev;
            ev.Phase = int16_t(1 + e % 3);
            ev.StartDateTime = start;
            ev.EndDateTime = start;
            const double depth = rnd.Uniform();
            ev.EndDateTime.AddSeconds(depth < 0.05 ? 300 : 1 + int(5 * rnd.Uniform()));
            ev.Val = Clamp16(depth < 0.05 ? 0 : 2200 * (depth < 0.8 ? 0.5 + 0.4 * depth : 1.12));
            ev.ComputeValue(job);
            events.Add(ev);
        }
        ClassifyEvents(events, job, limits);
    }

    EvaluationInput Input() const {
        return {intervals, statistics, events, job, limits, intervals.Scaling()};
    }
};

const YearOfMeasurement& Year() {
    static const YearOfMeasurement year;
    return year;
}

void BM_EvaluateFull(benchmark::State& state) {
    const YearOfMeasurement& year = Year();
    CEvaluationResult result;
    for (auto _ : state) {
        result.Evaluate(year.Input(), true);
        benchmark::DoNotOptimize(result.VoltageVariation());
    }
    // A few results, to show the synthetic year is evaluated as a real one would be.
    state.counters["U_within95_%"] = result.VoltageVariation()->WithinPercent(0, 0);
    state.counters["U_95%_raw"] = result.VoltageVariation()->PercentValue(0, 0, 95);
    state.counters["h_worst"] = result.WorstVoltageOrder(0, 95).order;
    state.counters["f_within_%"] = result.Frequency()->WithinPercent(0);
    state.counters["Plt_max"] = result.Flicker()->Maximum(0);
    state.counters["events"] = result.Events()->Total(kEventOther);
}

void BM_EvaluateLimitsOnly(benchmark::State& state) {
    const YearOfMeasurement& year = Year();
    CEvaluationResult result;
    result.Evaluate(year.Input(), true);
    for (auto _ : state) {
        result.Evaluate(year.Input(), false);
        benchmark::DoNotOptimize(result.VoltageVariation());
    }
}

BENCHMARK(BM_EvaluateFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateLimitsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varelo

BENCHMARK_MAIN();
