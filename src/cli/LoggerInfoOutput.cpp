#include "cli/LoggerInfoOutput.h"

#include <cstdio>

#include "logger/LoggerInfoTexts.h"
#include "platform/JsonWriter.h"

namespace varelo {

namespace {

constexpr int kLabelWidth = 24;
constexpr int kJobColumnWidth = 12;

void Line(std::string& out, const std::string& label, const std::string& value) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%-*s", kLabelWidth, label.c_str());
    out += prefix + value + "\n";
}

void JobLine(std::string& out, const std::string& label, const std::string& job,
             const std::string& oldJob) {
    char row[128];
    std::snprintf(row, sizeof row, "%-*s%-*s%s", kLabelWidth, label.c_str(), kJobColumnWidth,
                  job.c_str(), oldJob.c_str());
    out += row;
    out += "\n";
}

std::string ClockText(const CTimeStamp& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

void Program(JsonWriter& w, const char* key, const std::string& version,
             const std::string& function) {
    w.Key(key).BeginObject();
    w.Key("version").String(version);
    w.Key("function").String(function);
    w.EndObject();
}

void Job(JsonWriter& w, const char* key, const JobStatusCounts& c, uint32_t function, bool exists) {
    w.Key(key).BeginObject().Key("function");
    std::string letter = FunctionLetter(function);
    if (exists && !letter.empty()) {
        w.String(letter);
    } else {
        w.Null();
    }
    w.Key("intervals").Int(c.intervalCount).Key("intervalMemory").Int(c.intervalMemoryState);
    w.Key("statistics").Int(c.statisticCount).Key("statisticsMemory").Int(c.statisticsMemoryState);
    w.Key("completeEvents").Int(c.completeEvents).Key("eventMemory").Int(c.eventMemoryState);
    w.Key("incompleteEvents").Int(c.incompleteEvents);
    w.EndObject();
}

}  // namespace

std::string LoggerInfoText(const CLoggerInfo& info) {
    const LoggerInfoTexts t = MakeLoggerInfoTexts(info);
    std::string out;
    Line(out, "Designation:", t.designation);
    Line(out, "Date/Time:", t.dateTime);
    Line(out, "Hardware type:", t.deviceType);
    Line(out, "", t.hardwareType);
    Line(out, "Serial number:", t.serialNumber);
    Line(out, "Measurement function:", t.measurementFunction);
    if (t.clampShown) {
        Line(out, "Current sensor type:", t.clampType);
        Line(out, "Max. clamp current:", t.maxClampCurrent);
    }
    Line(out, "Status:", t.status);
    Line(out, "Interval capacity:", std::to_string(info.intervalCapacity));
    out += "\n";
    JobLine(out, "", "Job", "Old job");
    JobLine(out, "Measurement function:", t.job.function, t.oldJob.function);
    JobLine(out, "Number of intervals:", t.job.intervals, t.oldJob.intervals);
    JobLine(out, "Number of statistics:", t.job.statistics, t.oldJob.statistics);
    JobLine(out, "Events completed:", t.job.eventsCompleted, t.oldJob.eventsCompleted);
    JobLine(out, "Events not completed:", t.job.eventsNotCompleted, t.oldJob.eventsNotCompleted);
    out += "(*), (**): memory state 1, 2\n\nDetails\n";
    Line(out, "Basic unit:", t.basicUnit);
    Line(out, "", t.hardwareCodes);
    Line(out, "Calibration:", t.calibration);
    Line(out, "Boot Software:", t.bootSoftware);
    Line(out, "CPU software:", t.cpuSoftware);
    Line(out, "DSP software:", t.dspSoftware);
    return out;
}

std::string LoggerInfoJson(const CLoggerInfo& info) {
    const LoggerInfoTexts t = MakeLoggerInfoTexts(info);
    const DeviceTypeRow* row = DeviceTypeRowOf(info);
    const int jobClass = JobClass(info.OperatingState);
    JsonWriter w;
    w.BeginObject();
    w.Key("deviceType").String(t.deviceType);
    w.Key("typeCode").String(row ? row->typeCode : "");
    w.Key("hardwareType").String(t.hardwareType);
    w.Key("serialNumber").String(t.serialNumber);
    w.Key("basicUnit").String(t.basicUnit);
    w.Key("hardwareCodes").String(t.hardwareCodes);
    w.Key("calibration").String(t.calibration);
    Program(w, "boot", info.VersionBoot, info.FuncBoot);
    Program(w, "cpu", info.VersionCPU, info.FuncCPU);
    Program(w, "dsp", info.VersionDSP, info.FuncDSP);
    w.Key("clamp");
    if (t.clampShown) {
        w.BeginObject().Key("id").Int(info.ClampId).Key("maxCurrent").Int(info.MaxClampCurr);
        w.EndObject();
    } else {
        w.Null();
    }
    w.Key("measurementFunction").String(t.measurementFunction);
    w.Key("clock").String(ClockText(info.InstrTime));
    w.Key("designation").String(t.designation);
    w.Key("jobState").BeginObject();
    w.Key("letter").String(std::string(1, info.OperatingState)).Key("text").String(t.status);
    w.EndObject();
    w.Key("onlineState").String(std::string(1, info.OnlineState));
    w.Key("intervalCapacity").Int(info.intervalCapacity);
    Job(w, "currentJob", info.currentJob, info.jobFunction[0], jobClass >= 1);
    if (jobClass >= 2) {
        Job(w, "oldJob", info.oldJob, info.jobFunction[1], true);
    } else {
        w.Key("oldJob").Null();
    }
    w.EndObject();
    return w.Text() + "\n";
}

}  // namespace varelo
