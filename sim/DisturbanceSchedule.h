#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/GeneratorSettings.h"
#include "sim/MeasurementCalendar.h"
#include "sim/NoiseSource.h"

namespace varelo::sim {

enum class DisturbanceKind : uint8_t { Dip, Swell, ShortInterruption, LongInterruption };

// One voltage event as the Logger sees it on each phase it touches: the Logger records one
// event per phase. Times are milliseconds since the measurement's start, in the hundredths of
// a second the Logger's event times carry.
struct Disturbance {
    DisturbanceKind kind = DisturbanceKind::Dip;
    int64_t startMs = 0;
    int64_t endMs = 0;
    uint8_t phases = 0;  // bit p for phase p (0 = L1)
    // Extreme RMS voltage per phase, per unit of nominal: lowest for dips and interruptions,
    // highest for swells.
    std::array<double, 3> extreme{1, 1, 1};
    bool open = false;  // still running when the measurement stopped

    bool Affects(int phase) const { return (phases >> phase) & 1; }
    bool IsInterruption() const {
        return kind == DisturbanceKind::ShortInterruption ||
               kind == DisturbanceKind::LongInterruption;
    }
    double Seconds() const { return double(endMs - startMs) / 1000; }
};

// Conditions that last minutes to hours: a flicker source at work, an undervoltage while the
// upstream network is weak, a frequency dip after a generator trip.
enum class EpisodeKind : uint8_t { FlickerBurst, LowVoltage, FrequencyExcursion };

struct Episode {
    EpisodeKind kind = EpisodeKind::FlickerBurst;
    double start = 0;  // seconds since the measurement's start
    double end = 0;
    double level = 0;  // Pst, per-unit voltage drop, or frequency deviation in Hz
};

// Everything unusual that happens during a measurement, fixed once from the seed: how many of
// each kind follows realistic yearly rates scaled to the measurement's length, and every
// measurement of a day or more sees at least one dip, swell, short and long interruption, so
// that each classification of the evaluation has something to classify. Disturbances never
// overlap one another and keep clear of the measurement's ends, except an open one, which
// runs into the stop.
class DisturbanceSchedule {
public:
    DisturbanceSchedule(const GeneratorSettings& settings, const NoiseSource& noise,
                        const MeasurementCalendar& calendar);

    // Ordered by start.
    std::span<const Disturbance> Disturbances() const { return disturbances_; }
    // Those overlapping [fromMs, toMs).
    std::span<const Disturbance> Overlapping(int64_t fromMs, int64_t toMs) const;

    // Pst of a flicker source at work at t; 0 when none is.
    double FlickerBurst(double t) const;
    // Extra voltage drop at t, per unit of nominal.
    double LowVoltageDrop(double t) const;
    // Frequency deviation of an excursion at t, in Hz.
    double FrequencyExcursion(double t) const;

private:
    void PlaceDisturbances(DisturbanceKind kind, int count, uint32_t stream);
    void PlaceEpisodes(EpisodeKind kind, int count, uint32_t stream);
    bool IsFree(int64_t startMs, int64_t endMs) const;
    const Episode* EpisodeAt(EpisodeKind kind, double t) const;

    GeneratorSettings settings_;
    NoiseSource noise_;
    MeasurementCalendar calendar_;
    int64_t durationMs_;
    std::vector<Disturbance> disturbances_;
    // Per kind, ordered by start, with the longest of each kind.
    std::array<std::vector<Episode>, 3> episodes_;
    std::array<double, 3> longestEpisode_{};
};

}  // namespace varelo::sim
