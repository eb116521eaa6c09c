#include "sim/IntervalSynthesis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

#include "measurement/MeasurementJob.h"
#include "sim/NoiseStreams.h"

namespace varelo::sim {

namespace {

constexpr double kSqrt2 = 1.4142135623730951;
constexpr double kThdRawPerPercent = 32768.0 / 100;
constexpr int16_t kMinFundamentalForThd = 70;
// Below a tenth of nominal the Logger has no waveform to analyse.
constexpr double kMinAnalysedVoltage = 0.1;
// Averaging of the interval's minimum and maximum values, in seconds: shorter events show in
// them only in part.
constexpr double kMinMaxAveraging = 1.0;

double Overlap(const Disturbance& e, int64_t fromMs, int64_t toMs) {
    return double(std::max<int64_t>(0, std::min(toMs, e.endMs) - std::max(fromMs, e.startMs))) /
           1000;
}

// Squared sum of relative levels (fractions of the RMS value) of codes of orders 2 to 50.
double Distortion(const std::array<uint8_t, kHarmonicOrders + 1>& codes) {
    double sum = 0;
    for (int order = 2; order <= kHarmonicOrders; ++order) {
        const double level = LevelOfCode(codes[size_t(order)]) * 1e-4;
        sum += level * level;
    }
    return std::min(sum, 0.99);
}

int16_t ThdRaw(double thdPercent) {
    return int16_t(std::clamp(std::round(thdPercent * kThdRawPerPercent), 0.0, 32767.0));
}

}  // namespace

struct IntervalSynthesis::Span {
    double t0 = 0, t1 = 0, mid = 0;
    int64_t fromMs = 0, toMs = 0;
    std::span<const Disturbance> events;
    double spread = 1;
    int64_t sample = 0;     // noise index of the interval: its middle, in clock seconds
    bool coldLoad = false;  // a long interruption ended: every load starts at once
};

struct IntervalSynthesis::Phase {
    double load = 0;
    double undisturbed = 1;  // per unit of nominal
    double mean = 1, max = 1, min = 1, halfMax = 1, halfMin = 1;
    double energized = 1;  // share of the interval with voltage
    double pst = 0;
    int16_t voltageRaw = 0;
    bool analysed = false;  // enough voltage for harmonics
    std::array<uint8_t, kHarmonicOrders + 1> voltageCodes{};
    double voltageDistortion = 0;
    double currentOn = 0;  // A while energized
    double current = 0;    // A over the interval
    double currentMax = 0;
    int16_t currentRaw = 0;
    std::array<uint8_t, kHarmonicOrders + 1> currentCodes{};
    double currentDistortion = 0;
    double cosPhi = 1;
};

IntervalSynthesis::IntervalSynthesis(const IntervalLayout& layout, const FeederModel& model,
                                     const DisturbanceSchedule& schedule, const NoiseSource& noise)
    : layout_(layout), model_(model), schedule_(schedule), noise_(noise) {}

CIntervalRecord IntervalSynthesis::Interval(int64_t n) const {
    const int32_t seconds = layout_.intervalSeconds;
    Span span;
    span.t0 = double(n) * seconds;
    span.t1 = span.t0 + seconds;
    span.mid = span.t0 + seconds / 2.0;
    span.fromMs = n * seconds * 1000;
    span.toMs = span.fromMs + seconds * 1000;
    span.events = schedule_.Overlapping(span.fromMs, span.toMs);
    span.spread = model_.IntervalSpread(seconds);
    span.sample = int64_t(std::floor(model_.Calendar().Absolute(span.mid)));

    CIntervalRecord r;
    r.DateTime = model_.Calendar().At(n * seconds + seconds);
    uint16_t status = 0;
    for (const Disturbance& e : span.events) {
        if (!e.IsInterruption()) continue;
        status |= kStatusLineInterruption;
        // Without all three voltages the Logger cannot tell the unbalance.
        if (e.phases != 0x7) status |= kStatusUnbalanceError;
        // Everything switching on at once overdrives the current inputs.
        if (e.kind == DisturbanceKind::LongInterruption && e.endMs > span.fromMs &&
            e.endMs <= span.toMs) {
            status |= kStatusCurrentOverflow;
            span.coldLoad = true;
        }
    }

    Phase phases[3];
    for (int p = 0; p < kPhaseCount; ++p) {
        VoltagesOf(span, p, phases[p]);
        CurrentsOf(span, p, phases[p]);
        WriteVoltages(phases[p], p, r);
        WriteCurrents(phases[p], p, span, r);
    }
    WriteNeutral(phases, span, r);
    WritePowers(phases, span, r);
    WriteInterharmonics(phases, span, r);
    if (!WriteFrequency(span, r)) status |= kStatusSyncError;
    for (int which = 0; which < 2; ++which) {
        const int16_t angle = int16_t(std::lround(model_.PhaseAngle(which, span.mid) / 0.0125));
        (which == 0 ? r.UnbalAngleL1L2 : r.UnbalAngleL1L3) = angle;
    }
    r.Status = int16_t(status);
    return r;
}

void IntervalSynthesis::VoltagesOf(const Span& span, int p, Phase& ph) const {
    ph.load = model_.Load(p, span.mid);
    const double u = model_.Voltage(p, span.mid, ph.load);
    ph.undisturbed = u;
    const auto draw = [&](int k) {
        return noise_.Uniform(kStreamVoltageSpread + p, span.sample * 8 + k);
    };
    ph.max = u * (1 + (0.004 + 0.004 * span.spread) * (0.6 + 0.8 * draw(0)));
    ph.min = u * (1 - (0.005 + 0.005 * span.spread) * (0.6 + 0.8 * draw(1)));
    ph.halfMax = ph.max * 1.004;
    ph.halfMin = ph.min * 0.996;
    const double length = span.t1 - span.t0;
    double mean = u;
    double out = 0;
    double pstRise = 0;
    const Disturbance* whole = nullptr;
    for (const Disturbance& e : span.events) {
        if (!e.Affects(p)) continue;
        const double share = Overlap(e, span.fromMs, span.toMs) / length;
        const double extreme = e.extreme[size_t(p)];
        // The RMS value lies between the extreme and the undisturbed voltage most of the event.
        mean += (extreme - u) * share * (e.IsInterruption() ? 1.0 : 0.7);
        const double averaged = u + (extreme - u) * std::min(1.0, e.Seconds() / kMinMaxAveraging);
        if (e.kind == DisturbanceKind::Swell) {
            ph.max = std::max(ph.max, averaged);
            ph.halfMax = std::max(ph.halfMax, extreme);
        } else {
            ph.min = std::min(ph.min, averaged);
            ph.halfMin = std::min(ph.halfMin, extreme);
        }
        if (e.IsInterruption()) {
            out += share;
            if (share >= 1) whole = &e;
            pstRise = std::max(pstRise, 3.5 + 2 * draw(2));
        } else {
            pstRise += 0.2 + 3 * std::abs(1 - extreme) * std::min(1.0, std::sqrt(e.Seconds()));
        }
    }
    ph.energized = std::max(0.0, 1 - out);
    ph.mean = mean;
    if (whole) {
        // Nothing but the residual voltage all interval long.
        const double residual = whole->extreme[size_t(p)];
        ph.mean = ph.max = ph.min = ph.halfMax = ph.halfMin = residual;
        ph.pst = 0;
    } else {
        ph.pst = model_.Pst(p, span.mid, ph.load) + pstRise;
    }
    ph.voltageRaw = ToRaw(ph.mean * layout_.nominalVoltage, layout_.units.voltage);
    ph.analysed = ph.mean >= kMinAnalysedVoltage && ph.voltageRaw > 0;
    if (!ph.analysed) return;
    FeederModel::Spectrum levels;
    model_.VoltageHarmonics(p, span.mid, ph.load, levels);
    for (int order = 2; order <= kHarmonicOrders; ++order)
        ph.voltageCodes[size_t(order)] = LevelCode(levels[size_t(order)]);
    ph.voltageDistortion = Distortion(ph.voltageCodes);
}

void IntervalSynthesis::CurrentsOf(const Span& span, int p, Phase& ph) const {
    const auto draw = [&](int k) {
        return noise_.Uniform(kStreamLoadSpread + p, span.sample * 8 + k);
    };
    ph.currentOn = FeederModel::kDesignCurrent * ph.load;
    ph.current = ph.currentOn * ph.energized;
    ph.currentMax =
        ph.energized > 0 ? ph.currentOn * (1 + (0.06 + 0.06 * span.spread) * (0.5 + draw(0))) : 0;
    if (span.coldLoad) ph.currentMax = std::max(ph.currentMax, ph.currentOn * 2.2);
    ph.currentRaw = ToRaw(ph.current, layout_.units.current);
    ph.cosPhi = model_.DisplacementFactor(p, span.mid, ph.load);
    if (ph.currentRaw == 0) return;
    FeederModel::Spectrum levels;
    model_.CurrentHarmonics(p, span.mid, ph.load, levels);
    for (int order = 2; order <= kHarmonicOrders; ++order)
        ph.currentCodes[size_t(order)] = LevelCode(levels[size_t(order)]);
    ph.currentDistortion = Distortion(ph.currentCodes);
}

void IntervalSynthesis::WriteVoltages(const Phase& ph, int p, CIntervalRecord& r) const {
    const double un = layout_.nominalVoltage;
    const RawUnits& units = layout_.units;
    const bool functionA = layout_.function == kMeasFuncA;
    r.VoltAvgPhaseLxRawVal[p] = ph.voltageRaw;
    r.VoltMaxPhaseLxRawVal[p] = ToRaw(ph.max * un, units.voltage);
    r.VoltMinPhaseLxRawVal[p] = ToRaw(ph.min * un, units.voltage);
    r.VoltHalfpMaxPhaseLxRaw[p] = ToUnsignedRaw(ph.halfMax * un, units.voltage);
    r.VoltHalfpMinPhaseLxRaw[p] = ToUnsignedRaw(ph.halfMin * un, units.voltage);
    // The highest current pulls the voltage down a little.
    r.VoltHalfpToCurrMaxPhaseLxRaw[p] = ToUnsignedRaw(ph.mean * 0.995 * un, units.voltage);
    r.FlickPstPhaseLxRawVal[p] =
        ph.pst <= 0 ? 0 : int16_t(std::clamp(std::round(ph.pst * 1000), 150.0, 29000.0));
    // RMS of the voltage changes, which is what flickers.
    r.VoltUDeltaRmsPhaseLxRawVal[p] =
        ToUnsignedRaw(un * (0.0006 + 0.0012 * ph.pst), units.voltage * 1.732050808);
    if (!ph.analysed) return;
    const double rms = ph.voltageRaw * units.voltage;
    const double harmonicContent = rms * std::sqrt(ph.voltageDistortion);
    const double fundamental = rms * std::sqrt(1 - ph.voltageDistortion);
    const double thd = std::sqrt(ph.voltageDistortion / (1 - ph.voltageDistortion)) * 100;
    // Function P of the newest firmware reports the harmonic content in the fundamental's place.
    const int16_t h1 =
        int16_t(std::min(32767.0, std::floor((functionA ? fundamental : harmonicContent) /
                                             units.fundamentalVoltage)));
    r.VoltUh1AvgPhaseLxRawVal[p] = h1;
    const bool thdMeasured = !functionA || h1 >= kMinFundamentalForThd;
    r.VoltTHDMaxPhaseLxRawVal[p] = thdMeasured ? ThdRaw(thd * (1.08 + 0.04 * ph.load)) : 0;
    if (!functionA) return;
    r.SetVoltHarm(p, 1, h1);
    for (int order = 2; order <= kHarmonicOrders; ++order)
        r.SetVoltHarm(p, order, HarmonicFromCode(ph.voltageRaw, ph.voltageCodes[size_t(order)]));
}

void IntervalSynthesis::WriteCurrents(const Phase& ph, int p, const Span& span,
                                      CIntervalRecord& r) const {
    const RawUnits& units = layout_.units;
    const bool functionA = layout_.function == kMeasFuncA;
    r.CurrAvgPhaseLxRawVal[p] = ph.currentRaw;
    r.CurrMaxPhaseLxRawVal[p] = ToRaw(ph.currentMax, units.current);
    const double crest = 1.45 + 0.8 * std::sqrt(ph.currentDistortion) +
                         0.1 * noise_.Uniform(kStreamCrest + p, span.sample);
    r.CurrPeakPhaseLxRawVal[p] = ToRaw(ph.currentMax * crest / kSqrt2, units.current);
    r.CurrHalfpMaxPhaseLxRaw[p] =
        span.coldLoad ? 32767 : ToUnsignedRaw(ph.currentMax * 1.12, units.current);
    r.CurrHalfpToVoltMaxPhaseLxRaw[p] = ToUnsignedRaw(ph.current * 0.8, units.current);
    r.CurrHalfpToVoltMinPhaseLxRaw[p] = ToUnsignedRaw(ph.currentMax * 0.97, units.current);
    if (ph.currentRaw == 0) return;
    const double rms = ph.currentRaw * units.current;
    const double content = rms * std::sqrt(ph.currentDistortion);
    const double fundamental = rms * std::sqrt(1 - ph.currentDistortion);
    const double thd = std::sqrt(ph.currentDistortion / (1 - ph.currentDistortion)) * 100;
    const int16_t h1 = int16_t(std::min(
        32767.0, std::floor((functionA ? fundamental : content) / units.fundamentalCurrent)));
    r.CurrIh1AvgPhaseLxRawVal[p] = h1;
    const bool thdMeasured = !functionA || h1 >= kMinFundamentalForThd;
    r.CurrTHDMaxPhaseLxRawVal[p] = thdMeasured ? ThdRaw(thd * (1.1 + 0.1 * span.spread)) : 0;
    if (!functionA) return;
    r.SetCurrHarm(p, 1, h1);
    for (int order = 2; order <= kHarmonicOrders; ++order)
        r.SetCurrHarm(p, order, HarmonicFromCode(ph.currentRaw, ph.currentCodes[size_t(order)]));
}

void IntervalSynthesis::WriteNeutral(const Phase (&phases)[3], const Span& span,
                                     CIntervalRecord& r) const {
    const RawUnits& units = layout_.units;
    const bool functionA = layout_.function == kMeasFuncA;
    // Phasor sums of the phase currents, order by order: the triplen orders add up in the
    // neutral, the others cancel but for the phases' unequal loads.
    // Order h of phase p lies at -h x 120 degrees x p; the fundamental also lags by phi.
    const std::complex<double> rotation[3] = {
        {1, 0}, {-0.5, -0.8660254037844386}, {-0.5, 0.8660254037844386}};
    std::array<double, kHarmonicOrders + 1> amps{};
    double squares = 0;
    for (int order = 1; order <= kHarmonicOrders; ++order) {
        std::complex<double> sum;
        for (int p = 0; p < kPhaseCount; ++p) {
            const Phase& ph = phases[p];
            const double rms = ph.currentRaw * units.current;
            std::complex<double> phasor = rotation[(order * p) % 3];
            if (order == 1) {
                const double sinPhi = std::sqrt(1 - ph.cosPhi * ph.cosPhi);
                phasor *=
                    std::complex<double>(ph.cosPhi, -sinPhi) * std::sqrt(1 - ph.currentDistortion);
            } else {
                phasor *= LevelOfCode(ph.currentCodes[size_t(order)]) * 1e-4;
            }
            sum += rms * phasor;
        }
        amps[size_t(order)] = std::sqrt(std::norm(sum));
        squares += std::norm(sum);
    }
    const double rms = std::sqrt(squares);
    const double maxFactor =
        1.1 + 0.1 * span.spread * noise_.Uniform(kStreamLoadSpread + 3, span.sample);
    r.NeutralCurrAvgRawVal = ToRaw(rms, units.neutral);
    r.NeutralCurrMaxRawVal = ToRaw(rms * maxFactor, units.neutral);
    r.NeutralCurrPeakRawVal = ToRaw(rms * maxFactor * 2.0 / kSqrt2, units.neutral);
    if (r.NeutralCurrAvgRawVal == 0) return;
    std::array<uint8_t, kHarmonicOrders + 1> codes{};
    for (int order = 2; order <= kHarmonicOrders; ++order)
        codes[size_t(order)] = LevelCode(amps[size_t(order)] / rms * 100);
    const double distortion = Distortion(codes);
    const double neutral = r.NeutralCurrAvgRawVal * units.neutral;
    const double value =
        functionA ? neutral * std::sqrt(1 - distortion) : neutral * std::sqrt(distortion);
    const int16_t h1 = int16_t(std::min(32767.0, std::floor(value / units.fundamentalNeutral)));
    r.NeutralCurrIh1AvgRawVal = h1;
    const bool thdMeasured = !functionA || h1 >= kMinFundamentalForThd;
    r.NeutralCurrTHDMaxRawVal =
        thdMeasured ? ThdRaw(std::sqrt(distortion / (1 - distortion)) * 100 * 1.1) : 0;
    if (!functionA) return;
    r.SetCurrHarm(kNeutral, 1, h1);
    for (int order = 2; order <= kHarmonicOrders; ++order)
        r.SetCurrHarm(kNeutral, order,
                      HarmonicFromCode(r.NeutralCurrAvgRawVal, codes[size_t(order)]));
}

void IntervalSynthesis::WritePowers(const Phase (&phases)[3], const Span& span,
                                    CIntervalRecord& r) const {
    const double unit = layout_.units.power;
    struct Totals {
        double pMax = 0, pMin = 0, pAvg = 0, qMax = 0, qMin = 0, sMax = 0, sMin = 0, dMax = 0;
    } total;
    for (int p = 0; p < kPhaseCount; ++p) {
        const Phase& ph = phases[p];
        const double voltage = ph.undisturbed * layout_.nominalVoltage;
        const double u1 = voltage * std::sqrt(1 - ph.voltageDistortion);
        const double i1 = ph.currentOn * std::sqrt(1 - ph.currentDistortion);
        const double sinPhi = std::sqrt(1 - ph.cosPhi * ph.cosPhi);
        // While energized; harmonics draw a little active power back out of the load.
        const double p1 = u1 * i1 * ph.cosPhi, q1 = u1 * i1 * sinPhi;
        const double active = p1 * 0.997, reactive = q1 * 1.01;
        const double apparent = voltage * ph.currentOn;
        const double distortion =
            std::sqrt(std::max(0.0, apparent * apparent - active * active - reactive * reactive));
        const double up =
            ph.energized <= 0
                ? 0
                : 1 + (0.06 + 0.06 * span.spread) *
                          (0.5 + noise_.Uniform(kStreamLoadSpread + 4 + p, span.sample));
        const double down = ph.energized < 1 ? 0 : 2 - up;
        const double share = ph.energized;
        r.RealPowAvgPhaseLxRawVal[p] = ToSignedRaw(active * share, unit);
        r.RealPowMaxPhaseLxRawVal[p] = ToSignedRaw(active * up, unit);
        r.RealPowMinPhaseLxRawVal[p] = ToSignedRaw(active * down, unit);
        // The load only draws power, so the absolute values are the same.
        r.RealPowAvgAbsPhaseLxRawVal[p] = r.RealPowAvgPhaseLxRawVal[p];
        r.RealPowMaxAbsPhaseLxRawVal[p] = r.RealPowMaxPhaseLxRawVal[p];
        r.RealPowMinAbsPhaseLxRawVal[p] = r.RealPowMinPhaseLxRawVal[p];
        r.ReactPowAvgPhaseLxRawVal[p] = ToSignedRaw(reactive * share, unit);
        r.ReactPowMaxPhaseLxRawVal[p] = ToSignedRaw(reactive * up, unit);
        r.ReactPowMinPhaseLxRawVal[p] = ToSignedRaw(reactive * down, unit);
        r.AppPowAvgPhaseLxRawVal[p] = ToSignedRaw(apparent * share, unit);
        r.AppPowMaxPhaseLxRawVal[p] = ToSignedRaw(apparent * up, unit);
        r.AppPowMinPhaseLxRawVal[p] = ToSignedRaw(apparent * down, unit);
        r.DistPowAvgPhaseLxRawVal[p] = ToSignedRaw(distortion * share, unit);
        r.DistPowMaxPhaseLxRawVal[p] = ToSignedRaw(distortion * up, unit);
        r.RealPowPh1AvgPhaseLxRawVal[p] = ToSignedRaw(p1 * share, unit);
        r.ReactPowPh1AvgPhaseLxRawVal[p] = ToSignedRaw(q1 * share, unit);
        total.pAvg += active * share;
        total.pMax += active * up;
        total.pMin += active * down;
        total.qMax += reactive * up;
        total.qMin += reactive * down;
        total.sMax += apparent * up;
        total.sMin += apparent * down;
        total.dMax += distortion * up;
    }
    // Totals in the per-phase unit times three; the phases do not peak at the same moment.
    const double unitTotal = unit * 3;
    r.RealPowMaxTotRawVal = ToSignedRaw(total.pMax * 0.98, unitTotal);
    r.RealPowMinTotRawVal = ToSignedRaw(total.pMin * 1.02, unitTotal);
    r.RealPowMaxAbsTotRawVal = r.RealPowMaxTotRawVal;
    r.RealPowMinAbsTotRawVal = r.RealPowMinTotRawVal;
    r.RealPowAvgAbsTotRawVal = ToSignedRaw(total.pAvg, unitTotal);
    r.ReactPowMaxTotRawVal = ToSignedRaw(total.qMax * 0.98, unitTotal);
    r.ReactPowMinTotRawVal = ToSignedRaw(total.qMin * 1.02, unitTotal);
    r.AppPowMaxTotRawVal = ToSignedRaw(total.sMax * 0.98, unitTotal);
    r.AppPowMinTotRawVal = ToSignedRaw(total.sMin * 1.02, unitTotal);
    r.DistPowMaxTotRawVal = ToSignedRaw(total.dMax * 0.98, unitTotal);
}

void IntervalSynthesis::WriteInterharmonics(const Phase (&phases)[3], const Span& span,
                                            CIntervalRecord& r) const {
    if (layout_.function != kMeasFuncA) return;
    for (int j = 0; j < layout_.interharmonicChannels; ++j) {
        for (int p = 0; p < kPhaseCount; ++p) {
            const Phase& ph = phases[p];
            if (ph.analysed) {
                // The channel's level is in % of nominal, its code relative to the RMS value.
                const double level =
                    model_.InterharmonicMean(j, p, span.t0, span.t1, ph.load) / ph.undisturbed;
                r.SetVoltInterharm(p, j, HarmonicFromCode(ph.voltageRaw, LevelCode(level)));
            }
        }
        for (int c = 0; c < kConductorCount; ++c) {
            const int16_t rms = r.CurrAvg(c);
            const double level =
                0.3 + 0.3 * noise_.Uniform(kStreamCurrentInterharmonic + uint32_t(8 * c + j),
                                           span.sample);
            r.SetCurrInterharm(c, j, HarmonicFromCode(rms, LevelCode(level)));
        }
    }
}

bool IntervalSynthesis::FrequencySlotMeasured(int64_t slot) const {
    for (const Disturbance& e : schedule_.Overlapping(slot * 10000, slot * 10000 + 10000)) {
        if (e.IsInterruption() && e.Affects(0)) return false;
    }
    return true;
}

bool IntervalSynthesis::WriteFrequency(const Span& span, CIntervalRecord& r) const {
    // The mean of the interval's 10-second values; a shorter interval shows the value of the
    // 10 seconds it lies in. Without L1 for a whole 10-second value the Logger lost the
    // frequency.
    const int64_t first = int64_t(std::floor(span.t0 / 10));
    const int64_t last = std::max(first, int64_t(std::ceil(span.t1 / 10)) - 1);
    int64_t sum = 0;
    int64_t count = 0;
    for (int64_t slot = first; slot <= last; ++slot) {
        if (!FrequencySlotMeasured(slot)) continue;
        sum += model_.FrequencyMilliHz(slot);
        ++count;
    }
    r.Freq10min = count == 0 ? 0 : int16_t(std::lround(double(sum) / double(count) / 10));
    return count == last - first + 1;
}

}  // namespace varelo::sim
