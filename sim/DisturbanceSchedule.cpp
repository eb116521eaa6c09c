#include "sim/DisturbanceSchedule.h"

#include <algorithm>
#include <cmath>

#include "sim/NoiseStreams.h"

namespace varelo::sim {

namespace {

constexpr double kDaysPerYear = 365.25;
constexpr int64_t kEdgeMs = 2000;  // keeps events clear of the measurement's start and stop
constexpr int64_t kClearanceMs = 5000;
constexpr int kPlacementAttempts = 50;

// Events and episodes per year of a busy urban feeder.
struct KindRate {
    double perYear;
    int atLeast;  // in a measurement of a day or more
};
constexpr KindRate kDisturbanceRates[] = {
    {100, 1},  // dips
    {10, 1},   // swells
    {8, 1},    // short interruptions
    {3, 1},    // long interruptions
};
constexpr KindRate kEpisodeRates[] = {
    {40, 1},  // flicker bursts
    {20, 0},  // undervoltage episodes
    {12, 0},  // frequency excursions
};

double LogUniform(double u, double low, double high) {
    return low * std::pow(high / low, u);
}

int64_t ToHundredths(double seconds) {
    return std::max<int64_t>(10, int64_t(std::llround(seconds * 100)) * 10);
}

// Parameters of the i-th event or episode: parameter k of stream s.
struct Draw {
    const NoiseSource& noise;
    uint32_t stream;
    int64_t item;
    double operator()(int k) const { return noise.Uniform(stream, item * 64 + k); }
};

}  // namespace

DisturbanceSchedule::DisturbanceSchedule(const GeneratorSettings& settings,
                                         const NoiseSource& noise,
                                         const MeasurementCalendar& calendar)
    : settings_(settings),
      noise_(noise),
      calendar_(calendar),
      durationMs_(settings.DurationSeconds() * 1000) {
    const double days = double(settings.DurationSeconds()) / 86400;
    const auto count = [&](const KindRate& rate, uint32_t stream) {
        const int n =
            int(std::floor(rate.perYear * days / kDaysPerYear + noise_.Uniform(stream, -1)));
        return days >= 1 ? std::max(n, rate.atLeast) : n;
    };
    // Rare long events first, so that they find room.
    for (int k = 3; k >= 0; --k) {
        const auto kind = DisturbanceKind(k);
        PlaceDisturbances(kind, count(kDisturbanceRates[k], kStreamDisturbance + k),
                          kStreamDisturbance + k);
    }
    // Now and then the measurement stops during a dip, which the Logger reports unfinished.
    if (days >= 1 && noise_.Uniform(kStreamOpenEvent, 0) < 0.3) {
        const Draw d{noise_, kStreamOpenEvent, 1};
        Disturbance open;
        open.startMs = durationMs_ - ToHundredths(20 + 30 * d(0));
        open.endMs = durationMs_;
        open.phases = uint8_t(1 << int(d(1) * 3));
        open.extreme.fill(0.80 + 0.08 * d(2));
        open.open = true;
        if (IsFree(open.startMs, open.endMs)) disturbances_.push_back(open);
    }
    std::ranges::sort(disturbances_, {}, &Disturbance::startMs);
    for (int k = 0; k < 3; ++k)
        PlaceEpisodes(EpisodeKind(k), count(kEpisodeRates[k], kStreamEpisode + k),
                      kStreamEpisode + k);
}

void DisturbanceSchedule::PlaceDisturbances(DisturbanceKind kind, int count, uint32_t stream) {
    const double upperThreshold = settings_.NominalFrequency() == 60 ? 1.05 : 1.10;
    for (int i = 0; i < count; ++i) {
        const Draw d{noise_, stream, i};
        Disturbance e;
        e.kind = kind;
        double seconds = 0;
        double depth = 0;
        int phaseCount = 3;
        switch (kind) {
            case DisturbanceKind::Dip:
                seconds = d(0) < 0.9 ? LogUniform(d(1), 0.04, 1.5) : LogUniform(d(1), 1.5, 20);
                depth = d(2) < 0.7   ? 0.105 + 0.095 * d(3)
                        : d(2) < 0.9 ? 0.2 + 0.2 * d(3)
                                     : 0.4 + 0.45 * d(3);
                phaseCount = d(4) < 0.6 ? 1 : d(4) < 0.85 ? 2 : 3;
                break;
            case DisturbanceKind::Swell:
                seconds = LogUniform(d(1), 0.1, 4);
                depth = -(upperThreshold - 1 + 0.01 + 0.06 * d(3));
                phaseCount = d(4) < 0.7 ? 1 : 2;
                break;
            case DisturbanceKind::ShortInterruption:
                // Mostly the dead time of an automatic reclosure.
                seconds = d(0) < 0.7 ? LogUniform(d(1), 1, 3) : LogUniform(d(1), 5, 170);
                depth = 1 - 0.006 * d(3);
                phaseCount = d(4) < 0.85 ? 3 : 1;
                break;
            case DisturbanceKind::LongInterruption:
                seconds =
                    std::min(LogUniform(d(1), 200, 7200), double(settings_.DurationSeconds()) / 4);
                depth = 1 - 0.004 * d(3);
                break;
        }
        const int64_t lengthMs = ToHundredths(seconds);
        // A long interruption shortened below three minutes would change its kind.
        if (kind == DisturbanceKind::LongInterruption && lengthMs < 180000) continue;
        const int64_t room = durationMs_ - 2 * kEdgeMs - lengthMs;
        if (room <= 0) continue;
        const int first = int(d(5) * 3);
        for (int p = 0; p < phaseCount; ++p)
            e.phases |= uint8_t(1 << ((first + p) % 3));
        for (int p = 0; p < 3; ++p) {
            if (!e.Affects(p)) continue;
            // Phases of one fault see somewhat different depths, each still past the threshold
            // that made the Logger record it.
            const double spread = p == first || e.IsInterruption() ? 1 : 0.85 + 0.15 * d(6 + p);
            double extreme = 1 - depth * spread;
            if (kind == DisturbanceKind::Dip) extreme = std::min(extreme, 0.895);
            if (kind == DisturbanceKind::Swell) extreme = std::max(extreme, upperThreshold + 0.005);
            e.extreme[size_t(p)] = extreme;
        }
        for (int attempt = 0; attempt < kPlacementAttempts; ++attempt) {
            const double u = noise_.Uniform(stream, i * 64 + 16 + attempt);
            e.startMs = kEdgeMs + int64_t(u * double(room)) / 10 * 10;
            e.endMs = e.startMs + lengthMs;
            if (IsFree(e.startMs, e.endMs)) {
                disturbances_.push_back(e);
                break;
            }
        }
    }
}

bool DisturbanceSchedule::IsFree(int64_t startMs, int64_t endMs) const {
    return std::ranges::none_of(disturbances_, [&](const Disturbance& e) {
        return startMs < e.endMs + kClearanceMs && e.startMs < endMs + kClearanceMs;
    });
}

void DisturbanceSchedule::PlaceEpisodes(EpisodeKind kind, int count, uint32_t stream) {
    const double duration = double(settings_.DurationSeconds());
    const int64_t firstDay = calendar_.Day(0);
    const int64_t days = calendar_.Day(duration) - firstDay + 1;
    for (int i = 0; i < count; ++i) {
        const Draw d{noise_, stream, i};
        int64_t day = firstDay + std::min(days - 1, int64_t(d(0) * double(days)));
        Episode e;
        e.kind = kind;
        double from = 0;
        double length = 0;
        switch (kind) {
            case EpisodeKind::FlickerBurst:
                // Machines run on working days.
                while (calendar_.IsWeekend(calendar_.DayStart(day)) && day > firstDay)
                    --day;
                from = 8 * 3600 + d(1) * 6 * 3600;
                length = LogUniform(d(2), 1200, 10800);
                e.level = 1.0 + 1.6 * d(3);
                break;
            case EpisodeKind::LowVoltage:
                from = 17 * 3600 + d(1) * 3 * 3600;  // when the network is loaded most
                length = 2400 + 4800 * d(2);
                e.level = 0.05 + 0.05 * d(3);
                break;
            case EpisodeKind::FrequencyExcursion:
                from = d(1) * 86400;
                length = 300 + 600 * d(2);
                e.level = d(3) < 0.75 ? -(0.12 + 0.33 * d(4)) : 0.10 + 0.15 * d(4);
                break;
        }
        e.start = std::clamp(calendar_.DayStart(day) + from, 0.0, duration);
        e.end = std::min(e.start + length, duration);
        if (e.end > e.start) {
            episodes_[size_t(kind)].push_back(e);
            longestEpisode_[size_t(kind)] =
                std::max(longestEpisode_[size_t(kind)], e.end - e.start);
        }
    }
    std::ranges::sort(episodes_[size_t(kind)], {}, &Episode::start);
}

std::span<const Disturbance> DisturbanceSchedule::Overlapping(int64_t fromMs, int64_t toMs) const {
    // Disturbances do not overlap, so their ends are ordered as their starts.
    const auto first = std::ranges::upper_bound(disturbances_, fromMs, {}, &Disturbance::endMs);
    auto last = first;
    while (last != disturbances_.end() && last->startMs < toMs)
        ++last;
    return {first, last};
}

const Episode* DisturbanceSchedule::EpisodeAt(EpisodeKind kind, double t) const {
    const std::vector<Episode>& list = episodes_[size_t(kind)];
    auto it =
        std::ranges::lower_bound(list, t - longestEpisode_[size_t(kind)], {}, &Episode::start);
    for (; it != list.end() && it->start <= t; ++it) {
        if (t < it->end) return &*it;
    }
    return nullptr;
}

double DisturbanceSchedule::FlickerBurst(double t) const {
    const Episode* e = EpisodeAt(EpisodeKind::FlickerBurst, t);
    return e ? e->level : 0;
}

double DisturbanceSchedule::LowVoltageDrop(double t) const {
    const Episode* e = EpisodeAt(EpisodeKind::LowVoltage, t);
    if (!e) return 0;
    // Ramps in and out over a tenth of its length each.
    const double ramp = (e->end - e->start) * 0.1;
    return e->level * std::min({1.0, (t - e->start) / ramp, (e->end - t) / ramp});
}

double DisturbanceSchedule::FrequencyExcursion(double t) const {
    const Episode* e = EpisodeAt(EpisodeKind::FrequencyExcursion, t);
    if (!e) return 0;
    // A fast fall, then the slower recovery of the primary control.
    const double x = (t - e->start) / (e->end - e->start);
    return e->level * (x < 0.05 ? x / 0.05 : std::exp(-3 * (x - 0.05) / 0.95));
}

}  // namespace varelo::sim
