#include "measurement/IntervalList.h"

namespace varelo {

bool CIntervalList::AddOnline(const CIntervalRecord& record) {
    if (!Add(record))
        return false;
    while (size() > kOnlineCapacity)
        RemoveFirst();
    return true;
}

size_t CIntervalList::RemoveOutside(const CTimeStamp& start, const CTimeStamp& end) {
    return RemoveIf(
        [&](const CIntervalRecord& r) { return !(start < r.DateTime && r.DateTime <= end); });
}

CTimeStamp CIntervalList::FirstTimeStamp() const {
    return empty() ? CTimeStamp(1970, 12, 31, 11, 59, 59) : front().DateTime;
}

CTimeStamp CIntervalList::LastTimeStamp() const {
    return empty() ? CTimeStamp(1970, 12, 31, 12, 59, 59) : back().DateTime;
}

}  // namespace varelo
