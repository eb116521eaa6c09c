#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "measurement/TimeStamp.h"

namespace varelo {

class CRawScaling;

inline constexpr int kPhaseCount = 3;      // L1, L2, L3
inline constexpr int kConductorCount = 4;  // L1, L2, L3, N
inline constexpr int kNeutral = 3;         // conductor index of N
inline constexpr int kHarmonicOrders = 50;
inline constexpr int kInterharmonicChannels = 5;

// Interval status bits that the program counts.
inline constexpr uint16_t kStatusUnbalanceError = 0x0008;
inline constexpr uint16_t kStatusVoltageOverflow = 0x0010;
inline constexpr uint16_t kStatusSyncError = 0x0020;
inline constexpr uint16_t kStatusLineInterruption = 0x0040;
inline constexpr uint16_t kStatusCurrentOverflow = 0x0080;

using PhaseRaw = std::array<int16_t, kPhaseCount>;
using PhaseRawU = std::array<uint16_t, kPhaseCount>;
using ConductorRaw = std::array<int16_t, kConductorCount>;

// The measured values of one interval as the Logger delivered them, plus the few values
// derived once on load. Members are named by their keys in the measurement files; a record is
// a plain value (no pointers), all zero when new. Physical values come from the family
// functions below and the quantity catalogue.
class CIntervalRecord {
public:
    int16_t Status = 0;
    CTimeStamp DateTime;  // end of the interval
    int16_t Freq10min = 0;
    int16_t UnbalAngleL1L2 = 0;  // 0.0125 degree
    int16_t UnbalAngleL1L3 = 0;
    int16_t VoltUnbalance = 0;  // derived, 0.01 %
    PhaseRaw VoltMaxPhaseLxRawVal{};
    PhaseRaw VoltAvgPhaseLxRawVal{};
    PhaseRaw VoltMinPhaseLxRawVal{};
    PhaseRaw VoltUh1AvgPhaseLxRawVal{};
    std::array<double, kPhaseCount> VoltTHDAvgCalc{};  // derived, %
    PhaseRaw VoltTHDMaxPhaseLxRawVal{};
    PhaseRaw FlickPstPhaseLxRawVal{};
    // Orders 1 to 50 at index 0 to 49.
    std::array<std::array<int16_t, kHarmonicOrders>, kPhaseCount> VoltHarmPhaseLxRawVal{};
    // The job's five interharmonic channels; the files carry them as harmonic indices 50-54.
    std::array<std::array<int16_t, kInterharmonicChannels>, kPhaseCount> VoltZHarmPhaseLxRawVal{};
    PhaseRaw CurrMaxPhaseLxRawVal{};
    int16_t NeutralCurrMaxRawVal = 0;
    PhaseRaw CurrAvgPhaseLxRawVal{};
    int16_t NeutralCurrAvgRawVal = 0;
    PhaseRaw CurrPeakPhaseLxRawVal{};  // divided by the square root of 2
    int16_t NeutralCurrPeakRawVal = 0;
    PhaseRaw CurrIh1AvgPhaseLxRawVal{};
    int16_t NeutralCurrIh1AvgRawVal = 0;
    PhaseRaw CurrTHDMaxPhaseLxRawVal{};
    int16_t NeutralCurrTHDMaxRawVal = 0;
    std::array<double, kConductorCount> CurrTHDAvgCalc{};  // derived, %
    std::array<std::array<int16_t, kHarmonicOrders>, kConductorCount> CurrHarmPhaseLxRawVal{};
    std::array<std::array<int16_t, kInterharmonicChannels>, kConductorCount>
        CurrZHarmPhaseLxRawVal{};
    PhaseRaw AppPowMaxPhaseLxRawVal{};
    int16_t AppPowMaxTotRawVal = 0;
    PhaseRaw AppPowAvgPhaseLxRawVal{};
    PhaseRaw AppPowMinPhaseLxRawVal{};
    int16_t AppPowMinTotRawVal = 0;
    PhaseRaw RealPowMaxPhaseLxRawVal{};
    int16_t RealPowMaxTotRawVal = 0;
    PhaseRaw RealPowAvgPhaseLxRawVal{};
    PhaseRaw RealPowMinPhaseLxRawVal{};
    int16_t RealPowMinTotRawVal = 0;
    PhaseRaw RealPowMaxAbsPhaseLxRawVal{};
    int16_t RealPowMaxAbsTotRawVal = 0;
    PhaseRaw RealPowAvgAbsPhaseLxRawVal{};
    int16_t RealPowAvgAbsTotRawVal = 0;
    PhaseRaw RealPowMinAbsPhaseLxRawVal{};
    int16_t RealPowMinAbsTotRawVal = 0;
    PhaseRaw ReactPowMaxPhaseLxRawVal{};
    int16_t ReactPowMaxTotRawVal = 0;
    PhaseRaw ReactPowAvgPhaseLxRawVal{};
    PhaseRaw ReactPowMinPhaseLxRawVal{};
    int16_t ReactPowMinTotRawVal = 0;
    PhaseRaw RealPowPh1AvgPhaseLxRawVal{};
    PhaseRaw ReactPowPh1AvgPhaseLxRawVal{};
    PhaseRawU VoltHalfpMaxPhaseLxRaw{};
    PhaseRawU VoltHalfpMinPhaseLxRaw{};
    PhaseRawU CurrHalfpMaxPhaseLxRaw{};
    PhaseRawU CurrHalfpToVoltMaxPhaseLxRaw{};
    PhaseRawU CurrHalfpToVoltMinPhaseLxRaw{};
    PhaseRawU VoltHalfpToCurrMaxPhaseLxRaw{};
    PhaseRaw DistPowMaxPhaseLxRawVal{};
    int16_t DistPowMaxTotRawVal = 0;
    PhaseRaw DistPowAvgPhaseLxRawVal{};
    PhaseRawU VoltUDeltaRmsPhaseLxRawVal{};
    double CurrUnbalance = 0;  // derived, %

    // Harmonics by order 1 to 50 and interharmonics by channel 0 to 4; conductor 3 is N. A
    // getter outside the ranges answers 0, a setter there does nothing.
    // The two getters are inline: the evaluation and the extreme values call them for every
    // order of every interval.
    int16_t VoltHarm(int phase, int order) const {
        return unsigned(phase) < unsigned(kPhaseCount) &&
                       unsigned(order - 1) < unsigned(kHarmonicOrders)
                   ? VoltHarmPhaseLxRawVal[size_t(phase)][size_t(order - 1)]
                   : int16_t(0);
    }
    void SetVoltHarm(int phase, int order, int16_t value);
    int16_t VoltInterharm(int phase, int channel) const;
    void SetVoltInterharm(int phase, int channel, int16_t value);
    int16_t CurrHarm(int conductor, int order) const {
        return unsigned(conductor) < unsigned(kConductorCount) &&
                       unsigned(order - 1) < unsigned(kHarmonicOrders)
                   ? CurrHarmPhaseLxRawVal[size_t(conductor)][size_t(order - 1)]
                   : int16_t(0);
    }
    void SetCurrHarm(int conductor, int order, int16_t value);
    int16_t CurrInterharm(int conductor, int channel) const;
    void SetCurrInterharm(int conductor, int channel, int16_t value);
    // Mean and fundamental raw current of a conductor, N included.
    int16_t CurrAvg(int conductor) const;
    int16_t CurrIh1Avg(int conductor) const;

    // Physical values by field family; a phase outside 0-2 gives 0. Powers are in W when
    // `watts` is set, else in kW; totals are three times the per-phase scale.
    double Voltage(PhaseRaw CIntervalRecord::*field, int phase, const CRawScaling& s) const;
    double HalfPeriodVoltage(PhaseRawU CIntervalRecord::*field, int phase,
                             const CRawScaling& s) const;
    double FundamentalVoltage(int phase, const CRawScaling& s) const;
    double DeltaRmsVoltage(int phase, const CRawScaling& s) const;
    double Current(PhaseRaw CIntervalRecord::*field, int phase, const CRawScaling& s) const;
    double HalfPeriodCurrent(PhaseRawU CIntervalRecord::*field, int phase,
                             const CRawScaling& s) const;
    double NeutralCurrent(int16_t CIntervalRecord::*field, const CRawScaling& s) const;
    double PeakCurrent(int phase, const CRawScaling& s) const;
    double NeutralPeakCurrent(const CRawScaling& s) const;
    double FundamentalCurrent(int phase, const CRawScaling& s) const;
    double NeutralFundamentalCurrent(const CRawScaling& s) const;
    double Power(PhaseRaw CIntervalRecord::*field, int phase, const CRawScaling& s,
                 bool watts) const;
    double PowerTotal(int16_t CIntervalRecord::*field, const CRawScaling& s, bool watts) const;
    double Frequency(const CRawScaling& s) const;
    static double UnbalanceAngleDegrees(int16_t raw) { return raw * 0.0125; }
    double Pst(int phase, const CRawScaling& s) const;
    // Maximum THD in %: for A and P never below the THD of the mean harmonics.
    double MaxVoltageThd(int phase, const CRawScaling& s) const;
    double MaxCurrentThd(int conductor, const CRawScaling& s) const;
};

// The eleven-letter code of an interval status word, e.g. "LG--2-N---C".
std::string StatusLetterCode(uint16_t status);

}  // namespace varelo
