#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "evaluation/TopFive.h"

namespace varelo {

class CLimitValues;
class CStatisticSegment;

// The 10-second frequency values of the statistic segments, spread from the Logger's 42
// classes into 0.1-Hz bins of deviation below and above the nominal frequency, against two
// tolerance sets (0: 99.5 % of the time, 1: 100 %).
class CFrequencyStatistics {
public:
    static constexpr int kBins = 100;
    static constexpr int kSets = 2;
    static constexpr double kBinWidth = 0.1;

    // Nominal frequency in Hz (a job without one counts as 50) and the tolerances of both sets.
    void Configure(int nominalFrequency, const CLimitValues& limits);
    // Spreads the segment's classes into the bins.
    void Add(const CStatisticSegment& segment);
    // Spreads `count` over `bins`: trunc(count / n) each, the remainder r one more on the bins
    // trunc((n / r) x i - 1), i = 1 to r, with n / r in single precision.
    static void Spread(uint64_t count, std::span<uint64_t> bins);

    double NominalFrequency() const { return f0_; }
    uint64_t Count() const { return count_; }
    bool HasValues() const { return count_ > 0; }
    const std::array<uint64_t, kBins>& BelowBins() const { return below_; }
    const std::array<uint64_t, kBins>& AboveBins() const { return above_; }

    // L(k) in Hz: the wider tolerance of the set.
    double Tolerance(int set) const { return sets_[size_t(set)].limit; }
    // The narrower side is scaled up; a side with a tolerance of 0 gets an infinite weight.
    double WeightAbove(int set) const { return sets_[size_t(set)].wabove; }
    double WeightBelow(int set) const { return sets_[size_t(set)].wbelow; }
    double WithinPercent(int set) const;

    // Highest and lowest frequency in Hz by the bin edges; the nominal frequency without values.
    double Maximum() const;
    double Minimum() const;

    // The x % range as deviations in Hz of its lower and upper end. False without values,
    // for a share that leaves no value, or for a set with an infinite weight.
    bool Range(int set, double x, double& lower, double& upper) const;
    // Larger weighted deviation of the range ends, compared with Tolerance(0); 0 without range.
    double PercentValue(int set, double x) const;
    // Weighted deviation of the farthest bins; 0 for a set with an infinite weight.
    double HundredPercentValue(int set) const;
    // The five largest weighted deviations, read back as frequencies in Hz.
    std::vector<TopFiveEntry> TopFive(int set) const;

private:
    struct ToleranceSet {
        double limit = 0;
        double wabove = 1;
        double wbelow = 1;
    };

    bool Finite(const ToleranceSet& set) const;
    // Signed bin (-(b + 1) below, b + 1 above) of the value at an ascending rank.
    int SignedBinAt(uint64_t rank) const;

    double f0_ = 50;
    std::array<ToleranceSet, kSets> sets_{};
    std::array<uint64_t, kBins> below_{};
    std::array<uint64_t, kBins> above_{};
    uint64_t count_ = 0;
};

}  // namespace varelo
