#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "measurement/TimeStamp.h"

namespace varelo {

// Measurement functions (`MeasFunc`).
inline constexpr uint32_t kMeasFuncNotSet = 0;
inline constexpr uint32_t kMeasFuncP = 3;   // without harmonics
inline constexpr uint32_t kMeasFuncA = 10;  // with voltage and current harmonics

// Job types (`JobType`).
inline constexpr int32_t kJobTimeActivated = 0;
inline constexpr int32_t kJobSwitchActivated = 1;
inline constexpr int32_t kJobContinuous = 2;

// Power system types (`VoltPowSysType`); texts 1518 to 1522.
inline constexpr uint32_t kPowSysWye = 0;
inline constexpr uint32_t kPowSysDelta = 1;
inline constexpr uint32_t kPowSysTwoElementDelta = 2;
inline constexpr uint32_t kPowSysSinglePhase = 3;
inline constexpr uint32_t kPowSysSplitSinglePhase = 4;

// Range of every raw voltage and current value (0.01 V, 0.01 A) a job keeps.
inline constexpr int32_t kRawValueMin = 1;
inline constexpr int32_t kRawValueMax = 99900000;

inline constexpr int kJobLineCount = 6;
inline constexpr int kMeasSectionCount = 2;
inline constexpr int kInterharmonicCount = 5;

// A measurement job: what the Logger measures, when and how, and, for a job read back from the
// Logger, its report on the measurement. The members are named by the keys under which
// measurement and job files store them; "RawVal" members are integers in 0.01 units. A job is
// a value: copy it freely.
class CMeasurementJob {
public:
    // The defaults of a new job; the line captions come from the current string table.
    CMeasurementJob();

    int32_t NrIntervalMax = 1008;
    uint32_t MeasFunc = kMeasFuncNotSet;              // kept on decoding: 3 or 10
    int16_t PowSysNomFreq = 50;                       // Hz: 50 or 60
    int16_t PowSysNomVolt = 230;                      // V: 230 or 120
    std::array<std::string, kJobLineCount> JobTitle;  // at most 20 characters on the wire
    std::array<std::string, kJobLineCount> JobText;   // at most 40 characters on the wire
    int32_t JobType = kJobTimeActivated;              // 0 to 2
    CTimeStamp ProgStartMeas;
    CTimeStamp ProgStopMeas;
    int16_t NrMeasSectionsProg = 0;  // 0 to 2
    // Weekly measurement segments: weekday (0 = every day, 1 = Monday ... 7 = Sunday), hour
    // and minute of start and end; the date fields stay zero.
    std::array<CTimeStamp, kMeasSectionCount> NrMeasSectionsProgStart;
    std::array<CTimeStamp, kMeasSectionCount> NrMeasSectionsProgEnd;
    int32_t Interval = 600;                // s: 1, 3, 5, 10, 30, 60, 300, 600, 900, 1800, 3600
    uint32_t IntervalMemModel = 0;         // 0 linear, 1 circular
    int32_t InstrHardwNr = 300;            // 300 basic family, 400 extended family
    int16_t VoltMinMaxValInterval = 1;     // averaging code 0 to 5
    uint32_t VoltPowSysType = kPowSysWye;  // 0 to 4
    int32_t NomVoltRawVal = 23000;
    int16_t VoltInputRangeCode = 6;  // 1, 5, 6, 7
    int16_t VoltTransformer = 0;     // 1 = a voltage transformer is used
    int32_t VoltPrimaryRawVal = 23000;
    int32_t VoltSecondaryRawVal = 23000;
    int16_t NrInterHarm = 0;  // 0 to 5
    // Interharmonic channels: order or frequency as the job editor defines it, text (at most
    // 30 characters), frequency-synchronous flag, measuring principle 0 to 3.
    std::array<int16_t, kInterharmonicCount> HarmOrder{};
    std::array<std::string, kInterharmonicCount> HarmText;
    std::array<int16_t, kInterharmonicCount> HarmFreqSync{};
    std::array<int16_t, kInterharmonicCount> HarmMeasPrinciple{};
    float VoltUpperThreshShort = 110.0f;  // % of the nominal voltage: 100.50 to 120.00
    float VoltLowerThreshShort = 90.0f;   // %: at most 99.50
    int16_t FactorVoltUpperLowerThresh = 100;
    int32_t EventMemModel = 0;     // 0 linear, 1 circular
    int16_t CurrPowSys = 0;        // 1 = currents are measured
    int16_t PhMaxValInterval = 1;  // averaging code 0 to 8
    int32_t PhCurrClampRawVal = 100000;
    int16_t PhCurrTransformer = 0;  // 1 = additional current transformer in the phases
    int32_t PhCurrPrimaryRawVal = 100000;
    int32_t PhCurrSecondaryRawVal = 500;
    int16_t NeutralMeas = 0;            // 0 not measured, 1 and 2 measured
    int16_t NeutralMaxValInterval = 1;  // averaging code 0 to 8
    int32_t NeutralClampCurrRawVal = 100000;
    int16_t NeutralCurrTransformer = 0;
    int32_t NeutralCurrPrimaryRawVal = 100000;
    int32_t NeutralCurrSecondaryRawVal = 500;
    // The Logger's report on the measurement.
    int16_t IntervalMem = 0;  // 0, 1
    uint32_t NrInterval = 0;
    int16_t StatMem = 0;  // 0 to 2
    int16_t NrStat = 0;
    int16_t EventMem = 0;  // 0 to 2
    int16_t EventReady = 0;
    int16_t EventOpen = 0;  // 0 to 3
    CTimeStamp MeasStartMeasured;
    CTimeStamp MeasStopMeasured;          // not set while the measurement runs
    int16_t SpecialTransformerPhase = 0;  // 0, 1
    int16_t PhaseCorrRawVal = 0;          // 0.01 degree: -990 to 990
    int16_t THDVoltMaxValInterval = 2;
    int16_t THDPhaseMaxValInterval = 2;
    int16_t THDNeutralMaxValInterval = 2;
    int16_t PowMinMaxValInterval = 8;  // 3 or 8
    double EventHysteresis = 0.0;      // %: 0.00 to 4.00
    uint8_t ClampId = 0;               // extended family: 0 to 10
    uint16_t MaxClampCurr = 1500;      // A, extended family
    std::array<uint8_t, 6> ClampSerNr{};

    bool operator==(const CMeasurementJob&) const = default;

    // Delta and 2-Element Delta systems measure the voltages between phases.
    bool IsPhaseToPhase() const;
    // Input ranges in volts and amperes, through the transformers when they are used.
    double VoltageRange() const;
    double PhaseCurrentRange() const;
    double NeutralCurrentRange() const;
    // The neutral sensor's current: the basic family measures above 100 A with half of it.
    double NeutralSensorCurrent() const;
    // The neutral range through the transformer, with the basic family's half sensor current.
    double NeutralMeasuringRange() const;
};

// primary / secondary; 0 when the secondary is not positive, so a broken transformer entry
// gives a range of 0 (as an unknown range code does) instead of a division by zero.
double TransformerRatio(int32_t primaryRawVal, int32_t secondaryRawVal);

}  // namespace varelo
