#include "evaluation/GraphicalSummary.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/LimitValues.h"
#include "measurement/EventRecord.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr const char* kHidden = "---";
constexpr long long kEn50160Intervals = 1008;
constexpr int kEn50160IntervalSeconds = 600;
constexpr double kSignallingShare = 99;
constexpr double kFrequencyShare = 99.5;

class BarBuilder {
public:
    BarBuilder(const EvaluatedMeasurement& m, const GraphicalSummaryOptions& options,
               GraphicalSummary& out)
        : eval_(m.evaluation),
          limits_(m.limits),
          job_(m.job),
          options_(options),
          out_(out),
          share_(m.limits.Histogram) {}

    void Build() {
        const bool a = job_.MeasFunc == kMeasFuncA, p = job_.MeasFunc == kMeasFuncP;
        VoltageVariations(out_.groups[0]);
        EventCounts(out_.groups[1], Str(769), {kEventShortInterruption, kEventLongInterruption});
        EventCounts(out_.groups[2], Str(758), {kEventOther});
        if (a || (p && !options_.thdDisabled))
            Harmonics(out_.groups[3], false, a ? Str(2104) : Str(1338));
        if (a && !options_.standardLimitFile) Harmonics(out_.groups[4], true, Str(2105));
        Flicker(out_.groups[5]);
        if (a || p) Unbalance(out_.groups[6]);
        if (a) Signalling(out_.groups[7]);
        if (a || p) Frequency(out_.groups[8]);
    }

private:
    bool Present(int phase) const { return eval_.Presence().Has(phase); }
    static void Show(SummaryBarGroup& group, std::string label) {
        group.label = std::move(label);
        group.shown = true;
    }

    void VoltageVariations(SummaryBarGroup& group) {
        const CVoltageVariation* v = eval_.VoltageVariation();
        if (!v) return;
        Show(group, Str(2101));
        auto tolerance = [&](int set) {
            return double(std::min(v->TolerancePlus(set), v->ToleranceMinus(set)));
        };
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            group.pairs.push_back({p, BarPerMille(v->PercentValue(0, p, share_), tolerance(0)),
                                   BarPerMille(v->PercentValue(1, p, 100), tolerance(1))});
        }
    }

    void EventCounts(SummaryBarGroup& group, std::string label, std::initializer_list<int> kinds) {
        const CEventStatistics* events = eval_.Events();
        if (!events) return;
        Show(group, std::move(label));
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            int count = 0;
            for (int kind : kinds)
                count += events->Count(p, kind);
            group.pairs.push_back({p, BarPerMille(count, limits_.NrEvents), 0, false});
        }
    }

    void Harmonics(SummaryBarGroup& group, bool current, std::string label) {
        Show(group, std::move(label));
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            WorstOrderResult w =
                current ? eval_.WorstCurrentOrder(p, share_) : eval_.WorstVoltageOrder(p, share_);
            if (w.order < 0) w = {};
            group.pairs.push_back(
                {p, BarPerMille(w.percentValue, w.limit), BarPerMille(w.maximum, w.limit)});
        }
    }

    void Flicker(SummaryBarGroup& group) {
        const CFlickerStatistics* f = eval_.Flicker();
        if (!f) return;
        Show(group, Txt(txt::summary_flicker));
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            group.pairs.push_back({p, BarPerMille(f->PercentValue(p, share_), limits_.FlickPlt),
                                   BarPerMille(f->Maximum(p), limits_.FlickPlt)});
        }
    }

    void Unbalance(SummaryBarGroup& group) {
        const CUnbalanceStatistics* u = eval_.Unbalance();
        if (!u || !u->IsDefined()) return;
        Show(group, Str(1339));
        // The unbalance statistics hold 0.01 %.
        group.pairs.push_back({0, BarPerMille(u->PercentValue(share_) / 100, limits_.VoltUnbal),
                               BarPerMille(u->Maximum() / 100, limits_.VoltUnbal)});
    }

    void Signalling(SummaryBarGroup& group) {
        const CSignallingStatistics* s = eval_.Signalling();
        if (!s) return;
        Show(group, Txt(txt::summary_signallingVoltages));
        for (int p = 0; p < 3; ++p) {
            if (!Present(p)) continue;
            int channel = s->WorstOrder(p, kSignallingShare);
            if (channel < 0) {
                group.pairs.push_back({p, 0, 0});
                continue;
            }
            double limit = s->Limit(channel);
            group.pairs.push_back(
                {p, BarPerMille(s->PercentValue(p, channel, kSignallingShare), limit),
                 BarPerMille(s->Maximum(p, channel), limit)});
        }
    }

    void Frequency(SummaryBarGroup& group) {
        const CFrequencyStatistics* f = eval_.Frequency();
        if (!f || !f->HasValues()) return;
        Show(group, Str(2110));
        double limit = f->Tolerance(0);
        group.pairs.push_back({0, BarPerMille(f->PercentValue(0, kFrequencyShare), limit),
                               BarPerMille(f->HundredPercentValue(0), limit)});
    }

    const CEvaluationResult& eval_;
    const CLimitValues& limits_;
    const CMeasurementJob& job_;
    const GraphicalSummaryOptions& options_;
    GraphicalSummary& out_;
    double share_;
};

}  // namespace

int BarPerMille(double value, double limit) {
    if (!(limit > 0)) return 0;
    double perMille = std::trunc(value / limit * 1000);
    if (!(perMille > 0)) return 0;
    return perMille >= GraphicalSummary::kScaleTop ? GraphicalSummary::kScaleTop : int(perMille);
}

std::string LimitFileDisplayName(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    size_t at = lower.find(".gwd");
    return at == std::string::npos ? name : name.substr(0, at);
}

bool NeedsEn50160Note(bool checkEnabled, long long intervals, int intervalSeconds) {
    return checkEnabled &&
           (intervals != kEn50160Intervals || intervalSeconds != kEn50160IntervalSeconds);
}

GraphicalSummary GraphicalSummary::Build(const EvaluatedMeasurement& m,
                                         const GraphicalSummaryOptions& options) {
    GraphicalSummary summary;
    for (auto& group : summary.groups)
        group.label = kHidden;
    summary.histogram = m.limits.Histogram;
    summary.limitName = LimitFileDisplayName(m.limitFilePath);
    const CMeasurementJob& job = m.job;
    summary.en50160Note =
        NeedsEn50160Note(options.en50160CheckEnabled, job.NrInterval, job.Interval);
    BarBuilder(m, options, summary).Build();
    return summary;
}

}  // namespace varelo
