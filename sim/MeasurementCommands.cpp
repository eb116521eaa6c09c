#include "sim/MeasurementCommands.h"

#include <array>
#include <memory>
#include <string>

#include "sim/CommandDispatcher.h"
#include "sim/JobBlock.h"
#include "sim/MeasurementGenerator.h"
#include "sim/RecordWire.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

// The generator of a job's measurement, made again only when the settings change.
class GeneratorCache {
public:
    const MeasurementGenerator* For(const std::optional<GeneratorSettings>& settings) {
        if (!settings) return nullptr;
        if (!generator_ || generator_->Settings() != *settings) {
            std::string error;
            if (!ValidateGeneratorSettings(*settings, error)) return nullptr;
            generator_ = std::make_unique<MeasurementGenerator>(*settings);
        }
        return generator_.get();
    }

private:
    std::unique_ptr<MeasurementGenerator> generator_;
};

// One cache per job, so that reading the old and the current job in turn generates nothing
// twice.
class JobGenerators {
public:
    const MeasurementGenerator* Selected(const Scenario& s) {
        const uint8_t job = s.selectedJob == 1 ? 1 : 0;
        if (job == 1 && !s.hasOldJob) return nullptr;
        return caches_[job].For(s.jobs[job].measurement);
    }

private:
    std::array<GeneratorCache, 2> caches_;
};

Reply Answer(uint8_t command, std::vector<uint8_t> data, std::string note) {
    data.push_back(XorOf(data));
    return {
        .bytes = std::move(data), .owner = command, .repeatable = true, .note = std::move(note)};
}

Reply NoRecord(uint8_t command, const char* what) {
    return {.owner = command, .note = std::string("no ") + what + " left"};
}

Reply ReadInterval(JobGenerators& generators, CommandContext& context) {
    const MeasurementGenerator* g = generators.Selected(context.scenario);
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

Reply ReadStatistic(JobGenerators& generators, CommandContext& context) {
    const MeasurementGenerator* g = generators.Selected(context.scenario);
    uint32_t& n = context.scenario.read.statistic;
    if (!g || n >= g->StatisticCount()) return NoRecord(kReadStatistic, "statistic segment");
    const std::string note = "statistic segment " + std::to_string(n);
    return Answer(kReadStatistic, StatisticWire(g->Statistic(n++)), note);
}

Reply ReadEvent(JobGenerators& generators, CommandContext& context) {
    const MeasurementGenerator* g = generators.Selected(context.scenario);
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
    auto generators = std::make_shared<JobGenerators>();
    dispatcher.Register(kReadInterval,
                        [generators](CommandContext& c) { return ReadInterval(*generators, c); });
    dispatcher.Register(kReadStatistic,
                        [generators](CommandContext& c) { return ReadStatistic(*generators, c); });
    dispatcher.Register(kReadEvent,
                        [generators](CommandContext& c) { return ReadEvent(*generators, c); });
}

void DescribeMeasurementJob(Scenario& scenario, uint8_t jobIndex) {
    GeneratorCache cache;
    LoggerJob& current = scenario.jobs[jobIndex == 1 ? 1 : 0];
    const MeasurementGenerator* g = cache.For(current.measurement);
    if (!g) return;
    const CMeasurementJob& job = g->Job();
    const bool a = g->Settings().function == kMeasFuncA;
    current.function = a ? 'A' : 'P';
    // The job as recorded, so that its memory models (a wrapped circular memory) go out too.
    current.block = JobData(job, scenario.IsExtendedFamily());
    current.report = JobReport{.state = 'F',
                               .intervalMemory = uint8_t(job.IntervalMem),
                               .intervals = int32_t(g->MemoryIntervalCount()),
                               .statistics = int16_t(g->StatisticCount()),
                               .events = job.EventReady,
                               .openEvents = uint8_t(job.EventOpen),
                               .start = ToSimDateTime(job.MeasStartMeasured),
                               .end = ToSimDateTime(job.MeasStopMeasured)};
    if (&current == &scenario.jobs[1]) {
        scenario.hasOldJob = true;
        return;  // the Logger's firmware is the current job's business
    }
    const CLoggerInfo& logger = g->Logger();
    scenario.software = {logger.MeasFunc, logger.VersionCPU, logger.FuncCPU, logger.VersionDSP,
                         logger.FuncDSP};
}

}  // namespace varelo::sim
