#pragma once

#include <vector>

#include "timeplot/TimeAxis.h"

namespace varelo {

// The X-axis scaling of a level-time diagram: a period and the window start to show it from.
class XAxisScaling {
public:
    explicit XAxisScaling(const TimeAxis& axis);

    const CTimeStamp& MeasurementStart() const { return start_; }
    const CTimeStamp& MeasurementEnd() const { return end_; }

    // From the measurement period (26) down to 1 minute, without the periods shorter than one
    // interval.
    const std::vector<int>& Periods() const { return periods_; }
    // The chosen period; -1 for none.
    int Period() const { return period_; }
    // Takes a period of the list; the start moves onto its grid, or to the measurement start
    // when the grid's start lies outside the measurement.
    void ChoosePeriod(int period);

    bool DateEnabled() const { return period_ > 0 && period_ != 26; }
    bool TimeEnabled() const { return period_ > 0 && period_ < 24; }
    const CTimeStamp& Start() const { return windowStart_; }
    void SetStart(const CTimeStamp& start) { windowStart_ = start; }

    bool CanAccept() const { return period_ > 0; }
    // OK: the window start is set first, then the period, without align.
    void Apply(TimeAxis& axis) const;

private:
    CTimeStamp start_;
    CTimeStamp end_;
    std::vector<int> periods_;
    int period_ = -1;
    CTimeStamp windowStart_;
};

}  // namespace varelo
