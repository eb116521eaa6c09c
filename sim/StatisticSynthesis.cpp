#include "sim/StatisticSynthesis.h"

#include <algorithm>
#include <cmath>

#include "measurement/IntervalRecord.h"
#include "sim/NoiseStreams.h"

namespace varelo::sim {

namespace {

constexpr int64_t kHour = 3600;
constexpr int64_t kFrequencySlot = 10;
constexpr int64_t kSignallingSlot = 3;

// Class limits of the 50 Hz frequency classes in 0.01 Hz; those of 60 Hz are 1000 higher. A
// class holds the values from the limit before it up to its own limit: below the nominal
// frequency the limit nearest to it, above it the farthest.
constexpr int kFrequencyLimits50[kFrequencyClasses] = {
    4100, 4200, 4300, 4400, 4500, 4600, 4700, 4800, 4820, 4840, 4860, 4880, 4900, 4920,
    4940, 4950, 4960, 4970, 4980, 4990, 5000, 5010, 5020, 5030, 5040, 5050, 5060, 5080,
    5100, 5120, 5140, 5160, 5180, 5200, 5300, 5400, 5500, 5600, 5700, 5800, 5900, 6000,
};

// Upper edges of the signalling classes in %; the first class begins at 1 %.
constexpr double kSignallingEdges[kSignallingClasses] = {
    2, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7, 7.5, 8, 8.5, 9, 9.5, 10, 10.5, 11, 11.5, 100,
};

int64_t CeilDiv(int64_t a, int64_t b) {
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

}  // namespace

StatisticSynthesis::StatisticSynthesis(const FeederModel& model,
                                       const DisturbanceSchedule& schedule,
                                       const IntervalSynthesis& intervals, int64_t durationSeconds,
                                       int interharmonicChannels, int nominalFrequency)
    : model_(model),
      schedule_(schedule),
      intervals_(intervals),
      duration_(durationSeconds),
      channels_(interharmonicChannels),
      nominalFrequency_(nominalFrequency) {
    const int64_t intoHour = int64_t(model.Calendar().Absolute(0)) % kHour;
    firstBoundary_ = kHour - intoHour;
    count_ =
        duration_ <= firstBoundary_ ? 1 : size_t(1 + CeilDiv(duration_ - firstBoundary_, kHour));
}

int64_t StatisticSynthesis::SegmentStart(size_t n) const {
    return n == 0 ? 0 : firstBoundary_ + int64_t(n - 1) * kHour;
}

int64_t StatisticSynthesis::SegmentEnd(size_t n) const {
    return std::min(duration_, firstBoundary_ + int64_t(n) * kHour);
}

int StatisticSynthesis::FrequencyClass(int32_t milliHz, int nominalFrequency) {
    const int offset = nominalFrequency == 60 ? 1000 : 0;
    for (int i = 0; i < kFrequencyClasses; ++i) {
        if (milliHz < (kFrequencyLimits50[i] + offset) * 10) return i;
    }
    return kFrequencyClasses - 1;
}

int StatisticSynthesis::SignallingClass(double percent) {
    if (percent < 1) return -1;
    for (int c = 0; c < kSignallingClasses; ++c) {
        if (percent < kSignallingEdges[c]) return c;
    }
    return kSignallingClasses - 1;
}

CStatisticSegment StatisticSynthesis::Segment(size_t n) const {
    CStatisticSegment s;
    const int64_t from = SegmentStart(n);
    const int64_t to = SegmentEnd(n);
    s.DateTime = model_.Calendar().At(to);
    uint16_t status = 0;
    for (const Disturbance& e : schedule_.Overlapping(from * 1000, to * 1000)) {
        if (e.IsInterruption()) status |= kStatusLineInterruption;
    }
    for (int64_t slot = CeilDiv(from, kFrequencySlot); slot * kFrequencySlot < to; ++slot) {
        if (!intervals_.FrequencySlotMeasured(slot)) {
            status |= kStatusSyncError;
            continue;
        }
        ++s.Freq10sec[size_t(FrequencyClass(model_.FrequencyMilliHz(slot), nominalFrequency_))];
    }
    s.NrSignalVoltInterval =
        uint32_t(CeilDiv(to, kSignallingSlot) - CeilDiv(from, kSignallingSlot));
    CountSignalling(from, to, s);
    s.Status = int16_t(status);
    return s;
}

void StatisticSynthesis::CountSignalling(int64_t from, int64_t to, CStatisticSegment& s) const {
    const NoiseSource& noise = model_.Noise();
    const std::span<const InterharmonicChannel> table = InterharmonicChannels();
    for (int j = 0; j < std::min(channels_, int(table.size())); ++j) {
        if (!table[size_t(j)].ripple) continue;
        const MeasurementCalendar& calendar = model_.Calendar();
        for (int64_t day = calendar.Day(double(from)); day <= calendar.Day(double(to)); ++day) {
            double starts[8];
            const int telegrams = model_.Telegrams(j, day, starts, 8);
            for (int i = 0; i < telegrams; ++i) {
                const int64_t begin = std::max(from, int64_t(std::ceil(starts[i])));
                const int64_t end =
                    std::min(to, int64_t(std::ceil(starts[i] + FeederModel::kTelegramSeconds)));
                for (int64_t slot = CeilDiv(begin, kSignallingSlot); slot * kSignallingSlot < end;
                     ++slot) {
                    const double t = double(slot * kSignallingSlot);
                    for (int p = 0; p < kPhaseCount; ++p) {
                        const double level =
                            model_.SignallingLevel(j, p, t) *
                            (1 +
                             0.04 * noise.Normal(kStreamSignalValue + uint32_t(4 * j + p), slot));
                        const int c = SignallingClass(level);
                        if (c >= 0) ++s.SignalVal[size_t(p)][size_t(j)][size_t(c)];
                    }
                }
            }
        }
    }
}

}  // namespace varelo::sim
