#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "evaluation/TopFive.h"

namespace varelo {

// How a relative histogram treats its edge cases.
enum class HistogramRule {
    kHarmonic,   // x % value rounded to whole raw units; a maximum of 0 puts values in class 0
    kThd,        // as harmonics without rounding
    kUnbalance,  // a maximum below 0.0001 puts values in class 99
    kFlicker,    // as unbalance; the rank of the x % value rounds a fraction of 0.5 down
};

// The statistics of one quantity on the phases L1-L3 relative to each phase's maximum: the
// five largest values, fed newest first, then 100 classes of maximum / 100 each, fed oldest
// first. Harmonic orders, interharmonic channels, THD, unbalance and Plt all use it.
class CRelativeHistogram {
public:
    static constexpr int kClasses = 100;

    CRelativeHistogram() = default;
    explicit CRelativeHistogram(HistogramRule rule) : rule_(rule) {}

    // First pass: the top-five list and the number of values.
    void AddTop(int phase, double value, const CTimeStamp& time) {
        Phase& ph = phases_[size_t(phase)];
        ++ph.count;
        if (ph.top.Enters(value)) ph.top.Insert({value, time, phase, true});
    }
    // Second pass: the class of the value relative to the phase's maximum.
    void AddClass(int phase, double value) {
        Phase& ph = phases_[size_t(phase)];
        ++ph.classes[size_t(ClassOf(value, ph.top.First()))];
    }
    int ClassOf(double value, double maximum) const;

    // The limit in the quantity's own units; 0 or less means not evaluated.
    void SetLimit(double limit) { limit_ = limit; }
    double Limit() const { return limit_; }

    size_t Count(int phase) const { return phases_[size_t(phase)].count; }
    double Maximum(int phase) const { return phases_[size_t(phase)].top.First(); }
    const CTopFive<>& TopFive(int phase) const { return phases_[size_t(phase)].top; }
    uint32_t ClassCount(int phase, int j) const {
        return phases_[size_t(phase)].classes[size_t(j)];
    }

    // The value not exceeded during x % of the time: the upper edge of the class where the
    // running count reaches the rank of x %.
    double PercentValue(int phase, double x) const;
    // Share in % of the values in the classes whose lower edge lies within the limit; 0 without
    // values or without a limit.
    double WithinPercent(int phase) const;

private:
    struct Phase {
        CTopFive<> top;
        std::array<uint32_t, kClasses> classes{};
        size_t count = 0;
    };

    HistogramRule rule_ = HistogramRule::kHarmonic;
    double limit_ = 0;
    std::array<Phase, 3> phases_{};
};

}  // namespace varelo
