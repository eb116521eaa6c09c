#include "document/MeasurementInfoPrintout.h"

#include <algorithm>

#include "app/StringTable.h"
#include "document/MeasurementInformation.h"
#include "document/Vamor800Doc.h"
#include "job/JobTexts.h"
#include "logger/LoggerInfoTexts.h"

namespace varelo {

namespace {

constexpr const char* kNone = "-";
constexpr int kNotProgrammed = 963;
constexpr char kColumnSeparator = '\t';

bool IsAOrP(const CMeasurementJob& job) {
    return job.MeasFunc == kMeasFuncA || job.MeasFunc == kMeasFuncP;
}

std::string Measured(const CTimeStamp& t) {
    return t.IsZero() ? std::string("???") : t.DisplayText();
}

// The value of a row of dialog 129, so both show the same.
const InformationRow& Row(const MeasurementInformation& info, const std::string& key) {
    static const InformationRow kEmpty;
    for (const InformationRow& row : info.rows)
        if (row.key == key) return row;
    return kEmpty;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> parts(1);
    for (char c : line) {
        if (c == kColumnSeparator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

void Heading(std::vector<InfoPrintLine>& out, int id, std::vector<std::string> columns = {}) {
    out.push_back({Str(id), std::move(columns), true, false, false});
}

void Item(std::vector<InfoPrintLine>& out, const std::string& label,
          std::vector<std::string> columns) {
    out.push_back({label, std::move(columns), false, true, false});
}

void PeriodLines(const CMeasurementJob& job, std::vector<InfoPrintLine>& out) {
    Heading(out, 237, {Str(207), Str(220)});
    if (job.JobType == kJobSwitchActivated)
        Item(out, Str(247), {Str(1194), Str(1193)});
    else if (job.JobType == kJobContinuous)
        Item(out, Str(247), {Str(1013)});
    else
        Item(out, Str(247), {job.ProgStartMeas.DisplayText(), job.ProgStopMeas.DisplayText()});
    Item(out, Str(226), {Measured(job.MeasStartMeasured), Measured(job.MeasStopMeasured)});
}

void SegmentAndIntervalLines(const CMeasurementJob& job, std::vector<InfoPrintLine>& out) {
    Heading(out, 236);
    const int count = std::min<int>(job.NrMeasSectionsProg, kMeasSectionCount);
    for (int n = 0; n < count; ++n)
        Item(out, "", {job_text::SegmentLine(job, n)});
    if (count <= 0) Item(out, "", {Str(kNotProgrammed)});
    Heading(out, 230);
    Item(out, "",
         {job_text::IntervalLength(job.Interval) + ",  " +
          job_text::MemoryModel(job.IntervalMemModel)});
    if (job.IntervalMemModel == 1) Item(out, "", {Str(job.IntervalMem == 0 ? 245 : 246)});
}

void VoltageLines(const MeasurementInformation& info, std::vector<InfoPrintLine>& out) {
    Heading(out, 250);
    Item(out, Str(1528), {Row(info, "powerType").value});
    Item(out, Str(240), {Row(info, "nominalVoltage").value});
    Item(out, Str(219), {Row(info, "inputRange").value});
    Item(out, Str(251), {Row(info, "voltageTransformer").value});
    Item(out, Str(239), {Row(info, "voltageMinMax").value});
}

void InterharmonicLines(const CMeasurementJob& job, std::vector<InfoPrintLine>& out) {
    Heading(out, 256, {Str(224), Str(225), Str(238), Str(231)});
    if (job.MeasFunc != kMeasFuncA) {
        Item(out, "", {kNone});
        return;
    }
    const int count = std::clamp<int>(job.NrInterHarm, 0, kInterharmonicCount);
    for (int n = 0; n < count; ++n)
        Item(out, "",
             Split(InterharmonicChannelLine(job, n, job.PowSysNomFreq,
                                            std::string(1, kColumnSeparator))));
    if (count == 0) Item(out, "", {Str(kNotProgrammed)});
}

void EventAndCurrentLines(const CMeasurementJob& job, const MeasurementInformation& info,
                          std::vector<InfoPrintLine>& out) {
    Heading(out, 223,
            {job_text::EventThresholds(job) + ", " +
             job_text::MemoryModel(uint32_t(job.EventMemModel))});
    Item(out, Str(859), {IsAOrP(job) ? Row(info, "hysteresis").value : kNone});
    Heading(out, 253, {Str(243), Str(242)});
    const struct {
        int label;
        const char* key;
    } rows[] = {{219, "currentInputRange"},
                {211, "numberOfCts"},
                {255, "additionalCt"},
                {234, "currentMaxValue"}};
    for (const auto& r : rows) {
        const InformationRow& row = Row(info, r.key);
        Item(out, Str(r.label), {row.value, row.neutral});
    }
    const std::string shift = Row(info, "phaseShift").value;
    Item(out, Str(244), {shift.empty() ? kNone : shift});
    Heading(out, 232);
    Item(out, Str(239), {Row(info, "powerMinMax").value});
}

void LoggerLines(const CLoggerInfo& logger, std::vector<InfoPrintLine>& out) {
    const LoggerInfoTexts t = MakeLoggerInfoTexts(logger);
    Heading(out, 235);
    Item(out, Str(214), {t.designation});
    Item(out, Str(988), {t.serialNumber});
    Item(out, Str(217), {t.dateTime});
    Item(out, Str(229), {t.deviceType + " " + t.hardwareType + " / " + t.measurementFunction});
    Item(out, Str(228), {t.basicUnit + "  " + t.hardwareCodes});
    Item(out, Str(215), {t.bootSoftware});
    Item(out, Str(216), {t.cpuSoftware});
    Item(out, Str(218), {t.dspSoftware});
}

void SavedValueLines(const CMeasurementJob& job, std::vector<InfoPrintLine>& out) {
    Heading(out, 227);
    Item(out, Str(209), {std::to_string(job.NrInterval)});
    Item(out, Str(210), {IsAOrP(job) ? std::to_string(job.NrStat) : kNone});
    Item(out, Str(208),
         {std::to_string(job.EventReady + job.EventOpen) + "   (" + std::to_string(job.EventReady) +
          " + " + std::to_string(job.EventOpen) + ")"});
}

}  // namespace

std::vector<InfoPrintLine> MeasurementInformationLines(const CMeasurementJob& job,
                                                       const CLoggerInfo& logger,
                                                       const std::string& path) {
    const MeasurementInformation info = MakeMeasurementInformation(job);
    std::vector<InfoPrintLine> out;
    out.push_back({Str(1123), {path}, false, false, true});
    out.push_back({Str(1121), {FunctionLetter(job.MeasFunc)}});
    for (size_t n = 0; n < size_t(kJobLineCount); ++n)
        out.push_back({job.JobTitle[n], {job.JobText[n]}});
    PeriodLines(job, out);
    SegmentAndIntervalLines(job, out);
    VoltageLines(info, out);
    InterharmonicLines(job, out);
    EventAndCurrentLines(job, info, out);
    LoggerLines(logger, out);
    SavedValueLines(job, out);
    return out;
}

std::vector<InfoPrintLine> MeasurementInformationLines(const CVamor800Doc& doc) {
    return MeasurementInformationLines(doc.Data().job, doc.Data().logger, doc.FilePath(true));
}

}  // namespace varelo
