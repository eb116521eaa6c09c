#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "measurement/MeasurementJob.h"
#include "measurement/TimeStamp.h"

namespace varelo {

// Counts and memory states of one job as a Status paragraph reports them.
struct JobStatusCounts {
    int16_t intervalMemoryState = -1;  // 0 to 2
    int32_t intervalCount = -1;
    int16_t statisticsMemoryState = -1;  // 0 to 2
    int16_t statisticCount = -1;
    int16_t eventMemoryState = -1;  // 0 to 2
    int16_t completeEvents = -1;
    int16_t incompleteEvents = -1;  // 0 to 3
};

// What a Logger reports about itself: its configuration paragraphs, the current clamp, its
// capacity and the states of its current and old job.
struct CLoggerInfo {
    std::string HardwType;       // 30 characters; its first characters give the device type
    std::string SerialNr;        // 20 characters
    std::string HardwBasicUnit;  // 20 characters
    int16_t HardwSupplyVoltage = -1;
    int16_t HardwNomFreq = -1;
    int16_t HardwVoltRange = -1;
    int16_t HardwCurrRange = -1;
    std::string VersionBoot;
    std::string FuncBoot;
    std::string Calibration;
    uint8_t ClampId = 0;  // 0 = no clamp
    uint16_t MaxClampCurr = 1500;
    std::array<uint8_t, 6> ClampSerNr{};
    std::string MeasFunc;
    std::string VersionCPU;
    std::string FuncCPU;  // the part before the first ";" names the measurement function
    std::string VersionDSP;
    std::string FuncDSP;
    CTimeStamp InstrTime;
    std::string FirmwDescription;  // the Logger's designation
    char OperatingState = '?';     // job-state letter
    char OnlineState = '?';
    JobStatusCounts currentJob;  // its complete and incomplete events are EventReady/EventOpen
    JobStatusCounts oldJob{0, 0, 0, 0, 0, 0, 0};
    int32_t intervalCapacity = 1008;
    std::array<uint32_t, 2> jobFunction{0, 0};  // current and old job: 10, 3 or 0

    int16_t EventReady() const { return currentJob.completeEvents; }
    int16_t EventOpen() const { return currentJob.incompleteEvents; }

    // 300 basic family, 400 extended family, 0 unknown.
    int DeviceFamily() const;
    bool IsExtendedFamily() const { return DeviceFamily() == 400; }
    // 10 when CPU and DSP software both name function A, else 3.
    uint32_t MeasurementFunction() const;
    // 2 from CPU version "5.02", 1 from "5.01", else 0.
    int FirmwareGeneration() const;
    // "T: ..,  F: ..,  U: ..,  I: .." of the four hardware codes.
    std::string HardwareCodeSummary() const;
};

// 1 a current job exists, 2 and an old job is available, 0 otherwise.
int JobClass(char operatingState);
// Text of a job-state letter; "???" for any other.
std::string OperatingStateText(char operatingState);

struct DeviceTypeRow {
    const char* shortCode;
    const char* typeCode;
    bool inResetList;
    const char* designation;
};

std::span<const DeviceTypeRow> DeviceTypes();
// The row of the Logger's device type; none when its type text is not in the table.
const DeviceTypeRow* DeviceTypeRowOf(const CLoggerInfo& info);
// The designation of the Logger's device type; empty when unknown.
std::string DeviceDesignation(const CLoggerInfo& info);
// The type code of a designation; empty when unknown.
std::string DesignationToTypeCode(const std::string& designation);

}  // namespace varelo
