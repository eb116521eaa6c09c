#pragma once

#include <array>
#include <cstdint>

#include "evaluation/PhasePresence.h"
#include "measurement/StatisticSegment.h"

namespace varelo {

class CLimitValues;
class CMeasurementJob;

// Mains signalling voltages: the Logger's 20 level classes per phase and signalling channel,
// summed over the statistic segments. Values are in % of the nominal voltage.
class CSignallingStatistics {
public:
    static constexpr int kChannels = kSignallingFrequencies;
    static constexpr int kClasses = kSignallingClasses;

    // Channel frequencies and their limits; the frequency of an unused channel is 0 Hz and
    // finds no limit.
    void Configure(const CMeasurementJob& job, const CLimitValues& limits, PhasePresence presence);
    void Add(const CStatisticSegment& segment);

    // Upper edge of a class in %; class 0 starts at 1 %.
    static double UpperEdge(int level);
    static double LowerEdge(int level) { return level == 0 ? 1.0 : UpperEdge(level - 1); }

    uint64_t Count() const { return count_; }
    int Frequency(int channel) const { return frequency_[size_t(channel)]; }
    int HarmOrder(int channel) const { return harmOrder_[size_t(channel)]; }
    double Limit(int channel) const { return limit_[size_t(channel)]; }
    uint64_t ClassCount(int phase, int channel, int level) const {
        return classes_[size_t(phase)][size_t(channel)][size_t(level)];
    }
    // Values below 1 %: the count not found in any class.
    uint64_t BelowOnePercent(int phase, int channel) const;

    double PercentValue(int phase, int channel, double x) const;
    double WithinPercent(int phase, int channel) const;
    double Maximum(int phase, int channel) const;
    // The rank-th highest value (1 = highest): the upper edge of its class, 1.0 below 1 %, 0
    // when there are fewer values.
    double HighestValue(int phase, int channel, int rank) const;
    // The channel with a limit whose x % value is the largest share of its limit; -1 if none.
    int WorstOrder(int phase, double x) const;

private:
    PhasePresence presence_;
    std::array<int, kChannels> frequency_{};
    std::array<int, kChannels> harmOrder_{};
    std::array<double, kChannels> limit_{};
    std::array<std::array<std::array<uint64_t, kClasses>, kChannels>, 3> classes_{};
    uint64_t count_ = 0;
};

}  // namespace varelo
