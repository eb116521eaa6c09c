#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace varelo {

// The code tables of the job editor's lists: each entry a stored code and its text, in the
// order the lists show them.
struct JobCode {
    int code;
    std::string text;
};

// Averaging times of the voltage (codes 0..5) and current (0..8) min/max values.
std::vector<JobCode> VoltageAveragingTimes();
std::vector<JobCode> CurrentAveragingTimes();
// Power averaging: "1 minute" (8) only with intervals of 60 s or more, and "1 second" (3).
std::vector<JobCode> PowerAveragingTimes(int32_t interval);
inline constexpr int16_t kPowerAveragingMinute = 8;
inline constexpr int16_t kPowerAveragingSecond = 3;
// Power system types in list order: Delta, 2-Element Delta, Wye, Single phase, Split single.
std::vector<JobCode> PowerSystemTypes();
// Interval lengths in seconds, with their texts ("1 second", "10 minutes").
std::vector<JobCode> IntervalLengths();
bool IsJobInterval(int32_t seconds);
// Memory models: 0 linear, 1 circular.
std::vector<JobCode> MemoryModels();
// Interharmonic measuring principles (`HarmMeasPrinciple`); the third is the default.
std::vector<JobCode> MeasuringPrinciples();
inline constexpr int16_t kDefaultMeasuringPrinciple = 2;
// Current sensor types offered in "Type attached" (0 to 6).
std::vector<JobCode> CurrentSensorTypes();
// Nominal frequencies a Logger reporting f offers (0: no Logger, both).
std::vector<int> NominalFrequencies(int loggerFrequency);

// The family of a device type code: "30.." basic (300), "40.." extended (400), else 0.
int FamilyOfType(const std::string& typeCode);
// Current inputs of a device type: 0, 1, 3 or 4; -1 when its currents come from a sensor.
int CurrentInputsOfType(const std::string& typeCode);
// Whether a Logger type expects a smart current sensor.
bool ExpectsSmartSensor(const std::string& typeCode);

// The largest current of the attached sensor; without one 1500 A.
inline constexpr double kCurrentWithoutSensor = 1500.0;
double SensorMaxCurrent(int family, uint8_t clampId, uint16_t maxClampCurr);
// Phase and neutral input ranges (A) offered for the family and sensor, largest first.
std::vector<double> OfferedCurrentRanges(int family, uint8_t clampId, uint16_t maxClampCurr);
// A stored range moved to the smallest offered range not below it (the largest when none).
double MapCurrentRange(double range, std::span<const double> offered);
// `NeutralMeas` for the power system, Logger type and sensor: 1 measured, 2 calculated, 0 none.
int16_t NeutralMeasurement(uint32_t powerSystemType, const std::string& typeCode, uint8_t clampId);

}  // namespace varelo
