#include "measurement/DerivedValues.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "measurement/QuantityValues.h"

namespace varelo {

namespace {

using Phasor = std::complex<double>;

constexpr double kPi = std::numbers::pi;
constexpr double kThird = 2.0943951023931953;  // 120 degrees
constexpr double kRadiansPerRaw = 0.0125 * kPi / 180;

double ThdOf(const std::array<int16_t, kHarmonicOrders>& harmonics, bool present, int thdOrder) {
    double sum = 0;
    if (present && thdOrder > 1) {
        const int last = std::min(thdOrder, kHarmonicOrders);
        for (int order = 2; order <= last; ++order) {
            const double h = harmonics[size_t(order - 1)];
            sum += h * h;
        }
    }
    const double fundamental = harmonics[0];
    if (fundamental == 0)
        return sum > 0 ? kMaxThd : 0;
    return std::min(std::sqrt(sum) / std::abs(fundamental) * 100, kMaxThd);
}

double ThdOfRms(double rms, double fundamental) {
    if (rms == 0)
        return 0;
    if (fundamental == 0)
        return kMaxThd;
    if (fundamental >= rms)
        return 0;
    const double ratio = (rms * rms - fundamental * fundamental) / (fundamental * fundamental);
    return ratio > 0 ? std::min(std::sqrt(ratio) * 100, kMaxThd) : 0;
}

// A phasor of any magnitude; a negative magnitude (garbage raw data) points the other way.
Phasor Polar(double magnitude, double angle) {
    return {magnitude * std::cos(angle), magnitude * std::sin(angle)};
}

bool InPhaseWindow(double degrees) {
    return (degrees >= 100 && degrees <= 140) || (degrees >= 220 && degrees <= 260);
}

// Negative- over positive-sequence component of three phasors. `a` is the phase whose angle
// is larger (it lags by 240 degrees), `b` the other; 0 when there is no positive component.
double SequenceRatio(Phasor first, Phasor a, Phasor b) {
    const Phasor forward = Polar(1.0, kThird), backward = Polar(1.0, -kThird);
    const Phasor positive = first + a * forward + b * forward * forward;
    const Phasor negative = first + a * backward + b * backward * backward;
    return std::abs(positive) != 0 ? std::abs(negative) / std::abs(positive) : 0;
}

double ClampedAcos(double x) {
    if (!(x > -1))
        return kPi;
    if (x >= 1)
        return 0;
    return std::acos(x);
}

}  // namespace

void ComputeThdFromHarmonics(CIntervalRecord& r, int thdOrder) {
    for (int p = 0; p < kPhaseCount; ++p)
        r.VoltTHDAvgCalc[p] =
            ThdOf(r.VoltHarmPhaseLxRawVal[p], r.VoltAvgPhaseLxRawVal[p] != 0, thdOrder);
    for (int c = 0; c < kConductorCount; ++c)
        r.CurrTHDAvgCalc[c] = ThdOf(r.CurrHarmPhaseLxRawVal[c], r.CurrAvg(c) != 0, thdOrder);
}

void ComputeThdFromFundamentals(CIntervalRecord& r, const CRawScaling& s) {
    for (int p = 0; p < kPhaseCount; ++p)
        r.VoltTHDAvgCalc[p] = ThdOfRms(r.Voltage(&CIntervalRecord::VoltAvgPhaseLxRawVal, p, s),
                                       FundamentalVoltageU1(r, p, s));
    for (int c = 0; c < kConductorCount; ++c) {
        const double scale = c == kNeutral ? s.NeutralScale : s.CurrScale;
        r.CurrTHDAvgCalc[c] = ThdOfRms(r.CurrAvg(c) * scale, FundamentalCurrentU1(r, c, s));
    }
}

int16_t ComputeVoltageUnbalance(const CIntervalRecord& r, const CRawScaling& s) {
    const PhaseRaw& mean = r.VoltAvgPhaseLxRawVal;
    if (std::all_of(mean.begin(), mean.end(), [](int16_t v) { return v < kMinVoltageRaw; }))
        return 0;
    double percent = 0;
    if (s.IsPhaseToPhase) {
        double squares = 0, fourths = 0;
        for (int p = 0; p < kPhaseCount; ++p) {
            const double u = FundamentalVoltageU1(r, p, s);
            squares += u * u;
            fourths += u * u * u * u;
        }
        if (squares == 0)
            return 0;
        const double b = fourths / (squares * squares);
        const double j = std::min(std::sqrt(std::max(3 - 6 * std::min(b, 0.5), 0.0)), 1.0);
        percent = std::sqrt((1 - j) / (1 + j)) * 100;
    } else {
        const double angle2 = CIntervalRecord::UnbalanceAngleDegrees(r.UnbalAngleL1L2);
        const double angle3 = CIntervalRecord::UnbalanceAngleDegrees(r.UnbalAngleL1L3);
        if (!InPhaseWindow(angle2) || !InPhaseWindow(angle3))
            return 10000;
        const auto phasor = [&](int p, int16_t angle) {
            return Polar(r.Voltage(&CIntervalRecord::VoltAvgPhaseLxRawVal, p, s),
                         angle * kRadiansPerRaw);
        };
        const Phasor u2 = phasor(1, r.UnbalAngleL1L2), u3 = phasor(2, r.UnbalAngleL1L3);
        const bool thirdLags = angle3 > angle2;
        percent = SequenceRatio(phasor(0, 0), thirdLags ? u3 : u2, thirdLags ? u2 : u3) * 100;
    }
    return int16_t(std::lround(std::min(percent * 100, 32767.0)));
}

double ComputeCurrentUnbalance(const CIntervalRecord& r, const CRawScaling& s) {
    const double i1 = FundamentalCurrentU1(r, 0, s);
    const double i2 = FundamentalCurrentU1(r, 1, s);
    const double i3 = FundamentalCurrentU1(r, 2, s);
    if (s.IsPhaseToPhase) {
        if (i1 == 0 && i2 == 0 && i3 == 0)
            return 0;
        // Phase currents of a delta close a triangle; its angles follow from the sides.
        // A missing side leaves the other two currents opposite each other.
        double angle2 = 0, angle3 = 0;
        if (i1 == 0 || i2 == 0) {
            angle3 = kPi;
        } else if (i3 == 0) {
            angle2 = kPi;
        } else {
            const double between12 = ClampedAcos((i1 * i1 + i2 * i2 - i3 * i3) / (2 * i1 * i2));
            const double between23 = ClampedAcos((i2 * i2 + i3 * i3 - i1 * i1) / (2 * i2 * i3));
            angle2 = kPi - between12;
            angle3 = angle2 + kPi - between23;
        }
        return SequenceRatio(Polar(i1, 0.0), Polar(i3, angle3), Polar(i2, angle2)) * 100;
    }
    const auto displacement = [&](int p) {
        const double active = r.RealPowPh1AvgPhaseLxRawVal[p] * s.PowerScale;
        const double length = std::hypot(active, r.ReactPowPh1AvgPhaseLxRawVal[p] * s.PowerScale);
        if (length == 0)
            return 0.0;
        const double angle = ClampedAcos(active / length);
        return active < 0 ? -angle : angle;
    };
    const double angle2 = r.UnbalAngleL1L2 * kRadiansPerRaw + displacement(1);
    const double angle3 = r.UnbalAngleL1L3 * kRadiansPerRaw + displacement(2);
    const Phasor c2 = Polar(i2, angle2), c3 = Polar(i3, angle3);
    const bool thirdLags = r.UnbalAngleL1L3 > r.UnbalAngleL1L2;
    return SequenceRatio(Polar(i1, displacement(0)), thirdLags ? c3 : c2, thirdLags ? c2 : c3) *
           100;
}

}  // namespace varelo
