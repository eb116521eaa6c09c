#pragma once

#include <string>
#include <vector>

#include "measurement/MeasurementJob.h"

namespace varelo {

// One line of the job summary page (106): a label with the phase value and, for the current
// lines, the neutral value. A heading carries no value; an indented line belongs to the
// heading above it.
struct JobSummaryLine {
    std::string label;
    std::string value;
    std::string neutralValue;
    bool indented = false;
};

// Whether the summary shows the neutral column and the phase current and power rows: the
// extended family hides the neutral without a measured neutral, and the currents and power
// without a current sensor.
struct JobSummaryColumns {
    bool neutral = true;
    bool currents = true;
};
JobSummaryColumns SummaryColumns(const CMeasurementJob& job);

// The job as text, in the summary page's order.
std::vector<JobSummaryLine> JobSummary(const CMeasurementJob& job);

}  // namespace varelo
