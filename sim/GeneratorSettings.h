#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "measurement/MeasurementJob.h"
#include "measurement/TimeStamp.h"

namespace varelo::sim {

// A circular interval memory that wrapped: before the measurement's first interval the Logger
// still holds `staleRecords` intervals of the earlier run, then `emptyRecords` erased ones.
// The PC's read-out drops both when they lie within its look-ahead, so the measurement file
// holds the same intervals as without the gap; the Logger's memory holds more. Erased records
// beyond the look-ahead are only skipped.
struct CircularGap {
    uint32_t staleRecords = 0;
    uint32_t emptyRecords = 1;

    bool operator==(const CircularGap&) const = default;
    // The PC sees a restart only when an empty record lies within its look-ahead; stale
    // records before a gap beyond it stay in the read-out.
    bool IsRestart(uint32_t lookAhead) const { return staleRecords < lookAhead; }
};

// What to generate. The defaults describe a week of function A at 230 V / 50 Hz from Monday
// 2024-01-01 00:00.
struct GeneratorSettings {
    uint32_t function = kMeasFuncA;  // kMeasFuncA or kMeasFuncP
    uint32_t intervals = 1008;
    int32_t intervalSeconds = 600;
    uint64_t seed = 1;
    int nominalVoltage = 230;  // 230 V at 50 Hz or 120 V at 60 Hz
    CTimeStamp start{2024, 1, 1, 0, 0, 0};
    std::optional<CircularGap> gap;
    // What the job says of the installation; the generated values stay those of the feeder.
    uint32_t powerSystem = kPowSysWye;
    // Voltage and current transformers, primary and secondary in 0.01 units; none: not used.
    std::optional<std::pair<int32_t, int32_t>> voltageTransformer;
    std::optional<std::pair<int32_t, int32_t>> currentTransformer;
    // Job texts 1 to 6 that replace the generated ones.
    std::array<std::optional<std::string>, kJobLineCount> jobTexts;

    bool operator==(const GeneratorSettings&) const = default;

    int NominalFrequency() const { return nominalVoltage == 120 ? 60 : 50; }
    // Seconds from the start to the end of the last interval.
    int64_t DurationSeconds() const { return int64_t(intervals) * intervalSeconds; }
};

// The largest measurement generated: it lives in memory whole.
inline constexpr uint32_t kMaxGeneratedIntervals = 1000000;

// The PC's look-ahead for a restarted circular memory, in records.
uint32_t RestartLookAhead(uint32_t function);

// False with a message for the user when the settings describe no measurement a Logger could
// have recorded: an interval length the Logger does not offer, a period outside the years the
// Logger's dates can tell apart, more statistic segments than the job can count, a gap the
// read-out would not drop.
bool ValidateGeneratorSettings(const GeneratorSettings& settings, std::string& error);

}  // namespace varelo::sim
