#pragma once

#include <cstdint>
#include <string>

namespace varelo {

class CMeasurementJob;

// Texts of the job's codes as the job editor, its summary and the information pages show them.
namespace job_text {
// "10 minutes", "1 second", "30 seconds".
std::string IntervalLength(int seconds);
// Averaging time of a min/max code 0 to 8; empty for another code.
std::string Averaging(int code);
// Voltage input range: entry 2 x code + d - 2 of the range table (d = 1 phase to phase).
int InputRangeVolts(const CMeasurementJob& job);
// "Mo 08:00 - Fr 17:00", "daily 08:00 - 17:00".
std::string SegmentLine(const CMeasurementJob& job, int segment);
// The programmed segments, one SegmentLine each joined by the separator; text 963 for none.
std::string SegmentList(const CMeasurementJob& job, const std::string& separator);
// "start - end" of the measured period, "???" for an end that is not set.
std::string MeasuredPeriod(const CMeasurementJob& job);
// "-10.00/+10.00% of 230 V": message 370 within message 371.
std::string EventThresholds(const CMeasurementJob& job);
// "linear", "circular".
std::string MemoryModel(uint32_t model);
// "1000.00 A/ 5.00 A" of two raw values in 0.01 units.
std::string Transformer(int32_t primary, int32_t secondary, const char* unit);
// The additional current transformer of the phases and of the neutral, "-" without one.
std::string PhaseCurrentTransformer(const CMeasurementJob& job);
std::string NeutralCurrentTransformer(const CMeasurementJob& job);
// The value with a fixed number of decimals, right-aligned in width.
std::string Fixed(double value, int decimals, int width = 0);
}  // namespace job_text

}  // namespace varelo
