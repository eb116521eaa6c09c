#include "document/IntervalAggregation.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/Vamor800Doc.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementFileWriter.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

constexpr double kHarmonicOverflow = 32767;
// An overflowed or unmeasurable harmonic counts as this share of the fundamental current.
constexpr double kOverflowShare = 1.39;
constexpr double kAngleUnit = 0.0125;  // degree per raw unit
constexpr long kFullCircle = 28800;    // 360 degrees in raw units

struct Group {
    const CIntervalRecord* const* records;
    size_t count;
};

// Rounds as the files always did (add 0.5, truncate toward zero) and keeps the field's range,
// so an RMS of 32768 or of scaled harmonics above the fundamental cannot wrap negative.
int16_t Signed(double value) {
    return int16_t(std::clamp(std::trunc(value + 0.5), -32768.0, 32767.0));
}
uint16_t Unsigned(double value) {
    return uint16_t(std::clamp(std::trunc(value + 0.5), 0.0, 65535.0));
}

template <typename Get>
int16_t Max(const Group& g, Get get) {
    int16_t best = get(*g.records[0]);
    for (size_t i = 1; i < g.count; ++i)
        best = std::max<int16_t>(best, get(*g.records[i]));
    return best;
}

template <typename Get>
int16_t Min(const Group& g, Get get) {
    int16_t best = get(*g.records[0]);
    for (size_t i = 1; i < g.count; ++i)
        best = std::min<int16_t>(best, get(*g.records[i]));
    return best;
}

template <typename Get>
double MeanOf(const Group& g, Get get) {
    double sum = 0;
    for (size_t i = 0; i < g.count; ++i)
        sum += double(get(*g.records[i]));
    return sum / double(g.count);
}

template <typename Get>
double RmsOf(const Group& g, Get get) {
    return std::sqrt(MeanOf(g, [&get](const CIntervalRecord& r) {
        const double v = double(get(r));
        return v * v;
    }));
}

template <typename Get>
double CubicMeanOf(const Group& g, Get get) {
    return std::cbrt(MeanOf(g, [&get](const CIntervalRecord& r) {
        const double v = double(get(r));
        return v * v * v;
    }));
}

enum class Rule { Max, Min, Mean, Rms };

template <typename Get>
int16_t Combine(const Group& g, Rule rule, Get get) {
    switch (rule) {
        case Rule::Max: return Max(g, get);
        case Rule::Min: return Min(g, get);
        case Rule::Mean: return Signed(MeanOf(g, get));
        case Rule::Rms: return Signed(RmsOf(g, get));
    }
    return 0;
}

void Scalar(const Group& g, CIntervalRecord& out, Rule rule, int16_t CIntervalRecord::*field) {
    out.*field = Combine(g, rule, [field](const CIntervalRecord& r) { return r.*field; });
}

void PerPhase(const Group& g, CIntervalRecord& out, Rule rule, PhaseRaw CIntervalRecord::*field) {
    for (size_t p = 0; p < kPhaseCount; ++p)
        (out.*field)[p] =
            Combine(g, rule, [field, p](const CIntervalRecord& r) { return (r.*field)[p]; });
}

// Harmonic tables: RMS per phase (or conductor) and order.
template <typename Table>
void RmsTable(const Group& g, Table CIntervalRecord::*field, CIntervalRecord& out) {
    auto& table = out.*field;
    for (size_t p = 0; p < table.size(); ++p) {
        for (size_t h = 0; h < table[p].size(); ++h) {
            table[p][h] = Signed(
                RmsOf(g, [field, p, h](const CIntervalRecord& r) { return (r.*field)[p][h]; }));
        }
    }
}

// A current harmonic as the fundamental current scales it in its record: v = I1 x H / H1.
double ScaledHarmonic(const CIntervalRecord& r, int conductor, int16_t harmonic) {
    const double i1 = r.CurrIh1Avg(conductor);
    const int16_t h1 = r.CurrHarm(conductor, 1);
    if (h1 == 0 || harmonic == kHarmonicOverflow) return i1 * kOverflowShare;
    return i1 * (double(harmonic) / double(h1));
}

void CurrentHarmonics(const Group& g, CIntervalRecord& out) {
    for (int k = 0; k < kConductorCount; ++k) {
        for (int h = 1; h <= kHarmonicOrders; ++h) {
            out.SetCurrHarm(k, h, Signed(RmsOf(g, [k, h](const CIntervalRecord& r) {
                                return ScaledHarmonic(r, k, r.CurrHarm(k, h));
                            })));
        }
        for (int c = 0; c < kInterharmonicChannels; ++c) {
            out.SetCurrInterharm(k, c, Signed(RmsOf(g, [k, c](const CIntervalRecord& r) {
                                     return ScaledHarmonic(r, k, r.CurrInterharm(k, c));
                                 })));
        }
    }
}

// The phase angle of L2 or L3 against L1 as the mean of the voltage phasors, turned to the
// first record's angle so that 359 and 1 degree average to 0, not 180.
int16_t PhasorMeanAngle(const Group& g, int phase, int16_t CIntervalRecord::*angle,
                        double voltScale) {
    constexpr double kRadian = 3.14159265358979323846 / 180.0;
    const CIntervalRecord& first = *g.records[0];
    const double a1 = (first.*angle) * kAngleUnit;
    double x = first.VoltAvgPhaseLxRawVal[size_t(phase)] * voltScale;
    double y = 0;
    for (size_t i = 1; i < g.count; ++i) {
        const CIntervalRecord& r = *g.records[i];
        const double m = r.VoltAvgPhaseLxRawVal[size_t(phase)] * voltScale;
        const double d = ((r.*angle) * kAngleUnit - a1) * kRadian;
        x += m * std::cos(d);
        y += m * std::sin(d);
    }
    long d = long(std::trunc((a1 + std::atan2(y, x) / kRadian) / kAngleUnit + 0.5));
    if (d < 0) d += kFullCircle;
    return int16_t(d % kFullCircle);
}

// The record whose key field is highest (or lowest) per phase gives the key and its partner;
// on equal values the earlier record.
void HalfPeriodPair(const Group& g, CIntervalRecord& out, bool highest,
                    PhaseRawU CIntervalRecord::*key, PhaseRawU CIntervalRecord::*partner) {
    for (size_t p = 0; p < kPhaseCount; ++p) {
        const CIntervalRecord* best = g.records[0];
        for (size_t i = 1; i < g.count; ++i) {
            const uint16_t v = (g.records[i]->*key)[p];
            if (highest ? v > (best->*key)[p] : v < (best->*key)[p]) best = g.records[i];
        }
        (out.*key)[p] = (best->*key)[p];
        (out.*partner)[p] = (best->*partner)[p];
    }
}

}  // namespace

CIntervalRecord AggregateRecords(const CIntervalRecord* const records[], size_t count,
                                 const CRawScaling& scaling) {
    CIntervalRecord out;
    if (count == 0) return out;
    const Group g{records, count};
    using R = CIntervalRecord;
    for (size_t i = 0; i < count; ++i)
        out.Status = int16_t(out.Status | records[i]->Status);
    out.DateTime = records[count - 1]->DateTime;
    Scalar(g, out, Rule::Mean, &R::Freq10min);
    if (!scaling.IsPhaseToPhase) {
        out.UnbalAngleL1L2 = PhasorMeanAngle(g, 1, &R::UnbalAngleL1L2, scaling.VoltScale);
        out.UnbalAngleL1L3 = PhasorMeanAngle(g, 2, &R::UnbalAngleL1L3, scaling.VoltScale);
    }

    for (auto field :
         {&R::VoltMaxPhaseLxRawVal, &R::VoltTHDMaxPhaseLxRawVal, &R::CurrMaxPhaseLxRawVal,
          &R::CurrTHDMaxPhaseLxRawVal, &R::AppPowMaxPhaseLxRawVal, &R::RealPowMaxPhaseLxRawVal,
          &R::RealPowMaxAbsPhaseLxRawVal, &R::ReactPowMaxPhaseLxRawVal,
          &R::DistPowMaxPhaseLxRawVal})
        PerPhase(g, out, Rule::Max, field);
    for (auto field :
         {&R::VoltMinPhaseLxRawVal, &R::AppPowMinPhaseLxRawVal, &R::RealPowMinPhaseLxRawVal,
          &R::RealPowMinAbsPhaseLxRawVal, &R::ReactPowMinPhaseLxRawVal})
        PerPhase(g, out, Rule::Min, field);
    for (auto field :
         {&R::VoltAvgPhaseLxRawVal, &R::VoltUh1AvgPhaseLxRawVal, &R::CurrAvgPhaseLxRawVal,
          &R::CurrPeakPhaseLxRawVal, &R::CurrIh1AvgPhaseLxRawVal})
        PerPhase(g, out, Rule::Rms, field);
    for (auto field :
         {&R::AppPowAvgPhaseLxRawVal, &R::RealPowAvgPhaseLxRawVal, &R::RealPowAvgAbsPhaseLxRawVal,
          &R::ReactPowAvgPhaseLxRawVal, &R::RealPowPh1AvgPhaseLxRawVal,
          &R::ReactPowPh1AvgPhaseLxRawVal, &R::DistPowAvgPhaseLxRawVal})
        PerPhase(g, out, Rule::Mean, field);

    for (auto field : {&R::NeutralCurrMaxRawVal, &R::NeutralCurrTHDMaxRawVal,
                       &R::AppPowMaxTotRawVal, &R::RealPowMaxTotRawVal, &R::RealPowMaxAbsTotRawVal,
                       &R::ReactPowMaxTotRawVal, &R::DistPowMaxTotRawVal})
        Scalar(g, out, Rule::Max, field);
    for (auto field : {&R::AppPowMinTotRawVal, &R::RealPowMinTotRawVal, &R::RealPowMinAbsTotRawVal,
                       &R::ReactPowMinTotRawVal})
        Scalar(g, out, Rule::Min, field);
    for (auto field :
         {&R::NeutralCurrAvgRawVal, &R::NeutralCurrPeakRawVal, &R::NeutralCurrIh1AvgRawVal})
        Scalar(g, out, Rule::Rms, field);
    Scalar(g, out, Rule::Mean, &R::RealPowAvgAbsTotRawVal);

    for (size_t p = 0; p < kPhaseCount; ++p) {
        out.FlickPstPhaseLxRawVal[p] = Signed(
            CubicMeanOf(g, [p](const CIntervalRecord& r) { return r.FlickPstPhaseLxRawVal[p]; }));
        out.VoltUDeltaRmsPhaseLxRawVal[p] = Unsigned(
            RmsOf(g, [p](const CIntervalRecord& r) { return r.VoltUDeltaRmsPhaseLxRawVal[p]; }));
    }
    RmsTable(g, &R::VoltHarmPhaseLxRawVal, out);
    RmsTable(g, &R::VoltZHarmPhaseLxRawVal, out);
    CurrentHarmonics(g, out);

    HalfPeriodPair(g, out, true, &R::VoltHalfpMaxPhaseLxRaw, &R::CurrHalfpToVoltMaxPhaseLxRaw);
    HalfPeriodPair(g, out, false, &R::VoltHalfpMinPhaseLxRaw, &R::CurrHalfpToVoltMinPhaseLxRaw);
    HalfPeriodPair(g, out, true, &R::CurrHalfpMaxPhaseLxRaw, &R::VoltHalfpToCurrMaxPhaseLxRaw);
    return out;
}

namespace {

// Seconds on a continuous scale, so that a day or a month ending between two records still
// shows as their distance. Local time is asked once per hour: its offset changes only there.
class AbsoluteTime {
public:
    double Of(const CTimeStamp& t) {
        const double fraction = t.millisecond / 1000.0;
        const double inDay = t.hour * 3600 + t.minute * 60 + t.second;
        if (t.year == 0 || t.month == 0 || t.day == 0) return inDay + fraction;
        const CTimeStamp hour(t.year, t.month, t.day, t.hour, 0, 0);
        if (!valid_ || !(hour == hour_)) {
            hour_ = hour;
            const std::time_t calendar = hour.ToCalendarTime();
            valid_ = calendar != std::time_t(-1);
            hourStart_ = double(calendar);
            if (!valid_) return inDay + fraction;
        }
        return hourStart_ + t.minute * 60 + t.second + fraction;
    }

private:
    CTimeStamp hour_;
    double hourStart_ = 0;
    bool valid_ = false;
};

}  // namespace

size_t AggregateIntervals(const CIntervalList& intervals, int intervalSeconds, int targetSeconds,
                          const AggregateSink& sink) {
    if (intervalSeconds <= 0 || targetSeconds <= 0 || targetSeconds % intervalSeconds != 0)
        return 0;
    const size_t capacity = size_t(targetSeconds / intervalSeconds);
    std::vector<const CIntervalRecord*> group;
    group.reserve(capacity);
    AbsoluteTime clock;
    size_t count = 0;
    bool first = true;
    int previousSecond = 0, previousSlot = 0;
    double previousTime = 0;
    for (const CIntervalRecord& record : intervals) {
        const int second = record.DateTime.SecondsOfDay();
        const int slot = (second - 1) / targetSeconds;
        const double time = clock.Of(record.DateTime);
        if (!first && (time - previousTime > targetSeconds || slot != previousSlot ||
                       (!group.empty() && second - previousSecond > intervalSeconds) ||
                       group.size() >= capacity))
            group.clear();
        group.push_back(&record);
        if (second % targetSeconds == 0) {
            if (sink) {
                const bool taken =
                    group.size() == 1
                        ? sink(record, int(count))
                        : sink(AggregateRecords(group.data(), group.size(), intervals.Scaling()),
                               int(count));
                if (!taken) return 0;
            }
            group.clear();
            ++count;
        }
        first = false;
        previousSecond = second;
        previousSlot = slot;
        previousTime = time;
    }
    return count;
}

size_t AggregateIntervals(const CIntervalList& intervals, int intervalSeconds, int targetSeconds,
                          CMeasurementFileWriter* writer) {
    if (!writer)
        return AggregateIntervals(intervals, intervalSeconds, targetSeconds, AggregateSink());
    return AggregateIntervals(intervals, intervalSeconds, targetSeconds,
                              [writer](const CIntervalRecord& record, int number) {
                                  writer->WriteInterval(record, number);
                                  return !writer->WriteFailed();
                              });
}

size_t AggregateIntervals(const CVamor800Doc& doc, int targetSeconds,
                          CMeasurementFileWriter* writer) {
    return AggregateIntervals(doc.Data().intervals, doc.GetIntervalLength(), targetSeconds, writer);
}

}  // namespace varelo
