#pragma once

#include <string>
#include <vector>

namespace varelo {

class CVamor800Doc;
class CMeasurementJob;

// One labelled line of the measurement information block. A heading carries no value; an
// indented line belongs to the heading above it. Lines of the current carry a phase and a
// neutral value.
struct InfoBlockLine {
    std::string label;
    std::string value;
    std::string neutralValue;
    bool indented = false;
};

// The measurement's data as the first page of a result printout shows them, in their order.
std::vector<InfoBlockLine> MeasurementInfoBlock(const CVamor800Doc& doc);

// Texts of the job's codes as the job editor and the information pages show them.
namespace job_text {
// "10 minutes", "1 second", "30 seconds".
std::string IntervalLength(int seconds);
// Averaging time of a min/max code 0 to 8; empty for another code.
std::string Averaging(int code);
// Voltage input range: entry 2 x code + d - 2 of the range table (d = 1 phase to phase).
int InputRangeVolts(const CMeasurementJob& job);
// "Mo 08:00 - Fr 17:00", "daily 08:00 - 17:00".
std::string SegmentLine(const CMeasurementJob& job, int segment);
// "-10.00/+10.00% of 230 V": message 370 within message 371.
std::string EventThresholds(const CMeasurementJob& job);
}  // namespace job_text

}  // namespace varelo
