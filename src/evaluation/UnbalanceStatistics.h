#pragma once

#include <cstddef>

#include "evaluation/RelativeHistogram.h"

namespace varelo {

class CIntervalRecord;

// Voltage unbalance of the system (one value per interval, raw 0.01 %), relative to its
// maximum, with the share within the limit counted exactly.
class CUnbalanceStatistics {
public:
    // The limit VoltUnbal in %; phaseToPhase for Delta and 2-Element Delta systems, whose
    // unbalance is shown without the angle check.
    CUnbalanceStatistics(double limitPercent, bool phaseToPhase);

    // First pass, newest first: top five, and whether the phase angles look like a three-phase
    // system in any interval.
    void AddTop(const CIntervalRecord& record);
    // Second pass, oldest first.
    void AddClass(const CIntervalRecord& record);

    // Whether the unbalance is shown: the angle check held in some interval, or the system
    // measures between phases.
    bool IsDefined() const { return anglesPlausible_ || phaseToPhase_; }
    bool AnglesPlausible() const { return anglesPlausible_; }
    // The limit in raw units (0.01 %).
    double Limit() const { return histogram_.Limit(); }

    size_t Count() const { return histogram_.Count(0); }
    double Maximum() const { return histogram_.Maximum(0); }
    const CTopFive<>& TopFive() const { return histogram_.TopFive(0); }
    const CRelativeHistogram& Histogram() const { return histogram_; }
    double PercentValue(double x) const { return histogram_.PercentValue(0, x); }
    double WithinPercent() const;

    // Both angles (raw 0.0125 degree) lie within 100-140 or 220-260 degrees.
    static bool AnglesInWindows(int16_t angleL1L2, int16_t angleL1L3);

private:
    CRelativeHistogram histogram_{HistogramRule::kUnbalance};
    bool phaseToPhase_ = false;
    bool anglesPlausible_ = false;
    size_t within_ = 0;
};

}  // namespace varelo
