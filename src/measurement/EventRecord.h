#pragma once

#include <cstdint>

#include "measurement/TimeStamp.h"

namespace varelo {

class CMeasurementJob;

// Classification of an event by the evaluation.
inline constexpr int32_t kEventShortInterruption = 0;
inline constexpr int32_t kEventLongInterruption = 1;
inline constexpr int32_t kEventOther = 2;

inline constexpr uint16_t kEventStatusOpen = 0x0040;  // not finished when read

// One voltage event.
class CEventRecord {
  public:
    int32_t Kind = kEventOther;
    double Value = 0;  // V, from Val
    int16_t Status = 0;
    int16_t Phase = 0;  // 1-3; other values are kept as delivered
    CTimeStamp StartDateTime;
    CTimeStamp EndDateTime;
    int16_t Val = 0;  // extreme RMS value during the event, raw

    // Value from Val through the job's voltage input range; systems that measure between
    // phases report the phase-to-neutral equivalent.
    void ComputeValue(const CMeasurementJob& job);
    static double EventVoltage(int16_t val, double voltageRange, uint32_t powSysType);

    // Open when read, or ending after the measurement stopped (a stop that is not set ends
    // nothing).
    bool IsUnfinished(const CTimeStamp& measStopMeasured) const;
};

}  // namespace varelo
