#pragma once

#include "app/AppOptions.h"
#include "evaluation/BlockTable.h"

namespace varelo {

struct EvaluatedMeasurement;

// The most critical values: per quantity the five most extreme values of the measurement with
// their time and phase, the longest interruptions and the largest events.
struct MostCriticalValues {
    // Blocks in drawing order; a quantity whose evaluation object is absent has none.
    static BlockReport Build(const EvaluatedMeasurement& measurement, PhaseLabels labels);
};

}  // namespace varelo
