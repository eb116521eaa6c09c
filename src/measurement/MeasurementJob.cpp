#include "measurement/MeasurementJob.h"

#include "app/StringTable.h"
#include "measurement/VoltageRangeTable.h"

namespace varelo {

namespace {

constexpr int kFirstLineCaptionText = 1015;  // "Company:" ... "Measurement code:"

}  // namespace

CMeasurementJob::CMeasurementJob() {
    for (int i = 0; i < kJobLineCount; ++i)
        JobTitle[size_t(i)] = Str(kFirstLineCaptionText + i);
}

bool CMeasurementJob::IsPhaseToPhase() const {
    return VoltPowSysType == kPowSysDelta || VoltPowSysType == kPowSysTwoElementDelta;
}

double CMeasurementJob::VoltageRange() const {
    double range = VoltageInputRange(VoltInputRangeCode, IsPhaseToPhase());
    if (VoltTransformer == 1) range *= TransformerRatio(VoltPrimaryRawVal, VoltSecondaryRawVal);
    return range;
}

double CMeasurementJob::PhaseCurrentRange() const {
    double range = PhCurrClampRawVal * 0.01;
    if (PhCurrTransformer == 1)
        range *= TransformerRatio(PhCurrPrimaryRawVal, PhCurrSecondaryRawVal);
    return range;
}

double CMeasurementJob::NeutralCurrentRange() const {
    double range = NeutralClampCurrRawVal * 0.01;
    if (NeutralCurrTransformer == 1) {
        range *= TransformerRatio(NeutralCurrPrimaryRawVal, NeutralCurrSecondaryRawVal);
    }
    return range;
}

double CMeasurementJob::NeutralSensorCurrent() const {
    const double current = NeutralClampCurrRawVal * 0.01;
    return InstrHardwNr / 10 == 30 && current > 100 ? NeutralClampCurrRawVal * 0.005 : current;
}

double CMeasurementJob::NeutralMeasuringRange() const {
    double range = NeutralSensorCurrent();
    if (NeutralCurrTransformer == 1)
        range *= TransformerRatio(NeutralCurrPrimaryRawVal, NeutralCurrSecondaryRawVal);
    return range;
}

double TransformerRatio(int32_t primaryRawVal, int32_t secondaryRawVal) {
    if (secondaryRawVal <= 0) return 0;
    return (primaryRawVal * 0.01) / (secondaryRawVal * 0.01);
}

}  // namespace varelo
