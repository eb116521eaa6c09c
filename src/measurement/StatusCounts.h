#pragma once

#include <cstddef>

namespace varelo {

class CIntervalList;
class CStatisticList;
class CEventList;
class CTimeStamp;

// How many records of a loaded measurement carry each status condition; shown by the
// measurement information.
struct MeasurementStatusCounts {
    size_t intervalLineInterruptions = 0;  // 0x40
    size_t intervalSyncErrors = 0;         // 0x20
    size_t intervalUnbalanceErrors = 0;    // 0x08
    size_t intervalVoltageOverflows = 0;   // 0x10
    size_t intervalCurrentOverflows = 0;   // 0x80
    size_t statisticLineInterruptions = 0;
    size_t statisticSyncErrors = 0;
    size_t statisticVoltageOverflows = 0;
    size_t finishedEvents = 0;
    size_t unfinishedEvents = 0;
    bool counted = false;  // false: the records were never counted
};

MeasurementStatusCounts CountStatusConditions(const CIntervalList& intervals,
                                              const CStatisticList& statistics,
                                              const CEventList& events,
                                              const CTimeStamp& measStopMeasured);

}  // namespace varelo
