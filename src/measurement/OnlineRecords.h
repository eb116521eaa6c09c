#pragma once

#include "measurement/IntervalList.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// Appends a polled online record to the list that keeps the last 1000. Exactly one missed poll
// is filled with a copy of the record before it; longer gaps stay. The job's measurement period
// follows the list.
void AppendOnlineRecord(CIntervalList& list, CMeasurementJob& job, const CIntervalRecord& record,
                        int intervalSeconds);

}  // namespace varelo
