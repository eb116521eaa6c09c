#include "sim/FeederModel.h"

#include <algorithm>
#include <cmath>

#include "sim/NoiseStreams.h"

namespace varelo::sim {

namespace {

constexpr InterharmonicChannel kChannels[] = {
    {367, 305, true, "Ripple control 183 Hz"},
    {633, 528, true, "Ripple control 316 Hz"},
    {250, 250, false, "Interharmonic 2.5"},
};

// Load per hour of the day, 0 to 23.
constexpr double kWorkdayProfile[24] = {
    0.38, 0.34, 0.32, 0.31, 0.32, 0.38, 0.55, 0.72, 0.82, 0.86, 0.88, 0.90,
    0.87, 0.86, 0.85, 0.84, 0.86, 0.92, 0.98, 1.00, 0.94, 0.80, 0.62, 0.46,
};
constexpr double kWeekendProfile[24] = {
    0.40, 0.36, 0.33, 0.32, 0.32, 0.34, 0.40, 0.48, 0.58, 0.66, 0.70, 0.72,
    0.72, 0.70, 0.66, 0.64, 0.66, 0.72, 0.80, 0.84, 0.80, 0.70, 0.56, 0.46,
};

constexpr double kPhaseLoad[3] = {1.00, 0.93, 1.05};
// The 5th-harmonic sources sit mostly on L3.
constexpr double kPhaseHarmonics[3] = {1.00, 0.95, 1.08};
constexpr double kPhaseSignalling[3] = {1.00, 0.96, 1.03};

// Level of harmonic order 2 to 25 in % of the RMS value: a + b x load + c x load^2. Odd
// orders dominate, the characteristic 5th and 7th of rectifier loads most; the triplen ones
// stay small in a voltage fed through a delta-wye transformer.
struct HarmonicShape {
    double a, b, c;
};
constexpr HarmonicShape kVoltageShapes[24] = {
    {0.10, 0.10, 0}, {0.45, 0.80, 0}, {0.06, 0.04, 0}, {1.20, 0, 3.20}, {0.05, 0, 0},
    {0.70, 0, 1.60}, {0.04, 0, 0},    {0.20, 0.30, 0}, {0.04, 0, 0},    {0.30, 0, 0.70},
    {0.03, 0, 0},    {0.22, 0, 0.55}, {0.03, 0, 0},    {0.10, 0.12, 0}, {0.02, 0, 0},
    {0.20, 0, 0.45}, {0.02, 0, 0},    {0.15, 0, 0.35}, {0.02, 0, 0},    {0.06, 0.08, 0},
    {0.02, 0, 0},    {0.12, 0, 0.25}, {0.02, 0, 0},    {0.10, 0, 0.20},
};
// Currents of electronic loads: relatively more distorted at light load.
constexpr HarmonicShape kCurrentShapes[24] = {
    {1.2, 0, 0}, {15.4, -2.8, 0}, {0.6, 0, 0}, {17.0, 5.0, 0}, {0.3, 0, 0}, {9.9, 2.2, 0},
    {0.3, 0, 0}, {4.0, 0, 0},     {0.3, 0, 0}, {6.0, 0, 0},    {0.1, 0, 0}, {4.5, 0, 0},
    {0.1, 0, 0}, {1.5, 0, 0},     {0.1, 0, 0}, {2.5, 0, 0},    {0.1, 0, 0}, {2.0, 0, 0},
    {0.1, 0, 0}, {0.8, 0, 0},     {0.1, 0, 0}, {1.5, 0, 0},    {0.1, 0, 0}, {1.2, 0, 0},
};

}  // namespace

struct HarmonicTable {
    const HarmonicShape (&shapes)[24];
    double above25;  // scale of the orders above 25
    double drift;    // relative slow drift of a phase's spectrum
    double scatter;  // relative variation of one order from interval to interval
};

namespace {

double Shape(const HarmonicTable& table, int order, double load) {
    if (order <= 25) {
        const HarmonicShape& s = table.shapes[order - 2];
        return s.a + s.b * load + s.c * load * load;
    }
    if (order % 2 == 0) return table.above25 * 0.2;
    if (order % 3 == 0) return table.above25 * 0.4;
    return table.above25 * 25.0 / order * (0.6 + 0.4 * load * load);
}

const HarmonicTable kVoltageTable{kVoltageShapes, 0.05, 0.10, 0.08};
const HarmonicTable kCurrentTable{kCurrentShapes, 0.8, 0.10, 0.10};

// Ripple-control telegrams of the two ripple channels, seconds of the day.
constexpr double kTelegramTimes[2][6] = {
    {5.5 * 3600, 7 * 3600, 11.75 * 3600, 16.5 * 3600, 21 * 3600, 22.5 * 3600},
    {6.25 * 3600, 13 * 3600, 18.75 * 3600, 23.25 * 3600, -1, -1},
};
constexpr int kTelegramCount[2] = {6, 4};

}  // namespace

std::span<const InterharmonicChannel> InterharmonicChannels() {
    return kChannels;
}

FeederModel::FeederModel(const GeneratorSettings& settings, const NoiseSource& noise,
                         const MeasurementCalendar& calendar, const DisturbanceSchedule& schedule)
    : settings_(settings),
      noise_(noise),
      calendar_(calendar),
      schedule_(schedule),
      // The 60 Hz limits are tighter; a network built for them carries less distortion.
      harmonicScale_(settings.NominalFrequency() == 60 ? 0.52 : 1.0) {}

double FeederModel::DailyProfile(double t) const {
    const double* profile = calendar_.IsWeekend(t) ? kWeekendProfile : kWorkdayProfile;
    const double hours = calendar_.SecondOfDay(t) / 3600;
    const int h = std::min(23, int(hours));
    const double f = hours - h;
    return profile[h] + (profile[(h + 1) % 24] - profile[h]) * f;
}

double FeederModel::Load(int phase, double t) const {
    const double clock = calendar_.Absolute(t);
    const double season = 1 + 0.08 * calendar_.Winter(t);
    return DailyProfile(t) * season * kPhaseLoad[phase] *
           (1 + 0.06 * noise_.Smooth(kStreamLoadSlow + phase, clock, 3 * 3600)) *
           (1 + 0.025 * noise_.Smooth(kStreamLoadFast + phase, clock, 900));
}

double FeederModel::Voltage(int phase, double t, double load) const {
    const double clock = calendar_.Absolute(t);
    // The transformer's tap keeps the no-load voltage a little above nominal; the feeder's
    // impedance takes some of it back under load.
    const double source = 0.024 + 0.006 * noise_.Smooth(kStreamSource, clock, 6 * 3600);
    return 1 + source - 0.036 * load - schedule_.LowVoltageDrop(t) +
           0.003 * noise_.Smooth(kStreamVoltagePhase + phase, clock, 1200) +
           0.0008 * noise_.Normal(kStreamVoltageSample + phase, int64_t(std::floor(clock)));
}

double FeederModel::IntervalSpread(int32_t intervalSeconds) const {
    return std::clamp(std::sqrt(intervalSeconds / 600.0), 0.1, 2.5);
}

int32_t FeederModel::FrequencyMilliHz(int64_t slot) const {
    const double t = double(slot) * 10 + 5;
    const double clock = calendar_.Absolute(t);
    // Schedules change at full hours, and the frequency swings briefly with them.
    const double intoHour = double(int64_t(clock) % 3600) + (clock - std::floor(clock));
    const double hourly = intoHour < 600
                              ? 0.025 * noise_.Normal(kStreamFrequencyHour, int64_t(clock / 3600)) *
                                    (1 - intoHour / 600) * (1 - intoHour / 600)
                              : 0;
    const double deviation = 0.030 * noise_.Smooth(kStreamFrequencySlow, clock, 900) +
                             0.012 * noise_.Smooth(kStreamFrequencyMid, clock, 90) +
                             0.005 * noise_.Normal(kStreamFrequencyValue, int64_t(clock / 10)) +
                             hourly + schedule_.FrequencyExcursion(t);
    return int32_t(std::lround((settings_.NominalFrequency() + deviation) * 1000));
}

double FeederModel::Pst(int phase, double t, double load) const {
    const double clock = calendar_.Absolute(t);
    const double base = (0.17 + 0.25 * load) *
                        std::exp(0.22 * noise_.Normal(kStreamPst + phase, int64_t(clock))) *
                        (1 + 0.1 * noise_.Smooth(kStreamPstSlow + phase, clock, 4 * 3600));
    const double burst = schedule_.FlickerBurst(t);
    if (burst > 0) {
        const double u = noise_.Uniform(kStreamPst + 4 + phase, int64_t(clock));
        return std::max(base, burst * (0.85 + 0.3 * u));
    }
    return base;
}

void FeederModel::Harmonics(const HarmonicTable& table, uint32_t slowStream, uint32_t sampleStream,
                            int phase, double t, double load, Spectrum& levels) const {
    const double clock = calendar_.Absolute(t);
    const double drift = 1 + table.drift * noise_.Smooth(slowStream + phase, clock, 2 * 3600);
    uint64_t bits = 0;
    for (int order = 2; order <= 50; ++order) {
        // Four orders share one draw of 64 bits.
        if ((order - 2) % 4 == 0)
            bits = noise_.Bits(sampleStream + phase, int64_t(clock) * 16 + (order - 2) / 4);
        const double u = double((bits >> (16 * ((order - 2) % 4))) & 0xFFFF) / 65536.0;
        levels[size_t(order)] = Shape(table, order, load) * drift * (1 + table.scatter * (u - 0.5));
    }
}

void FeederModel::VoltageHarmonics(int phase, double t, double load, Spectrum& levels) const {
    Harmonics(kVoltageTable, kStreamVoltageHarmonicSlow, kStreamVoltageHarmonicSample, phase, t,
              load, levels);
    for (int order = 2; order <= 50; ++order)
        levels[size_t(order)] *= harmonicScale_ * kPhaseHarmonics[phase];
}

void FeederModel::CurrentHarmonics(int phase, double t, double load, Spectrum& levels) const {
    Harmonics(kCurrentTable, kStreamCurrentHarmonicSlow, kStreamCurrentHarmonicSample, phase, t,
              load, levels);
}

double FeederModel::DisplacementFactor(int phase, double t, double load) const {
    const double clock = calendar_.Absolute(t);
    return std::clamp(0.96 - 0.04 * (1 - load) +
                          0.01 * noise_.Smooth(kStreamPowerFactor + phase, clock, 4 * 3600),
                      0.85, 0.995);
}

double FeederModel::PhaseAngle(int which, double t) const {
    const double clock = calendar_.Absolute(t);
    return (which == 0 ? 120.0 : 240.0) + 0.15 * noise_.Smooth(kStreamAngle + which, clock, 3600) +
           0.05 * noise_.Normal(kStreamAngleSample + which, int64_t(clock));
}

int FeederModel::Telegrams(int channel, int64_t day, double* starts, int capacity) const {
    if (channel < 0 || channel >= 2) return 0;
    const int n = std::min(capacity, kTelegramCount[channel]);
    for (int i = 0; i < n; ++i)
        starts[i] = calendar_.DayStart(day) + kTelegramTimes[channel][i];
    return n;
}

double FeederModel::TelegramLevel(int channel, int phase, int64_t day, int index) const {
    const double level = 1.7 + 1.0 * noise_.Uniform(kStreamTelegram + channel, day * 8 + index);
    // Now and then a network resonance amplifies the signal for a day.
    const double resonance = noise_.Uniform(kStreamResonance + channel, day) < 0.025 ? 3.6 : 1.0;
    return level * resonance * kPhaseSignalling[phase];
}

double FeederModel::SignallingLevel(int channel, int phase, double t) const {
    const int64_t day = calendar_.Day(t);
    double starts[6];
    const int n = Telegrams(channel, day, starts, 6);
    for (int i = 0; i < n; ++i) {
        if (starts[i] <= t && t < starts[i] + kTelegramSeconds)
            return TelegramLevel(channel, phase, day, i);
    }
    return 0;
}

double FeederModel::InterharmonicMean(int channel, int phase, double from, double to,
                                      double load) const {
    if (channel < 0 || channel >= int(std::size(kChannels)) || to <= from) return 0;
    const double background = kChannels[channel].ripple ? 0.06 + 0.04 * load : 0.12 + 0.08 * load;
    double signal = 0;
    for (int64_t day = calendar_.Day(from); day <= calendar_.Day(to); ++day) {
        double starts[6];
        const int n = Telegrams(channel, day, starts, 6);
        for (int i = 0; i < n; ++i) {
            const double overlap =
                std::min(to, starts[i] + kTelegramSeconds) - std::max(from, starts[i]);
            if (overlap > 0) signal += overlap * TelegramLevel(channel, phase, day, i);
        }
    }
    return background * harmonicScale_ + signal / (to - from);
}

}  // namespace varelo::sim
