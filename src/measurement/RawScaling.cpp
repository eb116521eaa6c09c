#include "measurement/RawScaling.h"

#include "measurement/MeasurementJob.h"

namespace varelo {

void CRawScaling::Build(const CMeasurementJob& job, int fileVersion, int firmwareGeneration) {
    // The job's ranges come from the one voltage range table and guard their transformers.
    const double voltRange = job.VoltageRange();
    const double currRange = job.PhaseCurrentRange();
    const double neutralRange = job.NeutralCurrentRange();

    IsFunctionA = job.MeasFunc == kMeasFuncA;
    IsFunctionP = job.MeasFunc == kMeasFuncP;
    IsAorP = IsFunctionA || IsFunctionP;
    IsPhaseToPhase = job.IsPhaseToPhase();
    IsAorPPhaseToPhase = IsAorP && IsPhaseToPhase;
    IsSplitPhase = job.VoltPowSysType == kPowSysSplitSinglePhase;
    FileVersion = fileVersion;
    FirmwareGeneration = firmwareGeneration;

    const double fundamentalFullScale = IsAorP ? kFundamentalFullScaleAP : kFullScale;
    PowerScale = voltRange * currRange / kFullScale;
    CurrScale = currRange / kFullScale;
    CurrH1Scale = currRange / fundamentalFullScale;
    NeutralScale = neutralRange / kFullScale;
    NeutralH1Scale = neutralRange / fundamentalFullScale;
    VoltScale = voltRange / kFullScale;
    VoltH1Scale = voltRange / fundamentalFullScale;
    NomVolt = job.NomVoltRawVal * 0.01;
    HarmAbsScale = voltRange * kHarmonicFactor;
    HarmPercentScale = NomVolt != 0 ? HarmAbsScale * 100 / NomVolt : 0;
    HarmRmsScale = HarmAbsScale * 100;
    FreqScale = 0.01;
    MilliScale = 0.001;
    IntervalSeconds = job.Interval;
}

}  // namespace varelo
