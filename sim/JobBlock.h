#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "measurement/MeasurementJob.h"
#include "sim/Scenario.h"

namespace varelo::sim {

// The job as written ("A" takes these bytes) and the block "a" answers: the job, then the
// Logger's report on the measurement.
inline constexpr size_t kJobDataLength = 675;
inline constexpr size_t kJobReportLength = 21;
inline constexpr size_t kJobReadLength = kJobDataLength + kJobReportLength;

// The job's 675 bytes as the PC writes them with "A", with the values derived from it
// (current maxima, apparent powers, the basic family's current range code). The simulator's
// own encoder, for the jobs it makes up: a client that misreads an offset then fails its
// read-out tests instead of agreeing with itself.
std::vector<uint8_t> JobData(const CMeasurementJob& job, bool extendedFamily);
// The job a Logger holds before any job is written to it: a plausible continuous job of the
// given function ('A' or 'P'), for the Logger's family and clamp.
std::vector<uint8_t> DefaultJobData(char function, const Scenario& scenario);
// The block "a" answers for a job, without its test sum: its data and its report.
std::vector<uint8_t> JobReadBlock(const LoggerJob& job, const Scenario& scenario);

}  // namespace varelo::sim
