#pragma once

#include <cstdint>

#include "measurement/IntervalRecord.h"
#include "sim/DisturbanceSchedule.h"
#include "sim/FeederModel.h"
#include "sim/RawEncoding.h"

namespace varelo::sim {

// What the records of a job look like: its function, interval, nominal voltage, raw units and
// interharmonic channels.
struct IntervalLayout {
    uint32_t function = 0;
    int32_t intervalSeconds = 600;
    double nominalVoltage = 230;  // V
    RawUnits units;
    int interharmonicChannels = 0;
};

// Builds interval records from the feeder and its disturbances, each on its own. Every value
// is one the Logger can deliver and the PC's read-out takes unchanged: harmonics go through
// the Logger's one-byte level codes, Pst is 0 or above 0.148, maximum THD is 0 where the
// fundamental is below 70 raw units, checked fields stay within 0 to 32767. Function P
// records carry no harmonics and, as the newest function P firmware does, the harmonic content
// in the fundamental fields.
class IntervalSynthesis {
public:
    IntervalSynthesis(const IntervalLayout& layout, const FeederModel& model,
                      const DisturbanceSchedule& schedule, const NoiseSource& noise);

    // Interval n, ending (n + 1) intervals after the start. A negative n lies before the
    // start, as the intervals an earlier run left in a circular memory.
    CIntervalRecord Interval(int64_t n) const;

    // Whether the 10-second frequency value of a slot exists: not while L1, which the Logger
    // synchronises to, is interrupted.
    bool FrequencySlotMeasured(int64_t slot) const;

private:
    struct Phase;
    struct Span;
    void VoltagesOf(const Span& span, int phase, Phase& out) const;
    void CurrentsOf(const Span& span, int phase, Phase& out) const;
    void WriteVoltages(const Phase& ph, int p, CIntervalRecord& r) const;
    void WriteCurrents(const Phase& ph, int p, const Span& span, CIntervalRecord& r) const;
    void WritePowers(const Phase (&phases)[3], const Span& span, CIntervalRecord& r) const;
    void WriteNeutral(const Phase (&phases)[3], const Span& span, CIntervalRecord& r) const;
    // False when a 10-second value of the interval is missing.
    bool WriteFrequency(const Span& span, CIntervalRecord& r) const;
    void WriteInterharmonics(const Phase (&phases)[3], const Span& span, CIntervalRecord& r) const;

    IntervalLayout layout_;
    const FeederModel& model_;
    const DisturbanceSchedule& schedule_;
    NoiseSource noise_;
};

}  // namespace varelo::sim
