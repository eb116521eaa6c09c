#pragma once

#include "measurement/IntervalRecord.h"
#include "measurement/RawScaling.h"
#include "measurement/RecordList.h"

namespace varelo {

// The interval records of a measurement with the measurement's scaling.
class CIntervalList : public CRecordList<CIntervalRecord> {
  public:
    // An online document keeps about the last quarter hour of one-second records.
    static constexpr size_t kOnlineCapacity = 1000;

    // Adds at the tail and drops the head beyond kOnlineCapacity records.
    bool AddOnline(const CIntervalRecord& record);
    // Keeps the intervals that end within (start, end]: a timestamp marks an interval's end.
    size_t RemoveOutside(const CTimeStamp& start, const CTimeStamp& end);

    // Timestamps of the first and last interval; fixed 1970 times when the list is empty.
    CTimeStamp FirstTimeStamp() const;
    CTimeStamp LastTimeStamp() const;

    const CRawScaling& Scaling() const { return scaling_; }
    void SetScaling(const CRawScaling& scaling) { scaling_ = scaling; }

  private:
    CRawScaling scaling_;
};

}  // namespace varelo
