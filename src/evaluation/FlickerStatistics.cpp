#include "evaluation/FlickerStatistics.h"

#include <algorithm>
#include <cmath>

#include "measurement/IntervalRecord.h"

namespace varelo {

CFlickerStatistics::CFlickerStatistics(PhasePresence presence, size_t expectedCount)
    : presence_(presence) {
    for (int p = 0; p < 3; ++p) {
        if (presence_.Has(p)) plt_[size_t(p)].reserve(expectedCount);
    }
}

double CFlickerStatistics::LongTerm(const std::array<double, kPltWindow>& pst) {
    double cubes = 0;
    for (double p : pst)
        cubes += p * p * p;
    const double plt = std::cbrt(cubes / kPltWindow);
    return plt <= kPltCut ? 0.0 : plt;
}

void CFlickerStatistics::Add(const CIntervalRecord& r) {
    const size_t slot = intervals_ % kPltWindow;
    ++intervals_;
    for (int p = 0; p < 3; ++p) {
        if (!presence_.Has(p)) continue;
        auto& window = window_[size_t(p)];
        window[slot] = r.FlickPstPhaseLxRawVal[size_t(p)] * 0.001;
        double plt = 0;
        if (intervals_ >= kPltWindow) {
            // Oldest to newest, so every interval sums its window in the same order.
            std::array<double, kPltWindow> ordered{};
            for (size_t i = 0; i < kPltWindow; ++i)
                ordered[i] = window[(slot + 1 + i) % kPltWindow];
            plt = LongTerm(ordered);
        }
        auto& series = plt_[size_t(p)];
        minimum_[size_t(p)] = series.empty() ? plt : std::min(minimum_[size_t(p)], plt);
        series.push_back(plt);
        histogram_.AddTop(p, plt, r.DateTime);
    }
}

void CFlickerStatistics::Finish() {
    for (int p = 0; p < 3; ++p) {
        for (double plt : plt_[size_t(p)])
            histogram_.AddClass(p, plt);
    }
}

void CFlickerStatistics::SetLimit(double pltLimit) {
    histogram_.SetLimit(pltLimit);
    for (int p = 0; p < 3; ++p) {
        size_t within = 0;
        for (double plt : plt_[size_t(p)])
            within += plt <= pltLimit;
        within_[size_t(p)] = within;
    }
}

double CFlickerStatistics::WithinPercent(int phase) const {
    const size_t n = Count(phase);
    if (n == 0 || !(Limit() > 0)) return 0;
    return double(within_[size_t(phase)]) / double(n) * 100;
}

}  // namespace varelo
