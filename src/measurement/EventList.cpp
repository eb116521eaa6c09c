#include "measurement/EventList.h"

#include <algorithm>

#include "measurement/MeasurementJob.h"

namespace varelo {

size_t CEventList::RemoveOutside(const CTimeStamp& start, const CTimeStamp& end) {
    return RemoveIf(
        [&](const CEventRecord& e) { return end < e.StartDateTime || e.EndDateTime < start; });
}

size_t CEventList::RemoveAbsentPhases(uint32_t powSysType) {
    return RemoveIf([&](const CEventRecord& e) {
        if (powSysType == kPowSysSinglePhase) return e.Phase == 2 || e.Phase == 3;
        if (powSysType == kPowSysSplitSinglePhase) return e.Phase == 3;
        return false;
    });
}

size_t CEventList::CountKind(int32_t kind, const CTimeStamp& periodStart,
                             const CTimeStamp& periodEnd) const {
    return size_t(std::count_if(begin(), end(), [&](const CEventRecord& e) {
        return e.Kind == kind && !(e.StartDateTime < periodStart) && !(periodEnd < e.EndDateTime);
    }));
}

}  // namespace varelo
