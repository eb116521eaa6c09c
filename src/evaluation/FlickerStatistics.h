#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "evaluation/PhasePresence.h"
#include "evaluation/RelativeHistogram.h"

namespace varelo {

class CIntervalRecord;

// Long-term flicker: per interval and phase the Plt of the last twelve Pst values, with its
// histogram relative to the phase's largest Plt. Values are in Plt units.
class CFlickerStatistics {
public:
    static constexpr int kPltWindow = 12;
    static constexpr double kPltCut = 0.148;  // Plt at or below this counts as 0

    explicit CFlickerStatistics(PhasePresence presence, size_t expectedCount = 0);

    // One interval, oldest first.
    void Add(const CIntervalRecord& record);
    // Histograms the Plt values; call once after the last Add.
    void Finish();
    void SetLimit(double pltLimit);
    double Limit() const { return histogram_.Limit(); }

    size_t Count(int phase) const { return histogram_.Count(phase); }
    // Plt of every interval of the phase, in list order (0 for absent phases).
    const std::vector<double>& PltSeries(int phase) const { return plt_[size_t(phase)]; }
    double Maximum(int phase) const { return histogram_.Maximum(phase); }
    double Minimum(int phase) const { return minimum_[size_t(phase)]; }
    const CTopFive<>& TopFive(int phase) const { return histogram_.TopFive(phase); }
    const CRelativeHistogram& Histogram() const { return histogram_; }

    double PercentValue(int phase, double x) const { return histogram_.PercentValue(phase, x); }
    // Share in % of the Plt values at or below the limit; 0 without values or limit.
    double WithinPercent(int phase) const;

    // Plt of the last twelve Pst values, or 0 when it is not above the cut.
    static double LongTerm(const std::array<double, kPltWindow>& pst);

private:
    PhasePresence presence_;
    CRelativeHistogram histogram_{HistogramRule::kFlicker};
    std::array<std::vector<double>, 3> plt_;
    std::array<double, 3> minimum_{};
    std::array<size_t, 3> within_{};
    std::array<std::array<double, kPltWindow>, 3> window_{};  // ring of the last Pst values
    size_t intervals_ = 0;
};

}  // namespace varelo
