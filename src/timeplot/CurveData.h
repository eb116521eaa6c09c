#pragma once

#include <cstdint>
#include <vector>

#include "measurement/TimeStamp.h"

namespace varelo {

class CIntervalList;
class CMeasurementChannel;
struct QuantitySettings;

// The values of a diagram's curves, read from the records once per channel set or document
// update so that a redraw never walks the records: per record its time and whether a gap
// precedes it, per curve a column of values as drawn (range-limited quantities folded).
class CurveData {
public:
    void Build(const CIntervalList& intervals, const std::vector<CMeasurementChannel>& channels,
               const QuantitySettings& settings, int intervalSeconds);
    void Clear();

    // Seconds from the origin (one interval before the first record) to each record's time,
    // which is the end of its interval.
    const std::vector<int64_t>& Times() const { return times_; }
    // Whether record i does not follow record i - 1 by one interval.
    bool GapBefore(size_t i) const { return gaps_[i] != 0; }
    const CTimeStamp& Origin() const { return origin_; }
    int IntervalSeconds() const { return intervalSeconds_; }
    size_t Size() const { return times_.size(); }

    int CurveCount() const { return int(values_.size()); }
    const std::vector<float>& Values(int curve) const { return values_[size_t(curve)]; }
    // Smallest and largest drawn value of a curve; false without records.
    bool Extremes(int curve, double& minimum, double& maximum) const;
    // How often the columns were built, for the benchmark.
    int Builds() const { return builds_; }

private:
    CTimeStamp origin_;
    int intervalSeconds_ = 1;
    std::vector<int64_t> times_;
    std::vector<uint8_t> gaps_;
    std::vector<std::vector<float>> values_;
    std::vector<std::pair<float, float>> extremes_;
    int builds_ = 0;
};

}  // namespace varelo
