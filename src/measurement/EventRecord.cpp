#include "measurement/EventRecord.h"

#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr double kEventFullScale = 2200;
constexpr double kOneOverSqrt3 = 0.5773502692;

}  // namespace

double CEventRecord::EventVoltage(int16_t val, double voltageRange, uint32_t powSysType) {
    double value = val * voltageRange / kEventFullScale;
    if (powSysType == kPowSysDelta || powSysType == kPowSysTwoElementDelta) value *= kOneOverSqrt3;
    return value;
}

void CEventRecord::ComputeValue(const CMeasurementJob& job) {
    Value = EventVoltage(Val, job.VoltageRange(), job.VoltPowSysType);
}

bool CEventRecord::IsUnfinished(const CTimeStamp& measStopMeasured) const {
    if (Status & kEventStatusOpen) return true;
    return !measStopMeasured.IsZero() && EndDateTime > measStopMeasured;
}

}  // namespace varelo
