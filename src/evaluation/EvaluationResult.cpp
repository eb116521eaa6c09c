#include "evaluation/EvaluationResult.h"

#include <new>

#include "app/AppOptions.h"
#include "evaluation/EvaluationMath.h"
#include "evaluation/LimitValues.h"
#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticList.h"

namespace varelo {

namespace {

bool IsAorP(const CMeasurementJob& job) {
    return job.MeasFunc == kMeasFuncA || job.MeasFunc == kMeasFuncP;
}

WorstOrderResult WithThd(WorstOrderResult worst, const CRelativeHistogram* thd, int phase,
                         double x) {
    if (!thd || !(thd->Limit() > 0)) return worst;
    const double value = thd->PercentValue(phase, x);
    const double ratio = value / thd->Limit();
    if (worst.order < 0 || ratio > worst.ratio)
        worst = {0, ratio, value, thd->Maximum(phase), thd->Limit()};
    return worst;
}

}  // namespace

EvaluationInput MakeEvaluationInput(const MeasurementData& data, const CLimitValues& limits,
                                    const AppOptions& options) {
    return {data.intervals, data.statistics,          data.events,         data.job,
            limits,         data.intervals.Scaling(), options.ThdHidden(), options.FlickerHidden()};
}

void CEvaluationResult::Clear() {
    *this = CEvaluationResult();
}

bool CEvaluationResult::Evaluate(const EvaluationInput& in, bool fullRebuild) {
    try {
        if (fullRebuild) Clear();
        presence_ = PhasePresence::FromPowerSystem(in.job.VoltPowSysType);
        CreateLimitBound(in);
        if (fullRebuild) CreateIntervalStatistics(in);
        RunIntervalPasses(in, fullRebuild);
        RunSegmentsAndEvents(in);
        HandLimits(in);
        return true;
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
}

// Slow voltage variations, unbalance, frequency, signalling and events take their limits while
// they are built.
void CEvaluationResult::CreateLimitBound(const EvaluationInput& in) {
    const CMeasurementJob& job = in.job;
    voltage_ = std::make_unique<CVoltageVariation>();
    voltage_->Configure(in.limits, in.scaling, presence_, in.intervals.size());
    unbalance_.reset();
    if (IsAorP(job) && job.VoltPowSysType != kPowSysSinglePhase &&
        job.VoltPowSysType != kPowSysSplitSinglePhase)
        unbalance_ =
            std::make_unique<CUnbalanceStatistics>(in.limits.VoltUnbal, job.IsPhaseToPhase());
    frequency_ = std::make_unique<CFrequencyStatistics>();
    frequency_->Configure(JobNominalFrequency(job), in.limits);
    signalling_.reset();
    if (job.NrInterHarm > 0) {
        signalling_ = std::make_unique<CSignallingStatistics>();
        signalling_->Configure(job, in.limits, presence_);
    }
    events_.reset();
    if (job.EventReady + job.EventOpen > 0)
        events_ = std::make_unique<CEventStatistics>(job, presence_);
}

// Harmonics, THD and flicker are handed their limits at the end, so a change of limits does
// not need to rebuild them.
void CEvaluationResult::CreateIntervalStatistics(const EvaluationInput& in) {
    const CMeasurementJob& job = in.job;
    if (job.MeasFunc == kMeasFuncA) {
        voltageHarmonics_ =
            std::make_unique<CHarmonicStatistics>(CHarmonicStatistics::Kind::kVoltage, presence_);
        currentHarmonics_ =
            std::make_unique<CHarmonicStatistics>(CHarmonicStatistics::Kind::kCurrent, presence_);
    }
    if (IsAorP(job) && !in.thdDisabled) {
        voltageThd_ = std::make_unique<CRelativeHistogram>(HistogramRule::kThd);
        currentThd_ = std::make_unique<CRelativeHistogram>(HistogramRule::kThd);
    }
    if (IsAorP(job) && !in.flickerDisabled)
        flicker_ = std::make_unique<CFlickerStatistics>(presence_, in.intervals.size());
}

// One pass from the newest interval to the oldest builds the top-five lists and maxima, one
// from the oldest to the newest the relative histograms that need them (and the Plt values,
// which are formed in time order). A limits-only rebuild feeds just the voltages and the
// unbalance.
void CEvaluationResult::RunIntervalPasses(const EvaluationInput& in, bool full) {
    CHarmonicStatistics* const vh = full ? voltageHarmonics_.get() : nullptr;
    CHarmonicStatistics* const ch = full ? currentHarmonics_.get() : nullptr;
    CRelativeHistogram* const vthd = full ? voltageThd_.get() : nullptr;
    CRelativeHistogram* const cthd = full ? currentThd_.get() : nullptr;
    CFlickerStatistics* const flicker = full ? flicker_.get() : nullptr;
    const CIntervalList& list = in.intervals;

    for (auto it = list.end(); it != list.begin();) {
        const CIntervalRecord& r = *--it;
        for (int p = 0; p < 3; ++p) {
            if (!presence_.Has(p)) continue;
            voltage_->Add(p, r.VoltAvgPhaseLxRawVal[size_t(p)], r.DateTime);
            if (vthd) vthd->AddTop(p, r.VoltTHDAvgCalc[size_t(p)], r.DateTime);
            if (cthd) cthd->AddTop(p, r.CurrTHDAvgCalc[size_t(p)], r.DateTime);
        }
        if (unbalance_) unbalance_->AddTop(r);
        if (vh) vh->AddTop(r);
        if (ch) ch->AddTop(r);
    }
    voltage_->Finish();

    for (const CIntervalRecord& r : list) {
        if (unbalance_) unbalance_->AddClass(r);
        if (vh) vh->AddClass(r);
        if (ch) ch->AddClass(r);
        for (int p = 0; p < 3; ++p) {
            if (!presence_.Has(p)) continue;
            if (vthd) vthd->AddClass(p, r.VoltTHDAvgCalc[size_t(p)]);
            if (cthd) cthd->AddClass(p, r.CurrTHDAvgCalc[size_t(p)]);
        }
        if (flicker) flicker->Add(r);
    }
    if (flicker) flicker->Finish();
}

void CEvaluationResult::RunSegmentsAndEvents(const EvaluationInput& in) {
    for (const CStatisticSegment& segment : in.statistics) {
        frequency_->Add(segment);
        if (signalling_) signalling_->Add(segment);
    }
    if (events_) {
        for (const CEventRecord& e : in.events)
            events_->Add(e);
    }
}

void CEvaluationResult::HandLimits(const EvaluationInput& in) {
    if (voltageHarmonics_) voltageHarmonics_->SetLimits(in.limits, in.job, in.scaling);
    if (voltageThd_) voltageThd_->SetLimit(in.limits.THD);
    if (currentHarmonics_) currentHarmonics_->SetLimits(in.limits, in.job, in.scaling);
    if (currentThd_) currentThd_->SetLimit(in.limits.CurrTHD);
    if (flicker_) flicker_->SetLimit(in.limits.FlickPlt);
}

WorstOrderResult CEvaluationResult::WorstVoltageOrder(int phase, double x) const {
    if (!presence_.Has(phase)) return {};
    WorstOrderResult worst;
    if (voltageHarmonics_) worst = voltageHarmonics_->WorstOrder(phase, x);
    return WithThd(worst, voltageThd_.get(), phase, x);
}

WorstOrderResult CEvaluationResult::WorstCurrentOrder(int phase, double x) const {
    if (!presence_.Has(phase)) return {};
    WorstOrderResult worst;
    if (currentHarmonics_) worst = currentHarmonics_->WorstOrder(phase, x);
    return WithThd(worst, currentThd_.get(), phase, x);
}

}  // namespace varelo
