#include "evaluation/HarmonicStatistics.h"

#include "evaluation/EvaluationMath.h"
#include "evaluation/LimitValues.h"
#include "measurement/IntervalRecord.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"

namespace varelo {

CHarmonicStatistics::CHarmonicStatistics(Kind kind, PhasePresence presence)
    : kind_(kind), presence_(presence) {
    if (kind_ == Kind::kVoltage)
        channels_.assign(kChannels, CRelativeHistogram(HistogramRule::kHarmonic));
}

int CHarmonicStatistics::Value(const CIntervalRecord& r, int phase, int order) const {
    if (kind_ == Kind::kVoltage) return r.VoltHarmPhaseLxRawVal[size_t(phase)][size_t(order - 1)];
    if (r.CurrIh1AvgPhaseLxRawVal[size_t(phase)] == 0) return 0;
    return r.CurrHarmPhaseLxRawVal[size_t(phase)][size_t(order - 1)];
}

void CHarmonicStatistics::AddTop(const CIntervalRecord& r) {
    for (int p = 0; p < 3; ++p) {
        if (!presence_.Has(p)) continue;
        for (int n = 1; n <= kOrders; ++n)
            orders_[size_t(n - 1)].AddTop(p, Value(r, p, n), r.DateTime);
        for (size_t j = 0; j < channels_.size(); ++j)
            channels_[j].AddTop(p, r.VoltZHarmPhaseLxRawVal[size_t(p)][j], r.DateTime);
    }
}

void CHarmonicStatistics::AddClass(const CIntervalRecord& r) {
    for (int p = 0; p < 3; ++p) {
        if (!presence_.Has(p)) continue;
        for (int n = 1; n <= kOrders; ++n)
            orders_[size_t(n - 1)].AddClass(p, Value(r, p, n));
        for (size_t j = 0; j < channels_.size(); ++j)
            channels_[j].AddClass(p, r.VoltZHarmPhaseLxRawVal[size_t(p)][j]);
    }
}

void CHarmonicStatistics::SetLimits(const CLimitValues& limits, const CMeasurementJob& job,
                                    const CRawScaling& scaling) {
    if (kind_ == Kind::kVoltage) {
        const double scale = scaling.HarmPercentScale;
        const auto raw = [&](double percent) { return scale > 0 ? percent / scale : 0.0; };
        const int lastOrder = job.MeasFunc == kMeasFuncA ? 50 : 40;
        for (int n = 1; n <= kOrders; ++n) {
            const bool evaluated = n >= 2 && n <= lastOrder;
            orders_[size_t(n - 1)].SetLimit(evaluated ? raw(limits.HarmonicLimit(n)) : 0.0);
        }
        for (size_t j = 0; j < channels_.size(); ++j)
            channels_[j].SetLimit(raw(limits.InterharmonicLimit(ChannelFrequency(job, int(j)))));
    } else {
        const double scale = scaling.CurrH1Scale;
        for (int n = 1; n <= kOrders; ++n) {
            const double limit = limits.CurrentHarmonicLimit(n);
            orders_[size_t(n - 1)].SetLimit(scale > 0 ? limit / scale : 0.0);
        }
    }
}

WorstOrderResult CHarmonicStatistics::WorstOrder(int phase, double x) const {
    WorstOrderResult worst;
    if (!presence_.Has(phase)) return worst;
    for (int n = 2; n <= kOrders; ++n) {
        const CRelativeHistogram& h = orders_[size_t(n - 1)];
        if (!(h.Limit() > 0)) continue;
        const double value = h.PercentValue(phase, x);
        const double ratio = value / h.Limit();
        const double maximum = h.Maximum(phase);
        // Orders rise, so an equal ratio and maximum keeps the lower order found first.
        if (worst.order < 0 || ratio > worst.ratio ||
            (ratio == worst.ratio && maximum > worst.maximum))
            worst = {n, ratio, value, maximum, h.Limit()};
    }
    return worst;
}

std::vector<TopFiveEntry> MergedTopFive(const CRelativeHistogram& histogram,
                                        PhasePresence presence) {
    CTopFive<> merged;
    for (int p = 0; p < 3; ++p) {
        if (!presence.Has(p)) continue;
        for (const TopFiveEntry& e : histogram.TopFive(p))
            merged.Insert(e);
    }
    return std::vector<TopFiveEntry>(merged.begin(), merged.end());
}

}  // namespace varelo
