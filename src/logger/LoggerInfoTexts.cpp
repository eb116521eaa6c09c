#include "logger/LoggerInfoTexts.h"

#include <algorithm>

#include "measurement/MeasurementJob.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

std::string Count(int64_t count, int16_t memoryState) {
    std::string text = std::to_string(count);
    if (memoryState == 1)
        text += " (*)";
    else if (memoryState == 2)
        text += " (**)";
    return text;
}

LoggerJobTexts JobTexts(const JobStatusCounts& counts, uint32_t function, bool exists,
                        bool isOldJob) {
    LoggerJobTexts t;
    t.function = exists ? FunctionLetter(function) : "-";
    t.intervals = Count(counts.intervalCount, counts.intervalMemoryState);
    t.statistics = Count(std::max<int16_t>(counts.statisticCount, 0), counts.statisticsMemoryState);
    t.eventsCompleted = Count(counts.completeEvents, counts.eventMemoryState);
    t.eventsNotCompleted = isOldJob ? "0" : std::to_string(counts.incompleteEvents);
    return t;
}

}  // namespace

std::string FunctionLetter(uint32_t function) {
    if (function == kMeasFuncA) return "A";
    if (function == kMeasFuncP) return "P";
    return "";
}

LoggerInfoTexts MakeLoggerInfoTexts(const CLoggerInfo& info) {
    auto text = [](const std::string& utf8, size_t width = std::string::npos) {
        return std::string(Utf8Prefix(utf8, width));
    };
    LoggerInfoTexts t;
    t.designation = text(info.FirmwDescription);
    t.dateTime = info.InstrTime.DisplayText();
    t.deviceType = DeviceDesignation(info);
    t.hardwareType = text(info.HardwType, 30);
    t.serialNumber = text(info.SerialNr, 20);
    t.measurementFunction = text(info.MeasFunc);
    t.clampShown = info.IsExtendedFamily();
    t.clampType = std::to_string(info.ClampId);
    t.maxClampCurrent = std::to_string(info.MaxClampCurr) + " A";
    t.status = OperatingStateText(info.OperatingState);

    const int jobClass = JobClass(info.OperatingState);
    t.job = JobTexts(info.currentJob, info.jobFunction[0], jobClass >= 1, false);
    t.oldJob = JobTexts(info.oldJob, info.jobFunction[1], jobClass >= 2, true);

    t.basicUnit = text(info.HardwBasicUnit);
    t.hardwareCodes = info.HardwareCodeSummary();
    t.calibration = text(info.Calibration, 20);
    t.bootSoftware = text(info.VersionBoot) + "/  " + text(info.FuncBoot);
    t.cpuSoftware = text(info.VersionCPU) + "/  " + text(info.FuncCPU);
    t.dspSoftware = text(info.VersionDSP) + "/  " + text(info.FuncDSP);
    return t;
}

}  // namespace varelo
