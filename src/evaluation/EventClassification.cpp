#include "evaluation/EventClassification.h"

#include "evaluation/LimitValues.h"
#include "measurement/EventList.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

long long EventDurationMs(const CEventRecord& e) {
    return e.EndDateTime.SecondsSince(e.StartDateTime) * 1000 +
           (e.EndDateTime.millisecond - e.StartDateTime.millisecond);
}

double InterruptionThreshold(const CMeasurementJob& job, const CLimitValues& limits) {
    return job.NomVoltRawVal * limits.InterruptionLimit * 0.0001;
}

void ClassifyEvents(CEventList& events, const CMeasurementJob& job, const CLimitValues& limits) {
    const double threshold = InterruptionThreshold(job, limits);
    for (CEventRecord& e : events) {
        if (e.Value > threshold)
            e.Kind = kEventOther;
        else
            e.Kind = EventDurationMs(e) >= kLongInterruptionMs ? kEventLongInterruption
                                                               : kEventShortInterruption;
    }
}

}  // namespace varelo
