#include "timeplot/XAxisScaling.h"

#include <algorithm>

#include "timeplot/TimePeriodTable.h"

namespace varelo {

namespace {
// Longer periods always hold at least one interval.
constexpr int kLastCheckedPeriod = 7;
}  // namespace

XAxisScaling::XAxisScaling(const TimeAxis& axis)
    : start_(axis.MeasurementStart()),
      end_(axis.MeasurementEnd()),
      windowStart_(axis.WindowStart()) {
    for (int p = kMeasurementPeriod; p >= kFirstPeriod; --p) {
        if (p <= kLastCheckedPeriod && TimePeriodAt(p).seconds < axis.IntervalSeconds()) continue;
        periods_.push_back(p);
    }
    if (std::find(periods_.begin(), periods_.end(), axis.Period()) != periods_.end())
        period_ = axis.Period();
}

void XAxisScaling::ChoosePeriod(int period) {
    if (std::find(periods_.begin(), periods_.end(), period) == periods_.end()) return;
    period_ = period;
    if (period == kMeasurementPeriod) return;
    const CTimeStamp aligned = RoundWindowStart(windowStart_, period, true);
    const bool inside = !(aligned < start_) && !(end_ < aligned);
    windowStart_ = inside ? aligned : start_;
}

void XAxisScaling::Apply(TimeAxis& axis) const {
    if (!CanAccept()) return;
    axis.SetWindowStart(windowStart_);
    axis.SetPeriod(period_, false);
}

}  // namespace varelo
