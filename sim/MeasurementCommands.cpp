#include "sim/MeasurementCommands.h"

#include <memory>
#include <string>

#include "logger/JobWireFormat.h"
#include "sim/CommandDispatcher.h"
#include "sim/MeasurementGenerator.h"
#include "sim/RecordWire.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

// The generator of the scenario's measurement, made again only when the settings change.
class GeneratorCache {
public:
    const MeasurementGenerator* For(const Scenario& s) {
        if (!s.measurement) return nullptr;
        if (!generator_ || generator_->Settings() != *s.measurement) {
            std::string error;
            if (!ValidateGeneratorSettings(*s.measurement, error)) return nullptr;
            generator_ = std::make_unique<MeasurementGenerator>(*s.measurement);
        }
        return generator_.get();
    }

private:
    std::unique_ptr<MeasurementGenerator> generator_;
};

Reply Answer(uint8_t command, std::vector<uint8_t> data, std::string note) {
    data.push_back(XorOf(data));
    return {
        .bytes = std::move(data), .owner = command, .repeatable = true, .note = std::move(note)};
}

Reply NoRecord(uint8_t command, const char* what) {
    return {.owner = command, .note = std::string("no ") + what + " left"};
}

Reply ReadInterval(GeneratorCache& cache, CommandContext& context) {
    const MeasurementGenerator* g = cache.For(context.scenario);
    uint32_t& slot = context.scenario.read.interval;
    if (!g || slot >= g->MemoryIntervalCount()) return NoRecord(kReadInterval, "interval");
    const uint32_t function = g->Settings().function;
    CIntervalRecord record;
    const bool stored = g->MemoryInterval(slot, record);
    const std::string note = "interval slot " + std::to_string(slot) + (stored ? "" : ", erased");
    ++slot;
    return Answer(kReadInterval,
                  stored ? IntervalWire(record, function) : ErasedIntervalWire(function), note);
}

Reply ReadStatistic(GeneratorCache& cache, CommandContext& context) {
    const MeasurementGenerator* g = cache.For(context.scenario);
    uint32_t& n = context.scenario.read.statistic;
    if (!g || n >= g->StatisticCount()) return NoRecord(kReadStatistic, "statistic segment");
    const std::string note = "statistic segment " + std::to_string(n);
    return Answer(kReadStatistic, StatisticWire(g->Statistic(n++)), note);
}

Reply ReadEvent(GeneratorCache& cache, CommandContext& context) {
    const MeasurementGenerator* g = cache.For(context.scenario);
    uint32_t& n = context.scenario.read.event;
    if (!g || n >= g->EventCount()) return NoRecord(kReadEvent, "event");
    const std::string note = "event " + std::to_string(n);
    return Answer(kReadEvent, EventWire(g->Event(n++)), note);
}

SimDateTime ToSimDateTime(const CTimeStamp& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

}  // namespace

void RegisterMeasurementCommands(CommandDispatcher& dispatcher) {
    auto cache = std::make_shared<GeneratorCache>();
    dispatcher.Register(kReadInterval,
                        [cache](CommandContext& c) { return ReadInterval(*cache, c); });
    dispatcher.Register(kReadStatistic,
                        [cache](CommandContext& c) { return ReadStatistic(*cache, c); });
    dispatcher.Register(kReadEvent, [cache](CommandContext& c) { return ReadEvent(*cache, c); });
}

void DescribeMeasurementJob(Scenario& scenario) {
    GeneratorCache cache;
    const MeasurementGenerator* g = cache.For(scenario);
    if (!g) return;
    const CMeasurementJob& job = g->Job();
    LoggerJob& current = scenario.jobs[0];
    const bool a = g->Settings().function == kMeasFuncA;
    current.function = a ? 'A' : 'P';
    // The job as recorded, so that its memory models (a wrapped circular memory) go out too.
    const auto block = EncodeJob(job, scenario.IsExtendedFamily());
    current.block.assign(block.begin(), block.end());
    current.report = JobReport{.state = 'F',
                               .intervalMemory = uint8_t(job.IntervalMem),
                               .intervals = int32_t(g->MemoryIntervalCount()),
                               .statistics = int16_t(g->StatisticCount()),
                               .events = job.EventReady,
                               .openEvents = uint8_t(job.EventOpen),
                               .start = ToSimDateTime(job.MeasStartMeasured),
                               .end = ToSimDateTime(job.MeasStopMeasured)};
    const CLoggerInfo& logger = g->Logger();
    scenario.software = {logger.MeasFunc, logger.VersionCPU, logger.FuncCPU, logger.VersionDSP,
                         logger.FuncDSP};
}

}  // namespace varelo::sim
