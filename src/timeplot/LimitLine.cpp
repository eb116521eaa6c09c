#include "timeplot/LimitLine.h"

#include <algorithm>

#include "app/AppOptions.h"
#include "evaluation/EvaluationMath.h"
#include "evaluation/LimitValues.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kFrequency = 2;

bool InRange(int q, int first, int last) {
    return q >= first && q <= last;
}

bool IsVoltage(int q) {
    return q == 11 || q == 12 || q == 13;
}

// The single limit of a quantity in its curve's unit; 0 for none.
double SingleLimit(int q, const LimitLineInputs& in) {
    const CLimitValues& l = in.limits;
    // Voltage harmonic limits are percent of the nominal voltage: volts when shown absolute.
    const double voltageUnit = in.settings.voltageReference == kHarmonicsAbsolute
                                   ? in.job.NomVoltRawVal * 0.01 / 100
                                   : 1.0;
    // Current harmonic limits are amperes: they fit only curves shown in amperes, which is
    // every reference but the two relative ones.
    const bool currentInAmperes = in.settings.currentReference != kHarmonicsInFundamental &&
                                  in.settings.currentReference != kHarmonicsInRms;
    if (InRange(q, kVoltageHarmonicFirst, kVoltageHarmonicLast))
        return l.HarmonicLimit(q - kVoltageHarmonicFirst + 1) * voltageUnit;
    if (InRange(q, kCurrentHarmonicFirst, kCurrentHarmonicLast))
        return currentInAmperes ? l.CurrentHarmonicLimit(q - kCurrentHarmonicFirst + 1) : 0.0;
    if (InRange(q, kVoltageInterharmonicFirst, kVoltageInterharmonicLast)) {
        // A channel measures an interharmonic or a signalling voltage: the larger limit of its
        // frequency applies, as in the cumulative frequency view.
        const int hz = ChannelFrequency(in.job, q - kVoltageInterharmonicFirst);
        return std::max(l.InterharmonicLimit(hz), l.SignallingLimit(hz)) * voltageUnit;
    }
    switch (q) {
        case 1: return l.VoltUnbal;
        case 17: return l.FlickPst;
        case 18: return l.FlickPlt;
        case 21:
        case 22: return l.THD;
        case 40: return l.CurrTHD;
        default: return 0;
    }
}

}  // namespace

bool LimitLine::IsBanded(int quantity) {
    return quantity == kFrequency || IsVoltage(quantity);
}

LimitLine LimitLine::For(int channelId, int band, const LimitLineInputs& in) {
    const int q = channelId % 1000;
    const CLimitValues& l = in.limits;
    LimitLine line;
    if (IsBanded(q)) {
        double nominal = 0, plus = 0, minus = 0;
        if (q == kFrequency) {
            nominal = JobNominalFrequency(in.job);
            plus = band == 1 ? l.FplusTol100 : l.FplusTol95;
            minus = band == 1 ? l.FminusTol100 : l.FminusTol95;
        } else {
            nominal = in.job.NomVoltRawVal * 0.01;
            plus = band == 1 ? l.NplusTol100 : l.NplusTol95;
            minus = band == 1 ? l.NminusTol100 : l.NminusTol95;
        }
        line.upper = nominal * (100 + plus) / 100;
        line.lower = nominal * (100 - minus) / 100;
        // The frequency's lower limit is drawn and filled too, not only computed.
        line.twoSided = true;
    } else {
        line.upper = SingleLimit(q, in);
    }
    line.defined = line.upper > 0;
    if (!line.defined) line = LimitLine{};
    return line;
}

}  // namespace varelo
