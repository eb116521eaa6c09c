#pragma once

#include "measurement/RecordList.h"
#include "measurement/StatisticSegment.h"

namespace varelo {

// The statistic segments of a measurement.
class CStatisticList : public CRecordList<CStatisticSegment> {
  public:
    // Keeps the segments with start <= DateTime <= end.
    size_t RemoveOutside(const CTimeStamp& start, const CTimeStamp& end) {
        return RemoveIf(
            [&](const CStatisticSegment& s) { return s.DateTime < start || end < s.DateTime; });
    }
};

}  // namespace varelo
