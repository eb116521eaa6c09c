#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "sim/DisturbanceSchedule.h"
#include "sim/GeneratorSettings.h"
#include "sim/MeasurementCalendar.h"
#include "sim/NoiseSource.h"

namespace varelo::sim {

// An interharmonic channel of the generated jobs. Ripple-control channels carry the
// telegrams of the local utility, which the statistic segments count as signalling voltages.
struct InterharmonicChannel {
    int16_t order50;  // HarmOrder (hundredths of the harmonic order) at 50 Hz
    int16_t order60;  // the same frequency at 60 Hz
    bool ripple;
    const char* text;
};
// The channels of a function A job, in job order.
std::span<const InterharmonicChannel> InterharmonicChannels();

struct HarmonicTable;

// The measured low-voltage feeder without its events: a mixed commercial and residential load
// with a daily, weekly and seasonal profile; voltage that drops a little under load; harmonics
// that grow with the load; flicker, frequency and ripple-control telegrams. Times are seconds
// since the measurement's start; noise belongs to the clock time. Everything is a function of
// time, so any moment can be asked for in any order.
class FeederModel {
public:
    // Phase current at a load of 1, A.
    static constexpr double kDesignCurrent = 400;

    FeederModel(const GeneratorSettings& settings, const NoiseSource& noise,
                const MeasurementCalendar& calendar, const DisturbanceSchedule& schedule);

    // Load of a phase relative to the feeder's design load; about 0.3 at night, 1 at a
    // weekday's evening peak, more in winter.
    double Load(int phase, double t) const;
    // Undisturbed RMS voltage, per unit of nominal.
    double Voltage(int phase, double t, double load) const;
    // Relative spread of maxima and minima within an interval of this length.
    double IntervalSpread(int32_t intervalSeconds) const;
    // The 10-second frequency value of slot `slot` (slot k covers [10k, 10k + 10) seconds), in
    // millihertz.
    int32_t FrequencyMilliHz(int64_t slot) const;
    // Short-term flicker of an undisturbed interval centred at t.
    double Pst(int phase, double t, double load) const;
    // Voltage and current harmonics of orders 2 to 50 in % of the RMS value, at the index of
    // their order.
    using Spectrum = std::array<double, 51>;
    void VoltageHarmonics(int phase, double t, double load, Spectrum& levels) const;
    void CurrentHarmonics(int phase, double t, double load, Spectrum& levels) const;
    // Displacement factor cos phi of the fundamental, inductive.
    double DisplacementFactor(int phase, double t, double load) const;
    // Angles of L2 and L3 against L1 in degrees.
    double PhaseAngle(int which, double t) const;
    // Signalling voltage of a ripple channel at t in % of nominal; 0 between telegrams.
    double SignallingLevel(int channel, int phase, double t) const;
    // Mean level of an interharmonic channel over [from, to) in % of nominal.
    double InterharmonicMean(int channel, int phase, double from, double to, double load) const;
    // Starts of the telegrams of a ripple channel on absolute day `day`, in seconds since the
    // measurement's start; returns how many were written, at most `capacity`.
    int Telegrams(int channel, int64_t day, double* starts, int capacity) const;
    static constexpr double kTelegramSeconds = 96;

    const MeasurementCalendar& Calendar() const { return calendar_; }
    const NoiseSource& Noise() const { return noise_; }

private:
    // Levels from a shape table, drifting together per phase and varying order by order.
    void Harmonics(const HarmonicTable& table, uint32_t slowStream, uint32_t sampleStream,
                   int phase, double t, double load, Spectrum& levels) const;
    double TelegramLevel(int channel, int phase, int64_t day, int index) const;
    double DailyProfile(double t) const;

    GeneratorSettings settings_;
    NoiseSource noise_;
    MeasurementCalendar calendar_;
    const DisturbanceSchedule& schedule_;
    double harmonicScale_;
};

}  // namespace varelo::sim
