#include "evaluation/ExceedingsLimits.h"

#include <algorithm>
#include <cmath>

#include "evaluation/LimitValues.h"
#include "measurement/MeasurementJob.h"
#include "measurement/QuantityCatalogue.h"

namespace varelo {

namespace {

// A value computed from raw units lands on a band computed from percentages only up to
// rounding; a value on the band counts as reaching it.
constexpr double kRelativeSlack = 1e-9;

bool AtOrAbove(double value, double limit) {
    return value >= limit - kRelativeSlack * std::max(1.0, std::fabs(limit));
}

ExceedingBand Upper(double limit) {
    // A negative limit is an order the limit editor keeps unselected: no limit either.
    return {limit, 0, false, limit > 0};
}

}  // namespace

bool ExceedingBand::Exceeds(double value) const {
    if (AtOrAbove(value, upper)) return true;
    return twoSided && AtOrAbove(lower, value);
}

int TruncatedTolerance(float tolerance) {
    return int(std::trunc(double(tolerance)));
}

int NominalFrequencyOf(const CMeasurementJob& job) {
    return job.PowSysNomFreq;
}

int InterharmonicFrequency(const CMeasurementJob& job, int channel) {
    if (channel < 0 || channel >= kInterharmonicCount) return 0;
    return int(std::trunc(job.HarmOrder[size_t(channel)] * double(NominalFrequencyOf(job)) * 0.01));
}

ExceedingBand ExceedingBandOf(int q, const CLimitValues& limits, const CMeasurementJob& job) {
    if (q == 11 || q == 12 || q == 13) {
        const int plus = TruncatedTolerance(limits.NplusTol95);
        const int minus = TruncatedTolerance(limits.NminusTol95);
        const double nominal = job.NomVoltRawVal * 0.01;
        // Without both tolerances the band would sit on the nominal voltage and list nearly
        // every interval.
        return {nominal * (100 + plus) / 100, nominal * (100 - minus) / 100, true,
                plus > 0 && minus > 0};
    }
    if (q == 2) {
        const double f0 = NominalFrequencyOf(job);
        return {f0 * (100 + limits.FplusTol95) / 100, f0 * (100 - limits.FminusTol95) / 100, true,
                limits.FplusTol95 > 0 && limits.FminusTol95 > 0};
    }
    switch (q) {
        case 17: return Upper(limits.FlickPst);
        case 18: return Upper(limits.FlickPlt);
        case 1: return Upper(limits.VoltUnbal);
        case 22: return Upper(limits.THD);
        case 40: return Upper(limits.CurrTHD);
        default: break;
    }
    if (q >= kVoltageHarmonicFirst && q <= kVoltageHarmonicLast)
        return Upper(limits.HarmonicLimit(q - (kVoltageHarmonicFirst - 1)));
    if (q >= kVoltageInterharmonicFirst && q <= kVoltageInterharmonicLast)
        return Upper(
            limits.InterharmonicLimit(InterharmonicFrequency(job, q - kVoltageInterharmonicFirst)));
    if (q >= kCurrentHarmonicFirst && q <= kCurrentHarmonicLast)
        return Upper(limits.CurrentHarmonicLimit(q - (kCurrentHarmonicFirst - 1)));
    return {};
}

}  // namespace varelo
