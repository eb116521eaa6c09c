#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticSegment.h"
#include "sim/DisturbanceSchedule.h"
#include "sim/FeederModel.h"
#include "sim/GeneratorSettings.h"
#include "sim/IntervalSynthesis.h"
#include "sim/StatisticSynthesis.h"

namespace varelo::sim {

// A realistic, deterministic measurement of a Logger 408b on a low-voltage feeder: the same
// settings always give the same data. The Logger, its job and the schedule of events are fixed
// when the generator is made; every interval, statistic segment and event is then produced on
// demand, so that a Logger serving the measurement record by record needs no more memory than
// one record. Generate() collects them all as the PC's read-out stores them.
//
// Function A jobs have three interharmonic channels, two of them ripple-control channels, and
// one statistic segment per clock hour. A function P Logger keeps no statistics, as the PC
// expects of it.
class MeasurementGenerator {
public:
    // `settings` must pass ValidateGeneratorSettings.
    explicit MeasurementGenerator(const GeneratorSettings& settings);
    MeasurementGenerator(const MeasurementGenerator&) = delete;
    MeasurementGenerator& operator=(const MeasurementGenerator&) = delete;

    const GeneratorSettings& Settings() const { return settings_; }
    const CLoggerInfo& Logger() const { return logger_; }
    // The job with the Logger's report, as the measurement file stores it.
    const CMeasurementJob& Job() const { return job_; }

    uint32_t IntervalCount() const { return settings_.intervals; }
    CIntervalRecord Interval(uint32_t n) const { return intervals_.Interval(n); }
    size_t StatisticCount() const;
    CStatisticSegment Statistic(size_t n) const { return statistics_.Segment(n); }
    size_t EventCount() const { return events_.size(); }
    const CEventRecord& Event(size_t n) const { return events_[n]; }
    std::span<const Disturbance> Disturbances() const { return schedule_.Disturbances(); }

    // The Logger's interval memory. With a circular-memory gap the stale and the erased records
    // come before the measurement's intervals.
    uint32_t MemoryIntervalCount() const;
    // False for an erased record, which the Logger sends as all 0xFF.
    bool MemoryInterval(uint32_t slot, CIntervalRecord& record) const;

    // The whole measurement; false when memory ran out.
    bool Generate(MeasurementData& data) const;

private:
    void BuildJob();
    void BuildLogger();
    void BuildEvents();
    uint32_t GapRecords() const;

    GeneratorSettings settings_;
    NoiseSource noise_;
    MeasurementCalendar calendar_;
    DisturbanceSchedule schedule_;
    FeederModel model_;
    IntervalLayout layout_;
    IntervalSynthesis intervals_;
    StatisticSynthesis statistics_;
    CMeasurementJob job_;
    CLoggerInfo logger_;
    std::vector<CEventRecord> events_;
};

}  // namespace varelo::sim
