#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "evaluation/PhasePresence.h"
#include "evaluation/TopFive.h"

namespace varelo {

class CLimitValues;
class CRawScaling;

// Slow voltage variations: the 10-minute mean voltages of each phase against the nominal
// voltage, with two tolerance sets (0: the "Histogram" share, 1: 100 % of the time). Values are
// kept per phase and sorted, so the x % ranges are exact. All values are raw voltage units.
class CVoltageVariation {
public:
    static constexpr int kSets = 2;

    // Nominal raw voltage and tolerances of both sets; expectedCount reserves storage.
    void Configure(const CLimitValues& limits, const CRawScaling& scaling, PhasePresence presence,
                   size_t expectedCount);
    // One interval value, newest first.
    void Add(int phase, int16_t value, const CTimeStamp& time);
    // Sorts the values of each phase; call once after the last Add.
    void Finish();

    // Whether a nominal raw voltage exists (a voltage scale of 0 gives none).
    bool HasNominal() const { return hasNominal_; }
    long long Nominal() const { return u0_; }
    long long TolerancePlus(int set) const { return sets_[size_t(set)].tplus; }
    long long ToleranceMinus(int set) const { return sets_[size_t(set)].tminus; }
    double WeightPlus(int set) const { return sets_[size_t(set)].wplus; }
    double WeightMinus(int set) const { return sets_[size_t(set)].wminus; }

    size_t Count(int phase) const { return values_[size_t(phase)].size(); }
    // Sorted ascending.
    const std::vector<int16_t>& Values(int phase) const { return values_[size_t(phase)]; }
    double WithinPercent(int set, int phase) const;
    // Largest and smallest value; 0 without values.
    int Maximum(int phase) const;
    int Minimum(int phase) const;

    // The x % range: the deviations of its lower and upper end from the nominal voltage.
    // False when there is none: no values, a share that leaves no value, or a tolerance set
    // that cannot be weighted (a zero tolerance on one side, or no nominal voltage).
    bool Range(int set, int phase, double x, long long& lower, long long& upper) const;
    // The larger normalized deviation of the two range ends; 0 without a range.
    double PercentValue(int set, int phase, double x) const;

    // The five largest normalized deviations of a phase, or of all present phases, read back
    // as raw voltages, in the order of their deviations.
    std::vector<TopFiveEntry> TopFive(int set, int phase) const;
    std::vector<TopFiveEntry> TopFive(int set) const;

private:
    struct ToleranceSet {
        long long tplus = 0;
        long long tminus = 0;
        double wplus = 1;
        double wminus = 1;
        bool weighted = false;
    };
    struct Deviation {
        double value = 0;  // normalized deviation
        CTimeStamp time;
        int phase = 0;
        bool above = true;
        int16_t raw = 0;
    };

    double Normalized(const ToleranceSet& set, long long v) const;
    TopFiveEntry ReadBack(int set, const Deviation& d) const;

    PhasePresence presence_;
    bool hasNominal_ = false;
    long long u0_ = 0;
    std::array<ToleranceSet, kSets> sets_{};
    std::array<std::vector<int16_t>, 3> values_;
    std::array<std::array<size_t, 3>, kSets> within_{};
    std::array<std::array<CTopFive<Deviation>, 3>, kSets> top_{};
};

}  // namespace varelo
