#pragma once

#include <cstdint>

#include "measurement/EventRecord.h"
#include "measurement/RecordList.h"

namespace varelo {

// The voltage events of a measurement.
class CEventList : public CRecordList<CEventRecord> {
  public:
    // Keeps the events that overlap [start, end].
    size_t RemoveOutside(const CTimeStamp& start, const CTimeStamp& end);
    // Removes events of phases the power system does not have: 2 and 3 of a single-phase
    // system, 3 of a split single-phase system. Other phase numbers stay.
    size_t RemoveAbsentPhases(uint32_t powSysType);
    // Events of this kind that lie completely within [start, end].
    size_t CountKind(int32_t kind, const CTimeStamp& periodStart,
                     const CTimeStamp& periodEnd) const;
};

}  // namespace varelo
