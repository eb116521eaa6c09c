#include "job/CurrentPage.h"

#include <cmath>
#include <string>

#include "job/JobCodeTables.h"

namespace varelo {

namespace {

constexpr double kTransformerMax = 999000;
constexpr double kPhaseShiftMax = 9.9;
constexpr int32_t kOneAmpere = 100;
constexpr int32_t kNeutralWithoutSensor = 1500;  // 15 A in 0.01 A

bool InRange(double value, double low, double high) {
    return value >= low && value <= high;  // false for NaN
}

int32_t Raw(double value) {
    return int32_t(std::llround(value * 100));
}

std::string Amperes(double value) {
    return std::to_string(std::lround(value));
}

}  // namespace

double JobSensorMaxCurrent(const CMeasurementJob& job) {
    return SensorMaxCurrent(job.InstrHardwNr == 400 ? 400 : 300, job.ClampId, job.MaxClampCurr);
}

CurrentPage CurrentPage::Of(const CMeasurementJob& job) {
    CurrentPage page;
    page.phaseAveraging = job.PhMaxValInterval;
    page.phaseRange = job.PhCurrClampRawVal * 0.01;
    page.phaseTransformer = job.PhCurrTransformer == 1;
    page.phasePrimary = job.PhCurrPrimaryRawVal * 0.01;
    page.phaseSecondary = job.PhCurrSecondaryRawVal * 0.01;
    page.specialTransformer = job.SpecialTransformerPhase == 1;
    page.phaseShift = job.PhaseCorrRawVal * 0.01;
    page.neutral = job.NeutralMeas;
    page.neutralAveraging = job.NeutralMaxValInterval;
    page.neutralRange = job.NeutralClampCurrRawVal * 0.01;
    page.neutralTransformer = job.NeutralCurrTransformer == 1;
    page.neutralPrimary = job.NeutralCurrPrimaryRawVal * 0.01;
    page.neutralSecondary = job.NeutralCurrSecondaryRawVal * 0.01;
    return page;
}

PageCheck CurrentPage::Apply(CMeasurementJob& job) const {
    const double imax = JobSensorMaxCurrent(job);
    const bool neutralMeasured = neutral == 1;
    if (!InRange(phaseRange, 0.01, imax))
        return Refusal(872, JobField::PhaseRange, {"0.01", Amperes(imax)});
    if (phaseTransformer) {
        if (!InRange(phasePrimary, 0.01, kTransformerMax))
            return Refusal(1422, JobField::PhasePrimary, {"0.01", "999000"});
        if (!InRange(phaseSecondary, 0.01, kTransformerMax))
            return Refusal(1423, JobField::PhaseSecondary, {"0.01", "999000"});
    }
    if (neutralMeasured) {
        if (!InRange(neutralRange, 0.01, imax))
            return Refusal(870, JobField::NeutralRange, {"0.01", Amperes(imax)});
        if (neutralTransformer) {
            if (!InRange(neutralPrimary, 0.01, kTransformerMax))
                return Refusal(1422, JobField::NeutralPrimary, {"0.01", "999000"});
            if (!InRange(neutralSecondary, 0.01, kTransformerMax))
                return Refusal(1423, JobField::NeutralSecondary, {"0.01", "999000"});
        }
    }
    if (specialTransformer && !InRange(phaseShift, -kPhaseShiftMax, kPhaseShiftMax))
        return Refusal(1106, JobField::PhaseShift, {"-9.9", "9.9"});

    job.PhMaxValInterval = phaseAveraging;
    job.PhCurrClampRawVal = Raw(phaseRange);
    job.PhCurrTransformer = phaseTransformer ? 1 : 0;
    job.PhCurrPrimaryRawVal = phaseTransformer ? Raw(phasePrimary) : kOneAmpere;
    job.PhCurrSecondaryRawVal = phaseTransformer ? Raw(phaseSecondary) : kOneAmpere;
    job.SpecialTransformerPhase = specialTransformer ? 1 : 0;
    if (specialTransformer) job.PhaseCorrRawVal = int16_t(std::lround(phaseShift * 100));
    job.NeutralMeas = neutral;
    job.NeutralMaxValInterval = neutralAveraging;
    const bool neutralTransformerUsed = neutralMeasured && neutralTransformer;
    job.NeutralCurrTransformer = neutralTransformerUsed ? 1 : 0;
    job.NeutralCurrPrimaryRawVal = neutralTransformerUsed ? Raw(neutralPrimary) : kOneAmpere;
    job.NeutralCurrSecondaryRawVal = neutralTransformerUsed ? Raw(neutralSecondary) : kOneAmpere;
    if (neutralMeasured)
        job.NeutralClampCurrRawVal = Raw(neutralRange);
    else if (job.InstrHardwNr != 400 || job.ClampId == 0)
        job.NeutralClampCurrRawVal = kNeutralWithoutSensor;
    return {};
}

}  // namespace varelo
