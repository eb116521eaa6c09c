#include "measurement/OnlineRecords.h"

namespace varelo {

void AppendOnlineRecord(CIntervalList& list, CMeasurementJob& job, const CIntervalRecord& record,
                        int intervalSeconds) {
    if (!list.empty()) {
        CTimeStamp next = list.back().DateTime;
        next.AddSeconds(intervalSeconds);
        CTimeStamp afterNext = next;
        afterNext.AddSeconds(intervalSeconds);
        if (next < record.DateTime && !(afterNext < record.DateTime)) {
            CIntervalRecord copy = list.back();
            copy.DateTime = next;
            list.AddOnline(copy);
        }
    }
    list.AddOnline(record);
    job.MeasStopMeasured = record.DateTime;
    if (list.size() == 1 || list.size() > 999) job.MeasStartMeasured = list[0].DateTime;
    job.NrInterval = uint32_t(list.size());
}

}  // namespace varelo
