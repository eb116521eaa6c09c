#include "measurement/QuantityValues.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "app/AppOptions.h"

namespace varelo {

namespace {

constexpr double kSqrt2 = 1.414213;

bool IsPhase(int phase) {
    return phase >= 0 && phase < kPhaseCount;
}
bool IsConductor(int conductor) {
    return conductor >= 0 && conductor < kConductorCount;
}

double Limit(double percent, const CRawScaling& s) {
    return std::min(percent, s.PercentLimit());
}
double Kilo(double watts, bool inWatts) {
    return inWatts ? watts : watts * 0.001;
}
double Signed(double magnitude, double sign) {
    return sign < 0 ? -magnitude : magnitude;
}

double H1Scale(int conductor, const CRawScaling& s) {
    return conductor == kNeutral ? s.NeutralH1Scale : s.CurrH1Scale;
}
double RmsScale(int conductor, const CRawScaling& s) {
    return conductor == kNeutral ? s.NeutralScale : s.CurrScale;
}

double U1(double fundamental, double rms, const CRawScaling& s) {
    // A negative raw RMS value (a broken record) must not take the root of a negative number.
    if (s.IsFunctionP && s.FirmwareGeneration > 1)
        return fundamental > rms ? 0
                                 : std::sqrt(std::max(rms * rms - fundamental * fundamental, 0.0));
    return std::min(fundamental, rms);
}

bool AllVoltagesLow(const CIntervalRecord& r) {
    return std::all_of(r.VoltAvgPhaseLxRawVal.begin(), r.VoltAvgPhaseLxRawVal.end(),
                       [](int16_t v) { return v < kMinVoltageRaw; });
}
bool AllCurrentsZero(const CIntervalRecord& r) {
    return std::all_of(r.CurrAvgPhaseLxRawVal.begin(), r.CurrAvgPhaseLxRawVal.end(),
                       [](int16_t i) { return i == 0; });
}
bool AllCurrentsLow(const CIntervalRecord& r) {
    return std::all_of(r.CurrAvgPhaseLxRawVal.begin(), r.CurrAvgPhaseLxRawVal.end(),
                       [](int16_t i) { return i < kMinVoltageRaw; });
}

double PhaseSum(const PhaseRaw& raw, double scale) {
    return (raw[0] + raw[1] + raw[2]) * scale;
}

// A harmonic relative to the fundamental; `whenNoFundamental` where the fundamental is 0.
double InFundamental(double value, int fundamentalRaw, double whenNoFundamental,
                     const CRawScaling& s) {
    return fundamentalRaw != 0 ? Limit(value * 100 / fundamentalRaw, s) : whenNoFundamental;
}

double VoltageHarmonicOf(double d, int fundamentalRaw, double meanVolts, double noFundamental,
                         bool limitNominal, const CRawScaling& s, int reference) {
    switch (reference) {
        case kHarmonicsInFundamental: return InFundamental(d, fundamentalRaw, noFundamental, s);
        case kHarmonicsInRms: return meanVolts != 0 ? Limit(d * s.HarmRmsScale / meanVolts, s) : 0;
        case kHarmonicsAbsolute: return d * s.HarmAbsScale;
        default: {
            const double percent = d * s.HarmPercentScale;
            return limitNominal ? Limit(percent, s) : percent;
        }
    }
}

double CurrentHarmonicOf(int raw, double amps, int fundamentalRaw, double meanAmps, bool relative,
                         int reference, const CRawScaling& s) {
    if (!relative) return amps;
    switch (reference) {
        case kHarmonicsInFundamental:
            return raw == 0 ? 0 : InFundamental(raw, fundamentalRaw, s.PercentLimit(), s);
        case kHarmonicsInRms: return meanAmps != 0 ? Limit(amps / meanAmps * 100, s) : 0;
        default: return amps;
    }
}

}  // namespace

double FundamentalVoltageU1(const CIntervalRecord& r, int phase, const CRawScaling& s) {
    if (!IsPhase(phase)) return 0;
    return U1(r.FundamentalVoltage(phase, s),
              r.Voltage(&CIntervalRecord::VoltAvgPhaseLxRawVal, phase, s), s);
}

double FundamentalCurrentU1(const CIntervalRecord& r, int conductor, const CRawScaling& s) {
    if (!IsConductor(conductor)) return 0;
    return U1(r.CurrIh1Avg(conductor) * H1Scale(conductor, s),
              r.CurrAvg(conductor) * RmsScale(conductor, s), s);
}

double CrestFactor(const CIntervalRecord& r, int conductor) {
    if (!IsConductor(conductor)) return 0;
    const int mean = r.CurrAvg(conductor);
    const int peak =
        conductor == kNeutral ? r.NeutralCurrPeakRawVal : r.CurrPeakPhaseLxRawVal[conductor];
    return mean != 0 ? peak * kSqrt2 / mean : 0;
}

namespace {

// One order of a phase whose mean voltage meanVolts is not 0.
double VoltageHarmonicAt(const CIntervalRecord& r, const CRawScaling& s, int phase, int order,
                         double meanVolts, int reference) {
    double d = r.VoltHarm(phase, order);
    // The fundamental cannot exceed the RMS value it is part of.
    if (order == 1 && s.HarmAbsScale > 0 && d * s.HarmAbsScale > meanVolts)
        d = meanVolts / s.HarmAbsScale;
    const double noFundamental = order > 1 ? s.PercentLimit() : 0;
    return VoltageHarmonicOf(d, r.VoltHarm(phase, 1), meanVolts, noFundamental, false, s,
                             reference);
}

}  // namespace

double VoltageHarmonic(const CIntervalRecord& r, const CRawScaling& s, int phase, int order,
                       int reference) {
    if (!IsPhase(phase) || order < 1 || order > kHarmonicOrders) return 0;
    const int mean = r.VoltAvgPhaseLxRawVal[phase];
    if (mean == 0) return 0;
    return VoltageHarmonicAt(r, s, phase, order, mean * s.VoltScale, reference);
}

double VoltageInterharmonic(const CIntervalRecord& r, const CRawScaling& s, int phase, int channel,
                            int reference) {
    if (!IsPhase(phase) || channel < 0 || channel >= kInterharmonicChannels) return 0;
    const int mean = r.VoltAvgPhaseLxRawVal[phase];
    if (mean == 0) return 0;
    return VoltageHarmonicOf(r.VoltInterharm(phase, channel), r.VoltHarm(phase, 1),
                             mean * s.VoltScale, 0, true, s, reference);
}

namespace {

// One order of a conductor whose mean current meanAmps is not 0.
double CurrentHarmonicAt(const CIntervalRecord& r, const CRawScaling& s, int conductor, int order,
                         double meanAmps, bool relative, int reference) {
    const int raw = r.CurrHarm(conductor, order);
    double amps = raw * H1Scale(conductor, s);
    if (order == 1) amps = std::min(amps, meanAmps);
    return CurrentHarmonicOf(raw, amps, r.CurrHarm(conductor, 1), meanAmps, relative, reference, s);
}

}  // namespace

double CurrentHarmonic(const CIntervalRecord& r, const CRawScaling& s, int conductor, int order,
                       bool relative, int reference) {
    if (!IsConductor(conductor) || order < 1 || order > kHarmonicOrders) return 0;
    const int mean = r.CurrAvg(conductor);
    if (mean == 0) return 0;
    return CurrentHarmonicAt(r, s, conductor, order, mean * RmsScale(conductor, s), relative,
                             reference);
}

void VoltageHarmonics(const CIntervalRecord& r, const CRawScaling& s, int phase, int reference,
                      std::span<double, kHarmonicOrders> out) {
    const int mean = IsPhase(phase) ? r.VoltAvgPhaseLxRawVal[phase] : 0;
    if (mean == 0) {
        std::fill(out.begin(), out.end(), 0.0);
        return;
    }
    const double meanVolts = mean * s.VoltScale;
    for (int order = 1; order <= kHarmonicOrders; ++order)
        out[size_t(order - 1)] = VoltageHarmonicAt(r, s, phase, order, meanVolts, reference);
}

void CurrentHarmonics(const CIntervalRecord& r, const CRawScaling& s, int conductor, bool relative,
                      int reference, std::span<double, kHarmonicOrders> out) {
    const int mean = IsConductor(conductor) ? r.CurrAvg(conductor) : 0;
    if (mean == 0) {
        std::fill(out.begin(), out.end(), 0.0);
        return;
    }
    const double meanAmps = mean * RmsScale(conductor, s);
    for (int order = 1; order <= kHarmonicOrders; ++order)
        out[size_t(order - 1)] =
            CurrentHarmonicAt(r, s, conductor, order, meanAmps, relative, reference);
}

double CurrentInterharmonic(const CIntervalRecord& r, const CRawScaling& s, int conductor,
                            int channel, bool relative, int reference) {
    if (!IsConductor(conductor) || channel < 0 || channel >= kInterharmonicChannels) return 0;
    const int mean = r.CurrAvg(conductor);
    if (mean == 0) return 0;
    const int raw = r.CurrInterharm(conductor, channel);
    return CurrentHarmonicOf(raw, raw * H1Scale(conductor, s), r.CurrHarm(conductor, 1),
                             mean * RmsScale(conductor, s), relative, reference, s);
}

double HarmonicCurrent(const CIntervalRecord& r, const CRawScaling& s, int conductor,
                       int thdOrder) {
    if (!IsConductor(conductor)) return 0;
    if (s.IsFunctionA) {
        const int last = std::min(thdOrder, kHarmonicOrders);
        double sum = 0;
        for (int order = 2; order <= last; ++order) {
            const double h = r.CurrHarm(conductor, order);
            sum += h * h;
        }
        return std::sqrt(sum) * H1Scale(conductor, s);
    }
    if (s.IsFunctionP) {
        if (s.FirmwareGeneration < 2)
            return FundamentalCurrentU1(r, conductor, s) * r.CurrTHDAvgCalc[conductor] * 0.01;
        return r.CurrIh1Avg(conductor) * H1Scale(conductor, s);
    }
    return 0;
}

double PowerFactor(const CIntervalRecord& r, const CRawScaling& s, int phase) {
    if (!IsPhase(phase) || r.VoltAvgPhaseLxRawVal[phase] < kMinVoltageRaw ||
        r.CurrAvgPhaseLxRawVal[phase] == 0)
        return 1;
    const double apparent = r.AppPowAvgPhaseLxRawVal[phase] * s.PowerScale;
    if (apparent == 0) return 1;
    const double active = r.RealPowAvgPhaseLxRawVal[phase] * s.PowerScale;
    return Signed(std::min(std::abs(active) / apparent, 1.0), r.ReactPowAvgPhaseLxRawVal[phase]);
}

double TotalPowerFactor(const CIntervalRecord& r, const CRawScaling& s) {
    if (AllVoltagesLow(r) || AllCurrentsZero(r)) return 1;
    const double active = PhaseSum(r.RealPowAvgPhaseLxRawVal, s.PowerScale);
    const double reactive = PhaseSum(r.ReactPowAvgPhaseLxRawVal, s.PowerScale);
    const double apparent = TotalApparentPower(r, s, PowerAggregate::Avg, true);
    if (apparent == 0) return 1;
    return Signed(std::min(std::abs(active) / apparent, 1.0), reactive);
}

double Tan(const CIntervalRecord& r, const CRawScaling& s, int phase) {
    if (!IsPhase(phase) || r.VoltAvgPhaseLxRawVal[phase] < kMinVoltageRaw ||
        r.CurrAvgPhaseLxRawVal[phase] < kMinVoltageRaw)
        return 0;
    const double active = std::abs(r.RealPowAvgPhaseLxRawVal[phase] * s.PowerScale);
    return active != 0 ? r.ReactPowAvgPhaseLxRawVal[phase] * s.PowerScale / active : 0;
}

double TotalTan(const CIntervalRecord& r, const CRawScaling& s) {
    if (AllVoltagesLow(r) || AllCurrentsLow(r)) return 0;
    const double active = std::abs(PhaseSum(r.RealPowAvgPhaseLxRawVal, s.PowerScale));
    return active != 0 ? PhaseSum(r.ReactPowAvgPhaseLxRawVal, s.PowerScale) / active : 0;
}

double CosPhi(const CIntervalRecord& r, const CRawScaling& s, int phase) {
    if (!IsPhase(phase) || r.VoltAvgPhaseLxRawVal[phase] < kMinVoltageRaw ||
        r.CurrAvgPhaseLxRawVal[phase] == 0)
        return 1;
    const double a = r.RealPowPh1AvgPhaseLxRawVal[phase] * s.PowerScale;
    const double b = r.ReactPowPh1AvgPhaseLxRawVal[phase] * s.PowerScale;
    const double w = std::hypot(a, b);
    return w != 0 ? Signed(std::abs(a) / w, b) : 1;
}

double TotalCosPhi(const CIntervalRecord& r, const CRawScaling& s) {
    if (AllVoltagesLow(r) || AllCurrentsZero(r)) return 1;
    const double active = PhaseSum(r.RealPowPh1AvgPhaseLxRawVal, s.PowerScale);
    const double reactive = PhaseSum(r.ReactPowPh1AvgPhaseLxRawVal, s.PowerScale);
    double length = 0;
    for (int p = 0; p < kPhaseCount; ++p)
        length += std::hypot(r.RealPowPh1AvgPhaseLxRawVal[p] * s.PowerScale,
                             r.ReactPowPh1AvgPhaseLxRawVal[p] * s.PowerScale);
    if (s.IsAorPPhaseToPhase)
        length = std::max(length * std::numbers::sqrt3 * 0.5, std::hypot(active, reactive));
    return length != 0 ? Signed(std::abs(active) / length, reactive) : 1;
}

double TwoElementTotal(const CIntervalRecord& r, double x, double y) {
    const PhaseRaw& i = r.CurrAvgPhaseLxRawVal;
    const int outer = i[0] + i[2];
    if (outer == 0) return 0;
    return std::max(x * (i[0] + i[1] + i[2]) / outer / std::numbers::sqrt3, y);
}

double TotalApparentPower(const CIntervalRecord& r, const CRawScaling& s, PowerAggregate which,
                          bool watts) {
    const double p = s.PowerScale;
    if (!s.IsAorPPhaseToPhase) {
        switch (which) {
            case PowerAggregate::Max:
                return r.PowerTotal(&CIntervalRecord::AppPowMaxTotRawVal, s, watts);
            case PowerAggregate::Min:
                return r.PowerTotal(&CIntervalRecord::AppPowMinTotRawVal, s, watts);
            case PowerAggregate::Avg:
                return PhaseSumPower(r, &CIntervalRecord::AppPowAvgPhaseLxRawVal, s, watts);
        }
    }
    double x = 0, active = 0, reactive = 0;
    switch (which) {
        case PowerAggregate::Max:
            x = (r.AppPowMaxPhaseLxRawVal[0] + r.AppPowMaxPhaseLxRawVal[2]) * p;
            active = r.RealPowMaxTotRawVal * p * 3;
            reactive = r.ReactPowMaxTotRawVal * p * 3;
            break;
        case PowerAggregate::Min:
            x = (r.AppPowMinPhaseLxRawVal[0] + r.AppPowMinPhaseLxRawVal[2]) * p;
            active = r.RealPowMinTotRawVal * p * 3;
            reactive = r.ReactPowMinTotRawVal * p * 3;
            break;
        case PowerAggregate::Avg:
            x = (r.AppPowAvgPhaseLxRawVal[0] + r.AppPowAvgPhaseLxRawVal[2]) * p;
            active = PhaseSum(r.RealPowAvgPhaseLxRawVal, p);
            reactive = PhaseSum(r.ReactPowAvgPhaseLxRawVal, p);
            break;
    }
    return Kilo(TwoElementTotal(r, x, std::hypot(active, reactive)), watts);
}

double PhaseSumPower(const CIntervalRecord& r, PhaseRaw CIntervalRecord::*field,
                     const CRawScaling& s, bool watts) {
    return Kilo(PhaseSum(r.*field, s.PowerScale), watts);
}

double MaxDeviationUnbalance(const CIntervalRecord& r, const CRawScaling& s, bool voltages) {
    const PhaseRaw& m = voltages ? r.VoltAvgPhaseLxRawVal : r.CurrAvgPhaseLxRawVal;
    if (s.IsSplitPhase) {
        const int a = m[1], b = m[0];
        if (voltages && a < kMinVoltageRaw && b < kMinVoltageRaw) return 0;
        return a + b != 0 ? std::abs(a - b) * 200.0 / (a + b) : 0;
    }
    if (voltages && AllVoltagesLow(r)) return 0;
    const int d = m[0] + m[1] + m[2];
    if (d == 0) return 0;
    int largest = 0;
    for (int v : m)
        largest = std::max(largest, std::abs(3 * v - d));
    return largest * 100.0 / d;
}

}  // namespace varelo
