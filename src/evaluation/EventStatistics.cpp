#include "evaluation/EventStatistics.h"

#include "evaluation/EvaluationMath.h"
#include "evaluation/EventClassification.h"
#include "measurement/EventRecord.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

CEventStatistics::CEventStatistics(const CMeasurementJob& job, PhasePresence presence)
    : presence_(presence) {
    const double a = double(TruncToInt64(job.VoltUpperThreshShort)) - 100;
    const double b = 100 - double(TruncToInt64(job.VoltLowerThreshShort));
    if (a < b) {
        swellWeight_ = 1;
        dipWeight_ = b != 0 ? a / b : 0;
    } else if (a > b) {
        dipWeight_ = 1;
        swellWeight_ = a != 0 ? b / a : 0;
    }
}

void CEventStatistics::Add(const CEventRecord& e) {
    const int phase = e.Phase - 1;
    if (!presence_.Has(phase) || e.Kind < kEventShortInterruption || e.Kind > kEventOther) return;
    ++counts_[size_t(phase)][size_t(e.Kind)];
    EventEntry entry{0, e.StartDateTime, EventDurationMs(e), phase, true, e.Value, double(e.Val)};
    if (e.Kind == kEventOther) {
        entry.above = e.Val >= kNominalRaw;
        entry.value =
            entry.above ? (e.Val - kNominalRaw) * swellWeight_ : (kNominalRaw - e.Val) * dipWeight_;
        deviations_.Insert(entry);
    } else {
        entry.value = double(entry.durationMs);
        longest_[size_t(e.Kind)].Insert(entry);
    }
}

int CEventStatistics::Total(int kind) const {
    return counts_[0][size_t(kind)] + counts_[1][size_t(kind)] + counts_[2][size_t(kind)];
}

std::vector<EventEntry> CEventStatistics::TopDeviations() const {
    std::vector<EventEntry> out(deviations_.begin(), deviations_.end());
    for (EventEntry& e : out) {
        const double w = e.above ? swellWeight_ : dipWeight_;
        // A side without weight keeps the measured raw voltage (already in rawVoltage).
        if (w != 0) e.rawVoltage = e.above ? kNominalRaw + e.value / w : kNominalRaw - e.value / w;
    }
    return out;
}

std::vector<EventEntry> CEventStatistics::Longest(int kind) const {
    const auto& list = longest_[size_t(kind == kEventLongInterruption)];
    return std::vector<EventEntry>(list.begin(), list.end());
}

}  // namespace varelo
