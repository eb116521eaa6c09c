#include "sim/JobBlock.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "measurement/VoltageRangeTable.h"
#include "platform/CodePage.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

constexpr const char* kCaptions[6] = {
    "Company:", "Department:", "Line:", "Transformer:", "Reference:", "Measurement code:"};
constexpr size_t kLineSize = 62;
constexpr size_t kCaptionSize = 21;
constexpr size_t kContentSize = 41;
constexpr size_t kInterharmonicOffset = 432;
constexpr size_t kInterharmonicSize = 36;
constexpr size_t kInterharmonicTextSize = 32;
// The PC's texts go out in its 8-bit code page.
constexpr int kWireCodePage = 1252;

// Interval lengths in seconds by their code on the wire.
constexpr int32_t kIntervalSeconds[] = {5, 10, 30, 60, 300, 600, 900, 3600, 3, 1800, 1};
constexpr uint32_t kIntervalCode600s = 5;
constexpr uint32_t kNoTransformer = 100;  // what the PC writes when no transformer is used

uint32_t IntervalCode(int32_t seconds) {
    const auto* at = std::find(std::begin(kIntervalSeconds), std::end(kIntervalSeconds), seconds);
    return at == std::end(kIntervalSeconds) ? kIntervalCode600s
                                            : uint32_t(at - std::begin(kIntervalSeconds));
}

// A real value as the wire takes it: the integer part of v x 100 + 0.5, in two's complement,
// held within 32 bits (0 for a value that is not a number).
uint32_t Hundredths(double value) {
    const double scaled = value * 100 + 0.5;
    if (std::isnan(scaled)) return 0;
    return uint32_t(int32_t(std::clamp(scaled, double(INT32_MIN), double(INT32_MAX))));
}

double Ratio(int32_t primaryRawVal, int32_t secondaryRawVal) {
    return secondaryRawVal > 0 ? (primaryRawVal * 0.01) / (secondaryRawVal * 0.01) : 0;
}

bool PhaseToPhase(const CMeasurementJob& j) {
    return j.VoltPowSysType == kPowSysDelta || j.VoltPowSysType == kPowSysTwoElementDelta;
}

// The voltage input range from the data's one table, through the voltage transformer when
// one is used.
double VoltageRangeVolts(const CMeasurementJob& j) {
    double volts = VoltageInputRange(j.VoltInputRangeCode, PhaseToPhase(j));
    if (j.VoltTransformer == 1) volts *= Ratio(j.VoltPrimaryRawVal, j.VoltSecondaryRawVal);
    return volts;
}

// Sensor current in amperes, through its transformer when one is used.
double CurrentMaximum(int32_t clampRawVal, int16_t transformer, int32_t primary,
                      int32_t secondary) {
    return clampRawVal * 0.01 * (transformer == 1 ? Ratio(primary, secondary) : 1.0);
}

// The basic family's current input range code from the phase sensor's current.
uint32_t BasicCurrentRangeCode(int32_t clampRawVal) {
    const double amperes = clampRawVal * 0.01;
    return amperes <= 15 ? 8 : amperes <= 150 ? 9 : 10;
}

void WireText(WireWriter& w, size_t offset, size_t width, const std::string& utf8) {
    w.Text(offset, width, Utf8ToCodePage(utf8, kWireCodePage));
}

void WireDate(WireWriter& w, size_t offset, const CTimeStamp& t) {
    const SimDateTime date{t.year, t.month, t.day, t.hour, t.minute, t.second};
    w.BinaryDate(offset, &date);
}

// Weekday, hour and minute of a segment's start, then of its end.
void WireSegment(WireWriter& w, size_t offset, const CTimeStamp& start, const CTimeStamp& end) {
    const int16_t fields[] = {start.weekday, start.hour, start.minute,
                              end.weekday,   end.hour,   end.minute};
    for (size_t i = 0; i < std::size(fields); ++i)
        w.U8(offset + i, uint32_t(fields[i]));
}

void WireInterharmonics(WireWriter& w, const CMeasurementJob& j) {
    for (size_t i = 0; i < size_t(kInterharmonicCount); ++i) {
        const size_t at = kInterharmonicOffset + kInterharmonicSize * i;
        if (int(i) < j.NrInterHarm) {
            w.U8(at, j.HarmFreqSync[i] != 0 ? 1 : 0);
            w.U8(at + 1, uint32_t(j.HarmMeasPrinciple[i]));
            w.U16(at + 2, uint32_t(uint16_t(j.HarmOrder[i])));
            WireText(w, at + 4, kInterharmonicTextSize, j.HarmText[i]);
        } else {
            char text[40];
            std::snprintf(text, sizeof text, "%zu. interharmonic not measured!!!", i + 1);
            w.Text(at + 4, kInterharmonicTextSize, text);
        }
    }
}

void WireCurrents(WireWriter& w, const CMeasurementJob& j, bool extendedFamily) {
    w.U8(617, extendedFamily ? j.ClampId : BasicCurrentRangeCode(j.PhCurrClampRawVal));
    w.U8(618, uint32_t(j.CurrPowSys));
    w.U8(619, j.VoltPowSysType == kPowSysTwoElementDelta ? 1 : 0);
    w.U8(620, uint32_t(j.PhMaxValInterval));
    w.U32(621, Hundredths(CurrentMaximum(j.PhCurrClampRawVal, j.PhCurrTransformer,
                                         j.PhCurrPrimaryRawVal, j.PhCurrSecondaryRawVal)));
    w.U32(625, uint32_t(j.PhCurrClampRawVal));
    w.U8(629, (j.VoltPowSysType * 32) ^ uint32_t(j.PhCurrTransformer & 1));
    const bool phaseTransformer = j.PhCurrTransformer == 1;
    w.U32(630, phaseTransformer ? uint32_t(j.PhCurrPrimaryRawVal) : kNoTransformer);
    w.U32(634, phaseTransformer ? uint32_t(j.PhCurrSecondaryRawVal) : kNoTransformer);
    w.U8(638, uint32_t(j.NeutralMeas));
    w.U8(639, uint32_t(j.NeutralMaxValInterval));
    w.U32(640,
          Hundredths(CurrentMaximum(j.NeutralClampCurrRawVal, j.NeutralCurrTransformer,
                                    j.NeutralCurrPrimaryRawVal, j.NeutralCurrSecondaryRawVal)));
    w.U32(644, uint32_t(j.NeutralClampCurrRawVal));
    w.U8(648, uint32_t(j.NeutralCurrTransformer & 1));
    const bool neutralTransformer = j.NeutralCurrTransformer == 1;
    w.U32(649, neutralTransformer ? uint32_t(j.NeutralCurrPrimaryRawVal) : kNoTransformer);
    w.U32(653, neutralTransformer ? uint32_t(j.NeutralCurrSecondaryRawVal) : kNoTransformer);
    w.U32(657, extendedFamily ? uint32_t(j.MaxClampCurr) * 100 : uint32_t(j.InstrHardwNr));
}

// The apparent powers in kVA: total of the installation and of one measuring element.
void WirePowers(WireWriter& w, const CMeasurementJob& j) {
    const double total =
        VoltageRangeVolts(j) * j.PhCurrClampRawVal * 0.00003 *
        (j.PhCurrTransformer == 1 ? Ratio(j.PhCurrPrimaryRawVal, j.PhCurrSecondaryRawVal) : 1.0);
    w.U32(661, Hundredths(total));
    w.U32(665, Hundredths(total / (PhaseToPhase(j) ? 2 : 3)));
}

// The clamp maximum the extended family keeps in the job, in whole amperes.
uint16_t ClampMaximum(const ClampInfo& clamp) {
    const double amperes = std::isfinite(clamp.maxCurrent) ? std::trunc(clamp.maxCurrent) : 0;
    if (clamp.id == 0 || amperes < 1 || amperes > 65535) return 1500;
    return uint16_t(amperes);
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

std::vector<uint8_t> JobData(const CMeasurementJob& j, bool extendedFamily) {
    WireWriter w(kJobDataLength);
    for (size_t i = 0; i < size_t(kJobLineCount); ++i) {
        WireText(w, i * kLineSize, kCaptionSize, j.JobTitle[i]);
        WireText(w, i * kLineSize + kCaptionSize, kContentSize, j.JobText[i]);
    }
    w.U8(372, j.JobType == kJobTimeActivated || j.JobType == kJobSwitchActivated
                  ? uint32_t(j.JobType)
                  : uint32_t(kJobContinuous));
    WireDate(w, 373, j.ProgStartMeas);
    WireDate(w, 379, j.ProgStopMeas);
    w.U8(385, uint32_t(j.NrMeasSectionsProg));
    for (size_t s = 0; s < size_t(kMeasSectionCount); ++s)
        WireSegment(w, 386 + 6 * s, j.NrMeasSectionsProgStart[s], j.NrMeasSectionsProgEnd[s]);
    // 398 to 409 stay zero.
    w.U8(410, IntervalCode(j.Interval));
    w.U8(411, j.IntervalMemModel != 0 ? 1 : 0);
    w.U16(412, uint32_t(j.PowSysNomVolt));
    w.U8(414, uint32_t(j.PowSysNomFreq));
    w.U8(415, uint32_t(j.VoltMinMaxValInterval));
    w.U8(416, PhaseToPhase(j) ? 1 : 0);
    w.U32(417, uint32_t(j.NomVoltRawVal));
    w.U8(421, uint32_t(j.VoltInputRangeCode + 3));
    w.U8(422, uint32_t(j.VoltTransformer & 1) | (j.MeasFunc == kMeasFuncP ? 0x02 : 0x00));
    const bool voltageTransformer = j.VoltTransformer == 1;
    w.U32(423, voltageTransformer ? uint32_t(j.VoltPrimaryRawVal) : kNoTransformer);
    w.U32(427, voltageTransformer ? uint32_t(j.VoltSecondaryRawVal) : kNoTransformer);
    w.U8(431, uint32_t(j.NrInterHarm));
    WireInterharmonics(w, j);
    w.U8(612, j.EventMemModel != 0 ? 1 : 0);
    w.U16(613, Hundredths(j.VoltUpperThreshShort));
    w.U16(615, Hundredths(j.VoltLowerThreshShort));
    WireCurrents(w, j, extendedFamily);
    WirePowers(w, j);
    w.U8(669, uint32_t(j.PowMinMaxValInterval));
    w.U8(670, uint32_t(j.SpecialTransformerPhase));
    w.U16(671, uint32_t(uint16_t(j.PhaseCorrRawVal)));
    w.U16(673, Hundredths(j.EventHysteresis));
    return w.Take();
}

std::vector<uint8_t> DefaultJobData(char function, const Scenario& scenario) {
    const bool extended = scenario.IsExtendedFamily();
    CMeasurementJob job;
    for (size_t i = 0; i < size_t(kJobLineCount); ++i)
        job.JobTitle[i] = kCaptions[i];
    job.JobText[0] = scenario.designation;
    job.MeasFunc = function == 'P' ? kMeasFuncP : kMeasFuncA;
    job.JobType = kJobContinuous;
    job.ProgStartMeas = CTimeStamp(2024, 1, 1, 0, 0, 0);
    job.ProgStopMeas = CTimeStamp(2025, 1, 1, 0, 0, 0);
    job.CurrPowSys = 1;
    job.InstrHardwNr = extended ? 400 : 300;
    job.ClampId = extended ? scenario.clamp.id : 0;
    job.MaxClampCurr = ClampMaximum(scenario.clamp);
    return JobData(job, extended);
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
