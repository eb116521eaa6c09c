#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "job/JobPageCheck.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// The general page (104): the six descriptive lines, the event tolerances, the event memory
// model and the hysteresis.
struct GeneralPage {
    std::array<std::string, kJobLineCount> titles;  // at most 20 characters
    std::array<std::string, kJobLineCount> texts;   // at most 40 characters
    double positiveTolerance = 10;                  // % above the nominal voltage
    double negativeTolerance = 10;                  // % below it
    uint32_t eventMemoryModel = 0;
    double hysteresis = 0;  // %

    // The page as it shows the job: the tolerances with one decimal.
    static GeneralPage Of(const CMeasurementJob& job);
    // OK: the tolerances and the hysteresis checked in this order, then taken into job.
    PageCheck Apply(CMeasurementJob& job) const;
};

}  // namespace varelo
