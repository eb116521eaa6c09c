#include "document/MeasurementInformation.h"

#include <algorithm>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "job/JobTexts.h"
#include "logger/LoggerInfoTexts.h"

namespace varelo {

namespace {

constexpr const char* kNone = "-";
constexpr const char* kNotCounted = "?";
constexpr int kNotProgrammed = 963;
constexpr int kYes = 877;
constexpr int kNo = 1078;
constexpr int kPhaseToNeutral = 861;
constexpr int kPhaseToPhase = 862;
constexpr int kHertz = 824;
constexpr int kPowerSystemTexts = 1518;  // "Wye" ... "Split single phase"
constexpr int kExtendedFamily = 40;      // InstrHardwNr / 10
// The dialog's caption carries the path only while title and path stay below this length.
constexpr size_t kCaptionLimit = 86;
constexpr int kEn50160Intervals = 1008;
constexpr int kEn50160IntervalSeconds = 600;
constexpr long long kWeekSeconds = 7LL * 24 * 3600;
constexpr int kEn50160MaxEvents = 1050;

bool IsAOrP(const CMeasurementJob& job) {
    return job.MeasFunc == kMeasFuncA || job.MeasFunc == kMeasFuncP;
}

size_t Characters(const std::string& text) {
    return size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string YesNo(bool yes) {
    return Str(yes ? kYes : kNo);
}

std::string PeriodLabel(const CMeasurementJob& job) {
    if (job.JobType == kJobSwitchActivated) return Str(1014);
    if (job.JobType == kJobContinuous) return Str(1012);
    return Txt(txt::info_measurementPeriod);
}

std::string PowerType(const CMeasurementJob& job) {
    return job.VoltPowSysType <= kPowSysSplitSinglePhase
               ? Str(kPowerSystemTexts + int(job.VoltPowSysType))
               : std::string();
}

std::string InputRange(const CMeasurementJob& job) {
    return std::to_string(job_text::InputRangeVolts(job)) + " V, " +
           Str(job.IsPhaseToPhase() ? kPhaseToPhase : kPhaseToNeutral) + ", " +
           std::to_string(job.PowSysNomFreq) + " " + Str(kHertz);
}

std::string Interharmonics(const CMeasurementJob& job) {
    if (job.MeasFunc != kMeasFuncA) return kNone;
    return job.NrInterHarm > 0 ? std::to_string(job.NrInterHarm) : Str(kNotProgrammed);
}

std::string PowerMinMax(const CMeasurementJob& job) {
    if (!IsAOrP(job)) return kNone;
    if (job.PowMinMaxValInterval == 3) return Str(1056);
    if (job.PowMinMaxValInterval == 8) return Str(1054);
    return "";
}

void CurrentRows(const CMeasurementJob& job, std::vector<InformationRow>& rows) {
    const bool neutral = job.NeutralMeas != 0;
    const bool extended = job.InstrHardwNr / 10 == kExtendedFamily;
    const std::string clamp = extended ? std::to_string(job.MaxClampCurr) + " A" : "";
    std::string cts = kNone;
    if (job.NeutralMeas == 1) cts = "1";
    if (job.NeutralMeas == 2) cts = "0";
    rows.push_back({"currentInputRange", Txt(txt::info_currentInputRange),
                    job_text::Fixed(job.PhCurrClampRawVal * 0.01, 0) + " A",
                    neutral ? job_text::Fixed(job.NeutralSensorCurrent(), 0) + " A" : kNone, true});
    rows.push_back({"maxClampCurrent", Txt(txt::info_maxClampCurrent), clamp,
                    neutral && extended ? clamp : kNone, true});
    rows.push_back({"numberOfCts", Txt(txt::info_numberOfCts),
                    job.VoltPowSysType == kPowSysTwoElementDelta ? "2" : "3", cts, true});
    rows.push_back({"additionalCt", Txt(txt::info_additionalCt),
                    job_text::PhaseCurrentTransformer(job),
                    job_text::NeutralCurrentTransformer(job), true});
    rows.push_back({"currentMaxValue", Txt(txt::info_maxValue),
                    job_text::Averaging(job.PhMaxValInterval),
                    neutral ? job_text::Averaging(job.NeutralMaxValInterval) : kNone, true});
}

}  // namespace

MeasurementInformation MakeMeasurementInformation(const CMeasurementJob& job) {
    MeasurementInformation info;
    std::vector<InformationRow>& rows = info.rows;
    for (size_t n = 0; n < size_t(kJobLineCount); ++n)
        rows.push_back({"text" + std::to_string(n + 1), job.JobTitle[n], job.JobText[n]});
    rows.push_back({"function", Txt(txt::info_measurementFunction), FunctionLetter(job.MeasFunc)});
    rows.push_back({"period", PeriodLabel(job), job_text::MeasuredPeriod(job)});
    rows.push_back({"intervals", Txt(txt::info_intervals),
                    job_text::IntervalLength(job.Interval) + ",  " +
                        job_text::MemoryModel(job.IntervalMemModel)});
    rows.push_back(
        {"segments", Txt(txt::info_measurementSegments), job_text::SegmentList(job, "\n")});
    rows.push_back({"powerType", Txt(txt::info_powerType), PowerType(job)});
    rows.push_back({"nominalVoltage", Txt(txt::info_nominalVoltage),
                    job_text::Fixed(job.NomVoltRawVal * 0.01, 0) + " V"});
    rows.push_back({"inputRange", Txt(txt::info_inputRange), InputRange(job)});
    rows.push_back({"voltageTransformer", Txt(txt::info_voltageTransformer),
                    job.VoltTransformer == 1
                        ? job_text::Transformer(job.VoltPrimaryRawVal, job.VoltSecondaryRawVal, "V")
                        : kNone});
    rows.push_back({"voltageMinMax", Txt(txt::info_minMaxValue),
                    job_text::Averaging(job.VoltMinMaxValInterval)});
    rows.push_back({"interharmonics", Txt(txt::info_interharmonics), Interharmonics(job)});
    rows.push_back({"events", Txt(txt::info_events),
                    job_text::EventThresholds(job) + ", " +
                        job_text::MemoryModel(uint32_t(job.EventMemModel))});
    if (IsAOrP(job))
        rows.push_back({"hysteresis", Str(859), job_text::Fixed(job.EventHysteresis, 2, 4) + " %"});
    CurrentRows(job, rows);
    const bool phaseShift = IsAOrP(job) && job.SpecialTransformerPhase == 1;
    rows.push_back({"phaseShift", phaseShift ? Str(244) : "",
                    phaseShift ? Msg(260, {job_text::Fixed(job.PhaseCorrRawVal * 0.01, 2)}) : ""});
    rows.push_back({"powerMinMax", Txt(txt::info_minMaxValue), PowerMinMax(job)});
    info.interharmonicButton = job.MeasFunc == kMeasFuncA && job.NrInterHarm > 0;
    return info;
}

std::string InformationCaption(const std::string& title, const std::string& path) {
    if (Characters(title) + Characters(path) < kCaptionLimit) return title + " - " + path;
    return path;
}

bool IsEn50160Week(const CMeasurementJob& job) {
    const CTimeStamp& start = job.MeasStartMeasured;
    const CTimeStamp& stop = job.MeasStopMeasured;
    return job.NrInterval == uint32_t(kEn50160Intervals) && job.NrMeasSectionsProg == 0 &&
           !start.IsZero() && !stop.IsZero() && stop.SecondsSince(start) == kWeekSeconds &&
           start.millisecond == stop.millisecond && job.IntervalMemModel == 0;
}

MeasurementAssessment MakeMeasurementAssessment(const CMeasurementJob& job,
                                                const MeasurementStatusCounts* counts) {
    MeasurementAssessment a;
    const int events = job.EventReady + job.EventOpen;
    a.en50160 = {
        {"timeJob", Txt(txt::info_timeJob), YesNo(job.JobType == kJobTimeActivated)},
        {"interval10Minutes", Txt(txt::info_interval10Minutes),
         YesNo(job.Interval == kEn50160IntervalSeconds)},
        {"duration1Week", Txt(txt::info_duration1Week), YesNo(IsEn50160Week(job))},
        {"lessThan1050Events", Txt(txt::info_lessThan1050Events),
         YesNo(events < kEn50160MaxEvents)},
    };
    auto count = [counts](size_t MeasurementStatusCounts::*member) {
        return counts ? std::to_string(counts->*member) : std::string(kNotCounted);
    };
    a.intervalsCaption = std::to_string(job.NrInterval) + " " + Str(864);
    a.intervals = {
        {"lineInterruptions", Txt(txt::info_lineInterruption),
         count(&MeasurementStatusCounts::intervalLineInterruptions)},
        {"unbalanceErrors", Txt(txt::info_unbalanceError),
         count(&MeasurementStatusCounts::intervalUnbalanceErrors)},
        {"synchronizationErrors", Txt(txt::info_synchronizationError),
         count(&MeasurementStatusCounts::intervalSyncErrors)},
        {"voltageOverflows", Txt(txt::info_voltageOverflow),
         count(&MeasurementStatusCounts::intervalVoltageOverflows)},
        {"currentOverflows", Txt(txt::info_currentOverflow),
         count(&MeasurementStatusCounts::intervalCurrentOverflows)},
    };
    const bool aOrP = IsAOrP(job);
    auto statistic = [&](size_t MeasurementStatusCounts::*member) {
        return aOrP ? count(member) : std::string(kNone);
    };
    a.statisticsCaption = std::to_string(job.NrStat) + " " + Str(867);
    a.statistics = {
        {"lineInterruptions", Txt(txt::info_lineInterruption),
         statistic(&MeasurementStatusCounts::statisticLineInterruptions)},
        {"synchronizationErrors", Txt(txt::info_synchronizationError),
         statistic(&MeasurementStatusCounts::statisticSyncErrors)},
        {"voltageOverflows", Txt(txt::info_voltageOverflow),
         statistic(&MeasurementStatusCounts::statisticVoltageOverflows)},
    };
    a.eventsCaption = std::to_string(events) + " " + Str(863);
    a.events = {{"finished", Txt(txt::info_finished), std::to_string(job.EventReady)},
                {"notFinished", Txt(txt::info_notFinished), std::to_string(job.EventOpen)}};
    return a;
}

std::vector<InformationRow> LoggerInformationRows(const CLoggerInfo& info) {
    const LoggerInfoTexts t = MakeLoggerInfoTexts(info);
    std::vector<InformationRow> rows = {
        {"designation", Txt(txt::info_designation), t.designation},
        {"dateTime", Txt(txt::info_dateTime), t.dateTime},
        {"hardwareType", Txt(txt::info_hardwareType), t.deviceType + "\n" + t.hardwareType},
        {"serialNumber", Str(988), t.serialNumber},
        {"measurementFunction", Txt(txt::info_measurementFunction), t.measurementFunction},
    };
    // The basic family has no clamp to speak of.
    if (t.clampShown) {
        rows.push_back({"currentSensorType", Txt(txt::info_currentSensorType), t.clampType});
        rows.push_back({"maxClampCurrent", Txt(txt::info_maxClampCurrent), t.maxClampCurrent});
    }
    rows.push_back({"details", Txt(txt::info_details), ""});
    rows.push_back({"basicUnit", Txt(txt::info_basicUnit), t.basicUnit + "\n" + t.hardwareCodes});
    rows.push_back({"calibration", Txt(txt::info_calibration), t.calibration});
    rows.push_back({"bootSoftware", Txt(txt::info_bootSoftware), t.bootSoftware});
    rows.push_back({"cpuSoftware", Txt(txt::info_cpuSoftware), t.cpuSoftware});
    rows.push_back({"dspSoftware", Txt(txt::info_dspSoftware), t.dspSoftware});
    return rows;
}

std::string InterharmonicChannelLine(const CMeasurementJob& job, int channel, int nominalFrequency,
                                     const std::string& separator) {
    if (channel < 0 || channel >= kInterharmonicCount) return "";
    const size_t i = size_t(channel);
    std::string line;
    if (job.HarmFreqSync[i] == 1)
        line = Str(333) + job_text::Fixed(job.HarmOrder[i] * 0.01, 2) + separator + Str(1174);
    else
        line = job_text::Fixed(job.HarmOrder[i] * 0.01 * nominalFrequency, 1, 6) + Str(824) +
               separator + Str(192);
    static const int kPrinciples[] = {1111, 1112, 1107, 1109};
    const int principle = job.HarmMeasPrinciple[i];
    line += separator + (principle >= 0 && principle < 4 ? Str(kPrinciples[principle]) : "");
    if (!job.HarmText[i].empty()) line += separator + job.HarmText[i];
    return line;
}

}  // namespace varelo
