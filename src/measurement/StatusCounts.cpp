#include "measurement/StatusCounts.h"

#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/StatisticList.h"

namespace varelo {

MeasurementStatusCounts CountStatusConditions(const CIntervalList& intervals,
                                              const CStatisticList& statistics,
                                              const CEventList& events,
                                              const CTimeStamp& measStopMeasured) {
    MeasurementStatusCounts n;
    n.counted = true;
    const auto count = [](int16_t status, uint16_t bit, size_t& counter) {
        if (uint16_t(status) & bit)
            ++counter;
    };
    for (const CIntervalRecord& r : intervals) {
        count(r.Status, kStatusLineInterruption, n.intervalLineInterruptions);
        count(r.Status, kStatusSyncError, n.intervalSyncErrors);
        count(r.Status, kStatusUnbalanceError, n.intervalUnbalanceErrors);
        count(r.Status, kStatusVoltageOverflow, n.intervalVoltageOverflows);
        count(r.Status, kStatusCurrentOverflow, n.intervalCurrentOverflows);
    }
    for (const CStatisticSegment& s : statistics) {
        count(s.Status, kStatusLineInterruption, n.statisticLineInterruptions);
        count(s.Status, kStatusSyncError, n.statisticSyncErrors);
        count(s.Status, kStatusVoltageOverflow, n.statisticVoltageOverflows);
    }
    for (const CEventRecord& e : events)
        ++(e.IsUnfinished(measStopMeasured) ? n.unfinishedEvents : n.finishedEvents);
    return n;
}

}  // namespace varelo
