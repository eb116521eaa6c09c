#include "document/MeasurementInfoBlock.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "document/Vamor800Doc.h"
#include "logger/LoggerInfoTexts.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kNotProgrammed = 963;
constexpr const char* kNone = "-";

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
                job_text::Fixed(v->WithinPercent(0, p), 2) + " %";
    }
    return text.empty() ? kNone : text;
}

std::string FrequencyWithin(const CVamor800Doc& doc) {
    const CFrequencyStatistics* f = doc.Evaluation().Frequency();
    return f && f->HasValues() ? job_text::Fixed(f->WithinPercent(0), 2) + " %" : kNone;
}

void VoltageLines(const CMeasurementJob& job, std::vector<InfoBlockLine>& out) {
    out.push_back({Str(250), "", "", false});
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

void CurrentLines(const CMeasurementJob& job, std::vector<InfoBlockLine>& out) {
    const bool neutral = job.NeutralMeas != 0;
    out.push_back({Str(253), Str(243), Str(242), false});
    out.push_back({Str(219), job_text::Fixed(job.PhCurrClampRawVal * 0.01, 0) + " A",
                   neutral ? job_text::Fixed(job.NeutralSensorCurrent(), 0) + " A" : kNone, true});
    out.push_back({Str(255), job_text::PhaseCurrentTransformer(job),
                   job_text::NeutralCurrentTransformer(job), true});
    out.push_back({Str(234), job_text::Averaging(job.PhMaxValInterval),
                   neutral ? job_text::Averaging(job.NeutralMaxValInterval) : kNone, true});
}

void EventLines(const CMeasurementJob& job, std::vector<InfoBlockLine>& out) {
    out.push_back({Str(223), job_text::EventThresholds(job), "", false});
    out.push_back({Txt(txt::info_memoryModelForEvents),
                   job_text::MemoryModel(uint32_t(job.EventMemModel)), "", true});
    out.push_back({Str(859),
                   IsAOrP(job) ? job_text::Fixed(job.EventHysteresis, 2, 4) + " %" : kNone, "",
                   true});
}

}  // namespace

std::vector<InfoBlockLine> MeasurementInfoBlock(const CVamor800Doc& doc) {
    const CMeasurementJob& job = doc.Data().job;
    const LoggerInfoTexts logger = MakeLoggerInfoTexts(doc.Data().logger);
    std::vector<InfoBlockLine> out;
    out.push_back({Str(235), Str(988) + " " + logger.serialNumber, "", false});
    out.push_back({Str(1123), doc.FilePath(true), "", false});
    out.push_back({Str(1121), FunctionLetter(job.MeasFunc), "", false});
    out.push_back({Str(237), job_text::MeasuredPeriod(job), "", false});
    out.push_back({Str(236), job_text::SegmentList(job, "; "), "", false});
    out.push_back({Str(230),
                   job_text::IntervalLength(job.Interval) + ",  " +
                       job_text::MemoryModel(job.IntervalMemModel),
                   "", false});
    VoltageLines(job, out);
    CurrentLines(job, out);
    std::string interharmonics = kNone;
    if (job.MeasFunc == kMeasFuncA)
        interharmonics =
            job.NrInterHarm > 0 ? std::to_string(job.NrInterHarm) : Str(kNotProgrammed);
    out.push_back({Txt(txt::info_numberOfInterharmonics), interharmonics, "", false});
    EventLines(job, out);
    out.push_back({Str(835), doc.LimitFilePath(), "", false});
    out.push_back({Txt(txt::info_measurementsWithinTolerance), VoltageWithin(doc), "", false});
    out.push_back({Txt(txt::info_frequencyWithinTolerance), FrequencyWithin(doc), "", false});
    return out;
}

}  // namespace varelo
