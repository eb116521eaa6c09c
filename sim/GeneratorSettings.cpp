#include "sim/GeneratorSettings.h"

#include <algorithm>

namespace varelo::sim {

namespace {

constexpr int32_t kIntervalLengths[] = {1, 3, 5, 10, 30, 60, 300, 600, 900, 1800, 3600};

// The Logger counts statistic segments in 16 bits and starts one every hour.
constexpr int64_t kMaxHours = 32766;

// Two-digit years on the wire.
const CTimeStamp kEarliest(1982, 1, 1, 0, 0, 0);
const CTimeStamp kLatest(2081, 12, 31, 23, 59, 59);

// A gap is a restart the PC recognises (all of it within the look-ahead) or an erased stretch
// beyond the look-ahead, which the PC only skips.
bool IsValidGap(const CircularGap& gap, uint32_t lookAhead) {
    if (gap.emptyRecords < 1) return false;
    return uint64_t(gap.staleRecords) + gap.emptyRecords <= lookAhead ||
           gap.staleRecords >= lookAhead;
}

}  // namespace

uint32_t RestartLookAhead(uint32_t function) {
    return function == kMeasFuncP ? 209 : 528;
}

bool ValidateGeneratorSettings(const GeneratorSettings& s, std::string& error) {
    if (s.function != kMeasFuncA && s.function != kMeasFuncP) {
        error = "the measurement function is A or P";
    } else if (s.intervals < 1 || s.intervals > kMaxGeneratedIntervals) {
        error = "the number of intervals is 1 to " + std::to_string(kMaxGeneratedIntervals);
    } else if (std::ranges::find(kIntervalLengths, s.intervalSeconds) ==
               std::end(kIntervalLengths)) {
        error = "the interval is 1, 3, 5, 10, 30, 60, 300, 600, 900, 1800 or 3600 seconds";
    } else if (s.nominalVoltage != 230 && s.nominalVoltage != 120) {
        error = "the system is 230 (230 V, 50 Hz) or 120 (120 V, 60 Hz)";
    } else if (s.DurationSeconds() > kMaxHours * 3600) {
        error = "the measurement lasts at most " + std::to_string(kMaxHours) + " hours";
    } else if (s.gap && !IsValidGap(*s.gap, RestartLookAhead(s.function))) {
        error =
            "a circular-memory gap has at least one empty record and, with the stale ones, "
            "at most " +
            std::to_string(RestartLookAhead(s.function)) +
            " records, or at least that many stale records";
    } else {
        CTimeStamp first = s.start;
        if (s.gap)
            first.SubtractSeconds(int64_t(s.gap->staleRecords + s.gap->emptyRecords) *
                                  s.intervalSeconds);
        CTimeStamp last = s.start;
        last.AddSeconds(s.DurationSeconds());
        if (!s.start.IsValidDateTime() || first < kEarliest || kLatest < last)
            error = "the measurement lies between 1982 and 2081";
        else
            return true;
    }
    return false;
}

}  // namespace varelo::sim
