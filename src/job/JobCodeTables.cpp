#include "job/JobCodeTables.h"

#include <algorithm>
#include <iterator>

#include "app/StringTable.h"
#include "job/JobTexts.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kSensorTexts = 2040;  // texts of sensor types 0 to 6
constexpr int kOfferedSensorTypes = 7;
constexpr int32_t kIntervals[] = {1, 3, 5, 10, 30, 60, 300, 600, 900, 1800, 3600};

std::vector<JobCode> Averaging(int lastCode) {
    std::vector<JobCode> codes;
    for (int code = 0; code <= lastCode; ++code)
        codes.push_back({code, job_text::Averaging(code)});
    return codes;
}

struct TypeInputs {
    const char* typeCode;
    int currentInputs;
};
// The fixed current inputs of each device type; -1: the attached sensor gives the currents.
constexpr TypeInputs kTypeInputs[] = {
    {"300b", 0}, {"301b", 0}, {"302b", 3}, {"303b", 1}, {"304b", 4},  {"400b", 0},
    {"401b", 0}, {"402b", 3}, {"403b", 1}, {"404b", 4}, {"408b", -1},
};

bool SensorWithNeutral(uint8_t clampId) {
    return clampId == 2 || clampId == 4 || clampId == 6;
}
bool ThreePhaseSensor(uint8_t clampId) {
    return clampId == 1 || clampId == 3 || clampId == 5;
}

}  // namespace

std::vector<JobCode> VoltageAveragingTimes() {
    return Averaging(5);
}

std::vector<JobCode> CurrentAveragingTimes() {
    return Averaging(8);
}

std::vector<JobCode> PowerAveragingTimes(int32_t interval) {
    std::vector<JobCode> codes;
    if (interval >= 60) codes.push_back({kPowerAveragingMinute, "1 " + Str(1063)});
    codes.push_back({kPowerAveragingSecond, "1 " + Str(1197)});
    return codes;
}

std::vector<JobCode> PowerSystemTypes() {
    std::vector<JobCode> codes;
    for (uint32_t type : {kPowSysDelta, kPowSysTwoElementDelta, kPowSysWye, kPowSysSinglePhase,
                          kPowSysSplitSinglePhase})
        codes.push_back({int(type), Str(1518 + int(type))});
    return codes;
}

std::vector<JobCode> IntervalLengths() {
    std::vector<JobCode> codes;
    for (int32_t seconds : kIntervals)
        codes.push_back({seconds, job_text::IntervalLength(seconds)});
    return codes;
}

bool IsJobInterval(int32_t seconds) {
    return std::find(std::begin(kIntervals), std::end(kIntervals), seconds) != std::end(kIntervals);
}

std::vector<JobCode> MemoryModels() {
    return {{0, job_text::MemoryModel(0)}, {1, job_text::MemoryModel(1)}};
}

std::vector<JobCode> MeasuringPrinciples() {
    return {{0, Str(1111)}, {1, Str(1112)}, {2, Str(1107)}, {3, Str(1109)}};
}

std::vector<JobCode> CurrentSensorTypes() {
    std::vector<JobCode> codes;
    for (int code = 0; code < kOfferedSensorTypes; ++code)
        codes.push_back({code, Str(kSensorTexts + code)});
    return codes;
}

std::vector<int> NominalFrequencies(int loggerFrequency) {
    if (loggerFrequency == 50 || loggerFrequency == 60) return {loggerFrequency};
    return {50, 60};
}

int FamilyOfType(const std::string& typeCode) {
    if (typeCode.starts_with("30")) return 300;
    if (typeCode.starts_with("40")) return 400;
    return 0;
}

int CurrentInputsOfType(const std::string& typeCode) {
    for (const TypeInputs& row : kTypeInputs)
        if (typeCode == row.typeCode) return row.currentInputs;
    return 0;
}

bool ExpectsSmartSensor(const std::string& typeCode) {
    return CurrentInputsOfType(typeCode) < 0;
}

double SensorMaxCurrent(int family, uint8_t clampId, uint16_t maxClampCurr) {
    return family == 400 && clampId != 0 ? double(maxClampCurr) : kCurrentWithoutSensor;
}

std::vector<double> OfferedCurrentRanges(int family, uint8_t clampId, uint16_t maxClampCurr) {
    if (family != 400 || clampId == 0) return {1500, 150, 15};
    const double imax = maxClampCurr;
    if (clampId == 5 || clampId == 6) return {imax, imax * 0.1};
    return {imax, imax * 0.5, imax * 0.05, imax * 0.005};
}

double MapCurrentRange(double range, std::span<const double> offered) {
    if (offered.empty()) return range;
    double best = *std::max_element(offered.begin(), offered.end());
    for (double candidate : offered)
        if (candidate >= range && candidate < best) best = candidate;
    return best;
}

int16_t NeutralMeasurement(uint32_t powerSystemType, const std::string& typeCode, uint8_t clampId) {
    if (powerSystemType != kPowSysWye && powerSystemType != kPowSysSplitSinglePhase) return 0;
    const int inputs = CurrentInputsOfType(typeCode);
    const bool sensor = inputs < 0;
    if (inputs == 4 || (sensor && SensorWithNeutral(clampId))) return 1;
    if (inputs == 3 || (sensor && ThreePhaseSensor(clampId))) return 2;
    return 0;
}

}  // namespace varelo
