#pragma once

#include <ostream>

#include "measurement/MeasurementJob.h"

namespace varelo {

// GoogleTest prints a job as its fields, one "Key=value" each, so that a failed comparison
// shows which fields differ instead of a byte dump.
void PrintTo(const CMeasurementJob& job, std::ostream* out);

}  // namespace varelo
