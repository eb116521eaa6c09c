#pragma once

#include <string>

#include "measurement/LoggerInfo.h"

namespace varelo {

// The job rows of the Logger information dialog.
struct LoggerJobTexts {
    std::string function;  // "A", "P", "" for another code, "-" when there is no such job
    // Counts, followed by " (*)" when their memory state is 1 and " (**)" when it is 2.
    std::string intervals;
    std::string statistics;  // a negative count shows as 0
    std::string eventsCompleted;
    std::string eventsNotCompleted;  // always "0" for the old job
};

// What the Logger information dialog and its details show of a CLoggerInfo, as texts.
struct LoggerInfoTexts {
    std::string designation;
    std::string dateTime;
    std::string deviceType;    // designation of the device type; empty when unknown
    std::string hardwareType;  // the first 30 characters of the type text
    std::string serialNumber;  // the first 20 characters
    std::string measurementFunction;
    bool clampShown = false;  // the two clamp rows belong to the extended family only
    std::string clampType;
    std::string maxClampCurrent;  // "1500 A"
    std::string status;           // text of the job-state letter
    LoggerJobTexts job;
    LoggerJobTexts oldJob;
    // Details.
    std::string basicUnit;
    std::string hardwareCodes;  // the hardware code summary
    std::string calibration;
    std::string bootSoftware;  // version, "/  ", function text
    std::string cpuSoftware;
    std::string dspSoftware;
};

LoggerInfoTexts MakeLoggerInfoTexts(const CLoggerInfo& info);

// "A" for function A, "P" for function P, empty for any other code.
std::string FunctionLetter(uint32_t function);

}  // namespace varelo
