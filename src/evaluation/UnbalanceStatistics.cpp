#include "evaluation/UnbalanceStatistics.h"

#include "measurement/IntervalRecord.h"

namespace varelo {

namespace {

bool InWindow(int16_t raw) {
    const double degrees = CIntervalRecord::UnbalanceAngleDegrees(raw);
    return (degrees >= 100 && degrees <= 140) || (degrees >= 220 && degrees <= 260);
}

}  // namespace

CUnbalanceStatistics::CUnbalanceStatistics(double limitPercent, bool phaseToPhase)
    : phaseToPhase_(phaseToPhase) {
    histogram_.SetLimit(limitPercent * 100);
}

bool CUnbalanceStatistics::AnglesInWindows(int16_t angleL1L2, int16_t angleL1L3) {
    return InWindow(angleL1L2) && InWindow(angleL1L3);
}

void CUnbalanceStatistics::AddTop(const CIntervalRecord& r) {
    histogram_.AddTop(0, r.VoltUnbalance, r.DateTime);
    if (!anglesPlausible_ && AnglesInWindows(r.UnbalAngleL1L2, r.UnbalAngleL1L3))
        anglesPlausible_ = true;
}

void CUnbalanceStatistics::AddClass(const CIntervalRecord& r) {
    histogram_.AddClass(0, r.VoltUnbalance);
    if (r.VoltUnbalance <= Limit()) ++within_;
}

double CUnbalanceStatistics::WithinPercent() const {
    if (Count() == 0 || !(Limit() > 0)) return 0;
    return double(within_) / double(Count()) * 100;
}

}  // namespace varelo
