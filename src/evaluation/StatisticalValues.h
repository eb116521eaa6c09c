#pragma once

#include "app/AppOptions.h"
#include "evaluation/BlockTable.h"

namespace varelo {

struct EvaluatedMeasurement;

// The statistical values: per quantity the share of the time within tolerance and the extreme
// values per phase, each with its deviation from the limit and its mark.
struct StatisticalValues {
    // Blocks in drawing order; a quantity whose evaluation object is absent has none.
    static BlockReport Build(const EvaluatedMeasurement& measurement, PhaseLabels labels);
};

}  // namespace varelo
