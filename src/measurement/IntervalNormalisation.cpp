#include "measurement/IntervalNormalisation.h"

#include "measurement/DerivedValues.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RecordColumns.h"

namespace varelo {

void ClearAbsentConductors(CIntervalRecord& r, uint32_t powSysType) {
    const bool single = powSysType == kPowSysSinglePhase;
    if (!single && powSysType != kPowSysSplitSinglePhase) return;
    // The function A layout reaches every raw field, with its conductor.
    for (const RecordColumn& c : IntervalColumns(kMeasFuncA)) {
        const bool absent = single ? c.conductor >= 1 || c.total : c.conductor == 2;
        if (absent) SetColumnValue(r, c, 0);
    }
}

void ComputeDerivedValues(CIntervalRecord& r, const CRawScaling& s, int thdOrder) {
    if (s.IsFunctionA)
        ComputeThdFromHarmonics(r, thdOrder);
    else if (s.IsFunctionP)
        ComputeThdFromFundamentals(r, s);
    if (s.IsAorP) r.VoltUnbalance = ComputeVoltageUnbalance(r, s);
    r.CurrUnbalance = ComputeCurrentUnbalance(r, s);
}

void NormaliseIntervals(CIntervalList& list, uint32_t powSysType, int thdOrder) {
    const CRawScaling& s = list.Scaling();
    for (CIntervalRecord& r : list) {
        ClearAbsentConductors(r, powSysType);
        ComputeDerivedValues(r, s, thdOrder);
        for (int p = 0; p < kPhaseCount; ++p) {
            if (r.VoltHarm(p, 1) == 0) {
                for (int order = 2; order <= kHarmonicOrders; ++order)
                    r.SetVoltHarm(p, order, 0);
            }
        }
    }
}

void RecomputeThd(CIntervalList& list, int thdOrder) {
    if (!list.Scaling().IsFunctionA) return;
    for (CIntervalRecord& r : list)
        ComputeThdFromHarmonics(r, thdOrder);
}

}  // namespace varelo
