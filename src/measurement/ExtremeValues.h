#pragma once

#include <map>
#include <vector>

#include "measurement/TimeStamp.h"

namespace varelo {

class CIntervalList;
class CMeasurementChannel;

// The smallest and largest physical value of one channel over the intervals, each with the
// timestamp of its interval.
struct ExtremeValue {
    double minimum = 0;
    CTimeStamp minimumTime;
    double maximum = 0;
    CTimeStamp maximumTime;
};

// Extreme values of every channel asked for, by channel identifier.
class ExtremeValueTable {
public:
    void Compute(const CIntervalList& intervals, const std::vector<CMeasurementChannel>& channels);
    void Clear() { values_.clear(); }
    // None when the channel was not computed or there were no intervals.
    const ExtremeValue* Find(int channelId) const;
    size_t Size() const { return values_.size(); }

private:
    std::map<int, ExtremeValue> values_;
};

}  // namespace varelo
