#pragma once

#include <memory>

#include "evaluation/EventStatistics.h"
#include "evaluation/FlickerStatistics.h"
#include "evaluation/FrequencyStatistics.h"
#include "evaluation/HarmonicStatistics.h"
#include "evaluation/PhasePresence.h"
#include "evaluation/RelativeHistogram.h"
#include "evaluation/SignallingStatistics.h"
#include "evaluation/UnbalanceStatistics.h"
#include "evaluation/VoltageVariation.h"

namespace varelo {

class AppOptions;
class CEventList;
class CIntervalList;
class CLimitValues;
class CMeasurementJob;
class CRawScaling;
class CStatisticList;
struct MeasurementData;

// What an evaluation reads: the record lists of the evaluation period (events already
// classified), the job, the document's limits, the measurement's scaling and the THD and
// flicker switches of the application options.
struct EvaluationInput {
    const CIntervalList& intervals;
    const CStatisticList& statistics;
    const CEventList& events;
    const CMeasurementJob& job;
    const CLimitValues& limits;
    const CRawScaling& scaling;
    bool thdDisabled = false;
    bool flickerDisabled = false;
};

// The input of a document's evaluation: its measurement of the evaluation period, its limits,
// the measurement's scaling and the THD and flicker switches of the options.
EvaluationInput MakeEvaluationInput(const MeasurementData& data, const CLimitValues& limits,
                                    const AppOptions& options);

// The EN50160 evaluation of a document: ten statistics objects, each absent when its quantity
// is not evaluated. Read-only between rebuilds.
class CEvaluationResult {
public:
    // fullRebuild discards everything and evaluates all quantities. Otherwise (the limits
    // changed) the slow voltage variations, unbalance, frequency, signalling and events are
    // rebuilt, and harmonics, THD and flicker keep their statistics and get the new limits.
    // False when memory ran out; the result is then empty.
    bool Evaluate(const EvaluationInput& input, bool fullRebuild);
    void Clear();

    PhasePresence Presence() const { return presence_; }

    const CVoltageVariation* VoltageVariation() const { return voltage_.get(); }
    const CUnbalanceStatistics* Unbalance() const { return unbalance_.get(); }
    const CHarmonicStatistics* VoltageHarmonics() const { return voltageHarmonics_.get(); }
    const CRelativeHistogram* VoltageThd() const { return voltageThd_.get(); }
    const CHarmonicStatistics* CurrentHarmonics() const { return currentHarmonics_.get(); }
    const CRelativeHistogram* CurrentThd() const { return currentThd_.get(); }
    const CFlickerStatistics* Flicker() const { return flicker_.get(); }
    const CSignallingStatistics* Signalling() const { return signalling_.get(); }
    const CFrequencyStatistics* Frequency() const { return frequency_.get(); }
    const CEventStatistics* Events() const { return events_.get(); }

    // The worst harmonic order of a phase at x %, replaced by THD (order 0) when the THD's
    // x % value is the larger share of its limit. No result without the harmonics object.
    WorstOrderResult WorstVoltageOrder(int phase, double x) const;
    WorstOrderResult WorstCurrentOrder(int phase, double x) const;

private:
    void CreateLimitBound(const EvaluationInput& in);
    void CreateIntervalStatistics(const EvaluationInput& in);
    void RunIntervalPasses(const EvaluationInput& in, bool full);
    void RunSegmentsAndEvents(const EvaluationInput& in);
    void HandLimits(const EvaluationInput& in);

    PhasePresence presence_;
    std::unique_ptr<CVoltageVariation> voltage_;
    std::unique_ptr<CUnbalanceStatistics> unbalance_;
    std::unique_ptr<CHarmonicStatistics> voltageHarmonics_;
    std::unique_ptr<CRelativeHistogram> voltageThd_;
    std::unique_ptr<CHarmonicStatistics> currentHarmonics_;
    std::unique_ptr<CRelativeHistogram> currentThd_;
    std::unique_ptr<CFlickerStatistics> flicker_;
    std::unique_ptr<CSignallingStatistics> signalling_;
    std::unique_ptr<CFrequencyStatistics> frequency_;
    std::unique_ptr<CEventStatistics> events_;
};

}  // namespace varelo
