#include "timeplot/CurveData.h"

#include <algorithm>

#include "measurement/IntervalList.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/NiceScale.h"

namespace varelo {

void CurveData::Clear() {
    times_.clear();
    gaps_.clear();
    values_.clear();
    extremes_.clear();
}

void CurveData::Build(const CIntervalList& intervals,
                      const std::vector<CMeasurementChannel>& channels,
                      const QuantitySettings& settings, int intervalSeconds) {
    Clear();
    ++builds_;
    intervalSeconds_ = std::max(intervalSeconds, 1);
    if (intervals.empty()) {
        values_.assign(channels.size(), {});
        extremes_.assign(channels.size(), {0.0f, 0.0f});
        return;
    }
    origin_ = intervals.front().DateTime;
    origin_.AddSeconds(-intervalSeconds_);
    times_.reserve(intervals.size());
    gaps_.reserve(intervals.size());
    int64_t previous = 0;
    for (const CIntervalRecord& r : intervals) {
        const int64_t t = r.DateTime.SecondsSince(origin_);
        gaps_.push_back(!times_.empty() && t != previous + intervalSeconds_);
        times_.push_back(t);
        previous = t;
    }
    values_.resize(channels.size());
    extremes_.resize(channels.size());
    for (size_t c = 0; c < channels.size(); ++c) {
        const bool folded = IsRangeLimited(channels[c].QuantityId());
        std::vector<float>& column = values_[c];
        column.reserve(intervals.size());
        for (const CIntervalRecord& r : intervals) {
            const double v = channels[c].ChannelValue(r, intervals.Scaling(), settings);
            column.push_back(float(folded ? Fold(v) : v));
        }
        const auto [lo, hi] = std::minmax_element(column.begin(), column.end());
        extremes_[c] = {*lo, *hi};
    }
}

bool CurveData::Extremes(int curve, double& minimum, double& maximum) const {
    if (times_.empty() || curve < 0 || curve >= CurveCount()) return false;
    minimum = extremes_[size_t(curve)].first;
    maximum = extremes_[size_t(curve)].second;
    return true;
}

}  // namespace varelo
