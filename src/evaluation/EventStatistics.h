#pragma once

#include <array>
#include <vector>

#include "evaluation/PhasePresence.h"
#include "evaluation/TopFive.h"

namespace varelo {

class CEventRecord;
class CMeasurementJob;

// One of the most extreme events.
struct EventEntry {
    double value = 0;  // ranking value: weighted deviation or duration in ms
    CTimeStamp start;
    long long durationMs = 0;
    int phase = 0;          // 0-2
    bool above = true;      // a swell rather than a dip
    double voltage = 0;     // the event's Value in V
    double rawVoltage = 0;  // for deviations: the raw event voltage read back
};

// Counts of dips and swells and of short and long interruptions per phase, the five largest
// weighted deviations of dips and swells and the five longest interruptions of each kind.
class CEventStatistics {
public:
    // Raw event voltage of the nominal voltage.
    static constexpr int kNominalRaw = 2200;

    // Weights from the job's event thresholds, truncated to whole percent: the side with the
    // larger threshold distance is scaled down to the other.
    CEventStatistics(const CMeasurementJob& job, PhasePresence presence);

    // One event of the list, in list order; events of other or absent phases are skipped.
    void Add(const CEventRecord& event);

    double SwellWeight() const { return swellWeight_; }
    double DipWeight() const { return dipWeight_; }
    // Count of a phase (0-2) and Kind (0 short, 1 long interruption, 2 dip or swell).
    int Count(int phase, int kind) const { return counts_[size_t(phase)][size_t(kind)]; }
    int Total(int kind) const;

    // Dips and swells by weighted deviation, each read back as a raw voltage (rawVoltage).
    std::vector<EventEntry> TopDeviations() const;
    // The longest interruptions of Kind 0 or 1.
    std::vector<EventEntry> Longest(int kind) const;

private:
    PhasePresence presence_;
    double swellWeight_ = 1;
    double dipWeight_ = 1;
    std::array<std::array<int, 3>, 3> counts_{};
    CTopFive<EventEntry> deviations_;
    std::array<CTopFive<EventEntry>, 2> longest_;
};

}  // namespace varelo
