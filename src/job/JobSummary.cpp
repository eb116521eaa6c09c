#include "job/JobSummary.h"

#include <algorithm>

#include "app/StringTable.h"
#include "job/JobTexts.h"

namespace varelo {

namespace {

constexpr const char* kNone = "-";
constexpr int kNotProgrammed = 963;

std::string Period(const CMeasurementJob& job) {
    if (job.JobType != kJobTimeActivated) return kNone;
    return job.ProgStartMeas.DisplayText() + " - " + job.ProgStopMeas.DisplayText();
}

std::string Segments(const CMeasurementJob& job) {
    const int count = std::min<int>(job.NrMeasSectionsProg, kMeasSectionCount);
    if (count <= 0) return Str(kNotProgrammed);
    std::string text;
    for (int n = 0; n < count; ++n)
        text += (n ? "; " : "") + job_text::SegmentLine(job, n);
    return text;
}

std::string Interharmonic(const CMeasurementJob& job, int n) {
    const size_t i = size_t(n);
    const int f0 = job.PowSysNomFreq == 60 ? 60 : 50;
    const std::string value =
        job.HarmFreqSync[i] == 1
            ? job_text::Fixed(job.HarmOrder[i] * 0.01, 2)
            : job_text::Fixed(job.HarmOrder[i] * 0.01 * f0, 0) + " " + Str(824);
    const int principle = job.HarmMeasPrinciple[i];
    static const int kPrinciples[] = {1111, 1112, 1107, 1109};
    const std::string principleText =
        principle >= 0 && principle < 4 ? Str(kPrinciples[principle]) : "";
    return value + ", " + principleText + (job.HarmText[i].empty() ? "" : ", " + job.HarmText[i]);
}

void VoltageLines(const CMeasurementJob& job, std::vector<JobSummaryLine>& out) {
    out.push_back({Str(250), "", "", false});
    out.push_back(
        {Str(1528), Str(1518 + int(std::min<uint32_t>(job.VoltPowSysType, 4))), "", true});
    out.push_back({Str(240), job_text::Fixed(job.NomVoltRawVal * 0.01, 0) + " V", "", true});
    out.push_back({Str(219),
                   std::to_string(job_text::InputRangeVolts(job)) + " V, " +
                       Str(job.IsPhaseToPhase() ? 862 : 861) + ", " +
                       std::to_string(job.PowSysNomFreq) + " " + Str(824),
                   "", true});
    out.push_back({Str(251),
                   job.VoltTransformer == 1
                       ? job_text::Transformer(job.VoltPrimaryRawVal, job.VoltSecondaryRawVal, "V")
                       : kNone,
                   "", true});
    out.push_back({Str(239), job_text::Averaging(job.VoltMinMaxValInterval), "", true});
}

void CurrentLines(const CMeasurementJob& job, const JobSummaryColumns& shown,
                  std::vector<JobSummaryLine>& out) {
    const bool neutral = shown.neutral && job.NeutralMeas != 0;
    // Without a sensor and a measured neutral there is no current to speak of.
    if (!shown.currents && !neutral) return;
    auto phase = [&](const std::string& text) { return shown.currents ? text : kNone; };
    out.push_back({Str(253), shown.currents ? Str(243) : "", shown.neutral ? Str(242) : "", false});
    out.push_back({Str(219), phase(job_text::Fixed(job.PhCurrClampRawVal * 0.01, 2) + " A"),
                   neutral ? job_text::Fixed(job.NeutralClampCurrRawVal * 0.01, 2) + " A" : kNone,
                   true});
    out.push_back(
        {Str(255),
         phase(job.PhCurrTransformer == 1
                   ? job_text::Transformer(job.PhCurrPrimaryRawVal, job.PhCurrSecondaryRawVal, "A")
                   : kNone),
         neutral && job.NeutralCurrTransformer == 1
             ? job_text::Transformer(job.NeutralCurrPrimaryRawVal, job.NeutralCurrSecondaryRawVal,
                                     "A")
             : kNone,
         true});
    out.push_back({Str(234), phase(job_text::Averaging(job.PhMaxValInterval)),
                   neutral ? job_text::Averaging(job.NeutralMaxValInterval) : kNone, true});
    out.push_back({Str(244),
                   phase(job.SpecialTransformerPhase == 1
                             ? job_text::Fixed(job.PhaseCorrRawVal * 0.01, 2) + " " + "\xC2\xB0"
                             : kNone),
                   "", true});
}

}  // namespace

JobSummaryColumns SummaryColumns(const CMeasurementJob& job) {
    JobSummaryColumns columns;
    if (job.InstrHardwNr == 400) {
        columns.neutral = job.NeutralMeas != 0;
        columns.currents = job.ClampId != 0;
    }
    return columns;
}

std::vector<JobSummaryLine> JobSummary(const CMeasurementJob& job) {
    const JobSummaryColumns shown = SummaryColumns(job);
    std::vector<JobSummaryLine> out;
    for (int n = 0; n < kJobLineCount; ++n)
        out.push_back({job.JobTitle[size_t(n)], job.JobText[size_t(n)], "", false});
    out.push_back({Str(237), Period(job), "", false});
    out.push_back({Str(230),
                   job_text::IntervalLength(job.Interval) + ",  " +
                       job_text::MemoryModel(job.IntervalMemModel),
                   "", false});
    out.push_back({Str(236), Segments(job), "", false});
    VoltageLines(job, out);
    if (job.MeasFunc == kMeasFuncA) {
        out.push_back({Str(256), job.NrInterHarm > 0 ? "" : Str(kNotProgrammed), "", false});
        for (int n = 0; n < job.NrInterHarm && n < kInterharmonicCount; ++n)
            out.push_back(
                {Str(283) + " " + std::to_string(n + 1), Interharmonic(job, n), "", true});
    }
    out.push_back({Str(223), job_text::EventThresholds(job), "", false});
    out.push_back({"", job_text::MemoryModel(uint32_t(job.EventMemModel)), "", true});
    out.push_back({Str(859), job_text::Fixed(job.EventHysteresis, 2) + " %", "", true});
    CurrentLines(job, shown, out);
    if (shown.currents)
        out.push_back({Str(232), job_text::Averaging(job.PowMinMaxValInterval), "", false});
    return out;
}

}  // namespace varelo
