#include "sim/JobBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

constexpr const char* kCaptions[6] = {
    "Company:", "Department:", "Line:", "Transformer:", "Reference:", "Measurement code:"};
constexpr size_t kLineSize = 62;
constexpr size_t kCaptionSize = 21;
constexpr size_t kContentSize = 41;
constexpr size_t kInterharmonicSize = 36;

constexpr uint8_t kIntervalCode600s = 5;
constexpr uint8_t kVoltageRangeCode230V = 6;
constexpr uint32_t kSensorCurrent = 100000;  // 1000 A in 0.01 A
constexpr uint32_t kNoTransformer = 100;     // what the PC writes when no transformer is used

// Apparent powers of a wye system at 230 V with 1000 A sensors, in 0.01 kVA.
constexpr uint32_t kTotalPower = 69000;
constexpr uint32_t kSinglePower = 23000;

// The clamp maximum the extended family keeps in the job, in whole amperes.
uint32_t ClampMaximum(const ClampInfo& clamp) {
    const double amperes = std::isfinite(clamp.maxCurrent) ? std::trunc(clamp.maxCurrent) : 0;
    if (clamp.id == 0 || amperes < 1 || amperes > 65535) return 1500;
    return uint32_t(amperes);
}

void WriteReport(WireWriter& w, const JobReport& r) {
    w.U8(675, r.intervalMemory);
    w.U16(676, uint32_t(std::clamp(r.intervals, 0, 65535)));
    w.U8(678, r.statisticsMemory);
    w.U8(679, uint32_t(std::clamp<int>(r.statistics, 0, 255)));
    w.U8(680, r.eventMemory);
    w.U16(681, uint16_t(r.events));
    w.U8(683, r.openEvents);
    w.BinaryDate(684, r.start ? &*r.start : nullptr);
    w.BinaryDate(690, r.end ? &*r.end : nullptr);
}

}  // namespace

std::vector<uint8_t> DefaultJobData(char function, const Scenario& scenario) {
    WireWriter w(kJobDataLength);
    for (size_t i = 0; i < 6; ++i)
        w.Text(i * kLineSize, kCaptionSize, kCaptions[i]);
    w.Text(kCaptionSize, kContentSize, scenario.designation);
    w.U8(372, 2);  // continuous
    const SimDateTime start{2024, 1, 1, 0, 0, 0};
    const SimDateTime end{2025, 1, 1, 0, 0, 0};
    w.BinaryDate(373, &start);
    w.BinaryDate(379, &end);
    // No measurement segments: 385 to 409 stay zero.
    w.U8(410, kIntervalCode600s);
    w.U16(412, 230);
    w.U8(414, 50);
    w.U8(415, 1);
    w.U32(417, 23000);
    w.U8(421, kVoltageRangeCode230V + 3);
    w.U8(422, function == 'P' ? 0x02 : 0x00);
    w.U32(423, kNoTransformer);
    w.U32(427, kNoTransformer);
    for (size_t i = 0; i < 5; ++i) {
        char text[40];
        std::snprintf(text, sizeof text, "%zu. interharmonic not measured!!!", i + 1);
        w.Text(432 + kInterharmonicSize * i + 4, 32, text);
    }
    w.U16(613, 11000);
    w.U16(615, 9000);
    const bool extended = scenario.IsExtendedFamily();
    w.U8(617, extended ? scenario.clamp.id : 10);
    w.U8(618, 1);
    w.U8(620, 1);
    w.U32(621, kSensorCurrent);
    w.U32(625, kSensorCurrent);
    w.U32(630, kNoTransformer);
    w.U32(634, kNoTransformer);
    w.U8(639, 1);
    w.U32(640, kSensorCurrent);
    w.U32(644, kSensorCurrent);
    w.U32(649, kNoTransformer);
    w.U32(653, kNoTransformer);
    w.U32(657, extended ? ClampMaximum(scenario.clamp) * 100 : 300);
    w.U32(661, kTotalPower);
    w.U32(665, kSinglePower);
    w.U8(669, 8);
    return w.Take();
}

std::vector<uint8_t> JobReadBlock(const LoggerJob& job, const Scenario& scenario) {
    WireWriter w(kJobReadLength);
    if (job.block.size() == kJobDataLength) {
        w.Bytes(0, job.block);
    } else {
        w.Bytes(0, DefaultJobData(job.function, scenario));
    }
    WriteReport(w, job.report);
    return w.Take();
}

}  // namespace varelo::sim
