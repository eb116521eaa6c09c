#include "document/MeasurementInfoBlock.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "logger/LoggerInfoTexts.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"
#include "measurement/VoltageRangeTable.h"

namespace varelo {

namespace {

constexpr int kNotProgrammed = 963;
constexpr int kDaily = 1426;  // then 1427 "Monday" ... 1433 "Sunday"
constexpr const char* kNone = "-";

std::string Fixed(double value, int decimals, int width = 0) {
    char text[64];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    return text;
}

std::string MemoryModel(uint32_t model) {
    return Str(model == 1 ? 1444 : 970);
}

std::string Transformer(int32_t primary, int32_t secondary, const char* unit) {
    return Fixed(primary * 0.01, 2) + " " + unit + "/ " + Fixed(secondary * 0.01, 2) + " " + unit;
}

std::string PeriodText(const CMeasurementJob& job) {
    if (job.MeasStartMeasured.IsZero() && job.MeasStopMeasured.IsZero()) return "??? - ???";
    auto text = [](const CTimeStamp& t) {
        return t.IsZero() ? std::string("???") : t.DisplayText();
    };
    return text(job.MeasStartMeasured) + " - " + text(job.MeasStopMeasured);
}

std::string Segments(const CMeasurementJob& job) {
    int count = std::min<int>(job.NrMeasSectionsProg, kMeasSectionCount);
    if (count <= 0) return Str(kNotProgrammed);
    std::string text;
    for (int n = 0; n < count; ++n)
        text += (n ? "; " : "") + job_text::SegmentLine(job, n);
    return text;
}

std::string DayText(int weekday) {
    if (weekday == 0) return Str(kDaily);
    if (weekday < 1 || weekday > 7) return "?";
    return Str(kDaily + weekday).substr(0, 2);
}

std::string Clock(const CTimeStamp& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

bool IsAOrP(const CMeasurementJob& job) {
    return job.MeasFunc == kMeasFuncA || job.MeasFunc == kMeasFuncP;
}

std::string VoltageWithin(const CVamor800Doc& doc) {
    const CVoltageVariation* v = doc.Evaluation().VoltageVariation();
    if (!v) return kNone;
    std::string text;
    for (int p = 0; p < 3; ++p) {
        if (!doc.Evaluation().Presence().Has(p) || v->Count(p) == 0) continue;
        if (!text.empty()) text += ",  ";
        text += PhaseLabel(1, p, AppOptions::Instance().PhaseLabeling()) + ": " +
                Fixed(v->WithinPercent(0, p), 2) + " %";
    }
    return text.empty() ? kNone : text;
}

std::string FrequencyWithin(const CVamor800Doc& doc) {
    const CFrequencyStatistics* f = doc.Evaluation().Frequency();
    return f && f->HasValues() ? Fixed(f->WithinPercent(0), 2) + " %" : kNone;
}

void VoltageLines(const CMeasurementJob& job, std::vector<InfoBlockLine>& out) {
    out.push_back({Str(250), "", "", false});
    out.push_back({Str(240), Fixed(job.NomVoltRawVal * 0.01, 0) + " V", "", true});
    out.push_back({Str(219),
                   std::to_string(job_text::InputRangeVolts(job)) + " V, " +
                       Str(job.IsPhaseToPhase() ? 862 : 861) + ", " +
                       std::to_string(job.PowSysNomFreq) + " " + Str(824),
                   "", true});
    out.push_back({Str(251),
                   job.VoltTransformer == 1
                       ? Transformer(job.VoltPrimaryRawVal, job.VoltSecondaryRawVal, "V")
                       : kNone,
                   "", true});
    out.push_back({Str(239), job_text::Averaging(job.VoltMinMaxValInterval), "", true});
}

void CurrentLines(const CMeasurementJob& job, std::vector<InfoBlockLine>& out) {
    const bool neutral = job.NeutralMeas != 0;
    out.push_back({Str(253), Str(243), Str(242), false});
    out.push_back({Str(219), Fixed(job.PhCurrClampRawVal * 0.01, 0) + " A",
                   neutral ? Fixed(job.NeutralSensorCurrent(), 0) + " A" : kNone, true});
    out.push_back(
        {Str(255),
         job.PhCurrTransformer == 1
             ? Transformer(job.PhCurrPrimaryRawVal, job.PhCurrSecondaryRawVal, "A")
             : kNone,
         neutral && job.NeutralCurrTransformer == 1
             ? Transformer(job.NeutralCurrPrimaryRawVal, job.NeutralCurrSecondaryRawVal, "A")
             : kNone,
         true});
    out.push_back({Str(234), job_text::Averaging(job.PhMaxValInterval),
                   neutral ? job_text::Averaging(job.NeutralMaxValInterval) : kNone, true});
}

void EventLines(const CMeasurementJob& job, std::vector<InfoBlockLine>& out) {
    out.push_back({Str(223), job_text::EventThresholds(job), "", false});
    out.push_back({"Memory model for events", MemoryModel(uint32_t(job.EventMemModel)), "", true});
    out.push_back(
        {Str(859), IsAOrP(job) ? Fixed(job.EventHysteresis, 2, 4) + " %" : kNone, "", true});
}

}  // namespace

namespace job_text {

std::string IntervalLength(int seconds) {
    if (seconds == 1) return "1 " + Str(1197);
    if (seconds < 60) return std::to_string(seconds) + " " + Str(1198);
    if (seconds == 60) return "1 " + Str(1063);
    return std::to_string(seconds / 60) + " " + Str(1064);
}

std::string Averaging(int code) {
    static const char* const kTexts[] = {"0.5 periods", "1 period",   "200 ms",
                                         "1 second",    "3 seconds",  "5 seconds",
                                         "10 seconds",  "30 seconds", "45 seconds"};
    return code >= 0 && code < int(std::size(kTexts)) ? kTexts[code] : "";
}

int InputRangeVolts(const CMeasurementJob& job) {
    // The range table's 138.5 V shows as 138 V.
    return int(VoltageInputRange(int(job.VoltInputRangeCode), job.IsPhaseToPhase()));
}

std::string SegmentLine(const CMeasurementJob& job, int segment) {
    const CTimeStamp& start = job.NrMeasSectionsProgStart[size_t(segment)];
    const CTimeStamp& end = job.NrMeasSectionsProgEnd[size_t(segment)];
    std::string line = DayText(start.weekday) + " " + Clock(start) + " - ";
    if (end.weekday != 0) line += DayText(end.weekday) + " ";
    return line + Clock(end);
}

std::string EventThresholds(const CMeasurementJob& job) {
    std::string band = Msg(370, {Fixed(100 - job.VoltLowerThreshShort, 2, 5),
                                 Fixed(job.VoltUpperThreshShort - 100, 2, 5)});
    return Msg(371, {band, Fixed(job.NomVoltRawVal * 0.01, 0)});
}

}  // namespace job_text

std::vector<InfoBlockLine> MeasurementInfoBlock(const CVamor800Doc& doc) {
    const CMeasurementJob& job = doc.Data().job;
    const LoggerInfoTexts logger = MakeLoggerInfoTexts(doc.Data().logger);
    std::vector<InfoBlockLine> out;
    out.push_back({Str(235), Str(988) + " " + logger.serialNumber, "", false});
    out.push_back({Str(1123), doc.FilePath(true), "", false});
    out.push_back({Str(1121), FunctionLetter(job.MeasFunc), "", false});
    out.push_back({Str(237), PeriodText(job), "", false});
    out.push_back({Str(236), Segments(job), "", false});
    out.push_back(
        {Str(230),
         job_text::IntervalLength(job.Interval) + ",  " + MemoryModel(job.IntervalMemModel), "",
         false});
    VoltageLines(job, out);
    CurrentLines(job, out);
    std::string interharmonics = kNone;
    if (job.MeasFunc == kMeasFuncA)
        interharmonics =
            job.NrInterHarm > 0 ? std::to_string(job.NrInterHarm) : Str(kNotProgrammed);
    out.push_back({"Number of interharmonics", interharmonics, "", false});
    EventLines(job, out);
    out.push_back({Str(835), doc.LimitFilePath(), "", false});
    out.push_back({"Measurements within tolerance", VoltageWithin(doc), "", false});
    out.push_back({"Frequency measurement within tolerance", FrequencyWithin(doc), "", false});
    return out;
}

}  // namespace varelo
