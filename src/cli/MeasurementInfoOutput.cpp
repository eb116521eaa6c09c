#include "cli/MeasurementInfoOutput.h"

#include <algorithm>
#include <cstdio>

#include "app/StringTable.h"
#include "document/MeasurementInformation.h"
#include "logger/LoggerInfoTexts.h"
#include "measurement/StatusCounts.h"
#include "platform/JsonWriter.h"

namespace varelo {

namespace {

constexpr int kLabelWidth = 26;
constexpr int kPowerSystemTexts = 1518;  // "Wye" ... "Split single phase"
constexpr int kLinear = 970;
constexpr int kCircular = 1444;
constexpr int kPhaseToNeutral = 861;
constexpr int kPhaseToPhase = 862;

void Line(std::string& out, const std::string& label, const std::string& value) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%-*s", kLabelWidth, label.c_str());
    out += prefix + value + "\n";
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Counts(size_t intervals, const size_t* segments) {
    std::string text = std::to_string(intervals) + " intervals";
    if (segments) text += ", " + std::to_string(*segments) + " statistic segments";
    return text;
}

void Rows(JsonWriter& json, const std::vector<InformationRow>& rows) {
    json.BeginArray();
    for (const InformationRow& row : rows) {
        json.BeginObject().Key("key").String(row.key).Key("label").String(row.label);
        json.Key("value").String(row.value);
        if (row.twoColumns) json.Key("neutral").String(row.neutral);
        json.EndObject();
    }
    json.EndArray();
}

void Group(JsonWriter& json, const char* key, const std::string& caption,
           const std::vector<InformationRow>& rows) {
    json.Key(key).BeginObject().Key("caption").String(caption).Key("rows");
    Rows(json, rows);
    json.EndObject();
}

}  // namespace

std::string MeasurementInfoJson(const std::string& path, const MeasurementData& data) {
    const CMeasurementJob& job = data.job;
    const MeasurementInformation info = MakeMeasurementInformation(job);
    const MeasurementStatusCounts counts =
        CountStatusConditions(data.intervals, data.statistics, data.events, job.MeasStopMeasured);
    const MeasurementAssessment a = MakeMeasurementAssessment(job, &counts);
    JsonWriter json;
    json.BeginObject().Key("file").String(path);
    json.Key("information");
    Rows(json, info.rows);
    json.Key("en50160");
    Rows(json, a.en50160);
    Group(json, "intervals", a.intervalsCaption, a.intervals);
    Group(json, "statistics", a.statisticsCaption, a.statistics);
    Group(json, "events", a.eventsCaption, a.events);
    json.Key("interharmonics").BeginArray();
    for (int n = 0; n < std::clamp<int>(job.NrInterHarm, 0, kInterharmonicCount); ++n) {
        const std::string line = InterharmonicChannelLine(job, n, job.PowSysNomFreq, "\t");
        json.BeginArray();
        size_t start = 0;
        for (size_t tab = line.find('\t');; tab = line.find('\t', start)) {
            json.String(line.substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

std::string IsoTimeText(const CTimeStamp& t) {
    if (t.IsZero()) return "???";
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string MeasurementInfoText(const std::string& path, const MeasurementData& data) {
    const CMeasurementJob& job = data.job;
    const LoggerInfoTexts logger = MakeLoggerInfoTexts(data.logger);
    std::string out;
    Line(out, "Measurement file:", path);
    out += "Logger\n";
    Line(out, "  Device type:", logger.deviceType.empty() ? "?" : logger.deviceType);
    Line(out, "  Hardware type:", logger.hardwareType);
    Line(out, "  Serial number:", logger.serialNumber);
    Line(out, "  Designation:", logger.designation);
    Line(out, "  Boot software:", logger.bootSoftware);
    Line(out, "  CPU software:", logger.cpuSoftware);
    Line(out, "  DSP software:", logger.dspSoftware);

    out += "Job\n";
    const std::string function = FunctionLetter(job.MeasFunc);
    Line(out, "  Measurement function:", function.empty() ? "-" : function);
    Line(out, "  Nominal system:",
         Number(job.NomVoltRawVal * 0.01) + " V, " + std::to_string(job.PowSysNomFreq) + " Hz");
    Line(out, "  Interval:",
         std::to_string(job.Interval) + " s, " +
             Str(job.IntervalMemModel == 1 ? kCircular : kLinear));
    Line(out, "  Power system type:",
         job.VoltPowSysType <= kPowSysSplitSinglePhase
             ? Str(kPowerSystemTexts + int(job.VoltPowSysType))
             : std::to_string(job.VoltPowSysType));
    Line(out, "  Voltage range:",
         Number(job.VoltageRange()) + " V, " +
             Str(job.IsPhaseToPhase() ? kPhaseToPhase : kPhaseToNeutral));
    Line(out, "  Current range:",
         "phase " + Number(job.PhaseCurrentRange()) + " A, neutral " +
             (job.NeutralMeas != 0 ? Number(job.NeutralCurrentRange()) + " A" : "-"));

    const MeasurementStatusCounts n =
        CountStatusConditions(data.intervals, data.statistics, data.events, job.MeasStopMeasured);
    Line(out, "Measurement period:",
         IsoTimeText(job.MeasStartMeasured) + " - " + IsoTimeText(job.MeasStopMeasured));
    Line(out, "Intervals:", std::to_string(data.intervals.size()));
    Line(out, "Statistic segments:", std::to_string(data.statistics.size()));
    Line(out, "Events:",
         std::to_string(data.events.size()) + " (finished " + std::to_string(n.finishedEvents) +
             ", not finished " + std::to_string(n.unfinishedEvents) + ")");
    out += "Status conditions\n";
    Line(out, "  Line interruption:",
         Counts(n.intervalLineInterruptions, &n.statisticLineInterruptions));
    Line(out, "  Synchronization error:", Counts(n.intervalSyncErrors, &n.statisticSyncErrors));
    Line(out, "  Unbalance error:", Counts(n.intervalUnbalanceErrors, nullptr));
    Line(out,
         "  Voltage overflow:", Counts(n.intervalVoltageOverflows, &n.statisticVoltageOverflows));
    Line(out, "  Current overflow:", Counts(n.intervalCurrentOverflows, nullptr));
    return out;
}

}  // namespace varelo
