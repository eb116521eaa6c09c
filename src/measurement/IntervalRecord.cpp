#include "measurement/IntervalRecord.h"

#include <algorithm>

#include "measurement/RawScaling.h"

namespace varelo {

namespace {

constexpr double kSqrt2 = 1.414213;
constexpr double kSqrt3 = 1.732050808;
constexpr double kThdFullScale = 32768;

bool IsPhase(int phase) {
    return phase >= 0 && phase < kPhaseCount;
}
bool IsConductor(int conductor) {
    return conductor >= 0 && conductor < kConductorCount;
}
bool IsOrder(int order) {
    return order >= 1 && order <= kHarmonicOrders;
}
bool IsChannel(int channel) {
    return channel >= 0 && channel < kInterharmonicChannels;
}

double Kilo(double watts, bool inWatts) {
    return inWatts ? watts : watts * 0.001;
}

double MaxThd(int16_t raw, double fromHarmonics, const CRawScaling& s) {
    if (!s.IsAorP) return raw * 0.01;
    return std::max(raw * 100 / kThdFullScale, fromHarmonics);
}

struct StatusLetter {
    uint16_t bit;
    char set;
    char clear;
};

constexpr StatusLetter kStatusLetters[] = {
    {0x8000, 'M', 'L'}, {0x4000, '-', 'G'}, {0x0004, '0', '-'}, {0x0002, '1', '-'},
    {0x0001, '2', '-'}, {0x0008, 'Y', '-'}, {0x0040, 'N', '-'}, {0x0020, 'S', '-'},
    {0x0010, 'U', '-'}, {0x0080, 'I', '-'}, {0x2000, 'C', '-'},
};

}  // namespace

void CIntervalRecord::SetVoltHarm(int phase, int order, int16_t value) {
    if (IsPhase(phase) && IsOrder(order)) VoltHarmPhaseLxRawVal[phase][order - 1] = value;
}

int16_t CIntervalRecord::VoltInterharm(int phase, int channel) const {
    return IsPhase(phase) && IsChannel(channel) ? VoltZHarmPhaseLxRawVal[phase][channel] : 0;
}

void CIntervalRecord::SetVoltInterharm(int phase, int channel, int16_t value) {
    if (IsPhase(phase) && IsChannel(channel)) VoltZHarmPhaseLxRawVal[phase][channel] = value;
}

void CIntervalRecord::SetCurrHarm(int conductor, int order, int16_t value) {
    if (IsConductor(conductor) && IsOrder(order))
        CurrHarmPhaseLxRawVal[conductor][order - 1] = value;
}

int16_t CIntervalRecord::CurrInterharm(int conductor, int channel) const {
    return IsConductor(conductor) && IsChannel(channel) ? CurrZHarmPhaseLxRawVal[conductor][channel]
                                                        : 0;
}

void CIntervalRecord::SetCurrInterharm(int conductor, int channel, int16_t value) {
    if (IsConductor(conductor) && IsChannel(channel))
        CurrZHarmPhaseLxRawVal[conductor][channel] = value;
}

int16_t CIntervalRecord::CurrAvg(int conductor) const {
    if (conductor == kNeutral) return NeutralCurrAvgRawVal;
    return IsPhase(conductor) ? CurrAvgPhaseLxRawVal[conductor] : 0;
}

int16_t CIntervalRecord::CurrIh1Avg(int conductor) const {
    if (conductor == kNeutral) return NeutralCurrIh1AvgRawVal;
    return IsPhase(conductor) ? CurrIh1AvgPhaseLxRawVal[conductor] : 0;
}

double CIntervalRecord::Voltage(PhaseRaw CIntervalRecord::*field, int phase,
                                const CRawScaling& s) const {
    return IsPhase(phase) ? (this->*field)[phase] * s.VoltScale : 0;
}

double CIntervalRecord::HalfPeriodVoltage(PhaseRawU CIntervalRecord::*field, int phase,
                                          const CRawScaling& s) const {
    return IsPhase(phase) ? (this->*field)[phase] * s.VoltScale : 0;
}

double CIntervalRecord::FundamentalVoltage(int phase, const CRawScaling& s) const {
    return IsPhase(phase) ? VoltUh1AvgPhaseLxRawVal[phase] * s.VoltH1Scale : 0;
}

double CIntervalRecord::DeltaRmsVoltage(int phase, const CRawScaling& s) const {
    return IsPhase(phase) ? VoltUDeltaRmsPhaseLxRawVal[phase] * s.VoltScale * kSqrt3 : 0;
}

double CIntervalRecord::Current(PhaseRaw CIntervalRecord::*field, int phase,
                                const CRawScaling& s) const {
    return IsPhase(phase) ? (this->*field)[phase] * s.CurrScale : 0;
}

double CIntervalRecord::HalfPeriodCurrent(PhaseRawU CIntervalRecord::*field, int phase,
                                          const CRawScaling& s) const {
    return IsPhase(phase) ? (this->*field)[phase] * s.CurrScale : 0;
}

double CIntervalRecord::NeutralCurrent(int16_t CIntervalRecord::*field,
                                       const CRawScaling& s) const {
    return this->*field * s.NeutralScale;
}

double CIntervalRecord::PeakCurrent(int phase, const CRawScaling& s) const {
    return IsPhase(phase) ? CurrPeakPhaseLxRawVal[phase] * s.CurrScale * kSqrt2 : 0;
}

double CIntervalRecord::NeutralPeakCurrent(const CRawScaling& s) const {
    return NeutralCurrPeakRawVal * s.NeutralScale * kSqrt2;
}

double CIntervalRecord::FundamentalCurrent(int phase, const CRawScaling& s) const {
    return IsPhase(phase) ? CurrIh1AvgPhaseLxRawVal[phase] * s.CurrH1Scale : 0;
}

double CIntervalRecord::NeutralFundamentalCurrent(const CRawScaling& s) const {
    return NeutralCurrIh1AvgRawVal * s.NeutralH1Scale;
}

double CIntervalRecord::Power(PhaseRaw CIntervalRecord::*field, int phase, const CRawScaling& s,
                              bool watts) const {
    return IsPhase(phase) ? Kilo((this->*field)[phase] * s.PowerScale, watts) : 0;
}

double CIntervalRecord::PowerTotal(int16_t CIntervalRecord::*field, const CRawScaling& s,
                                   bool watts) const {
    return Kilo(this->*field * s.PowerScale * 3, watts);
}

double CIntervalRecord::Frequency(const CRawScaling& s) const {
    return Freq10min * s.FreqScale;
}

double CIntervalRecord::Pst(int phase, const CRawScaling& s) const {
    return IsPhase(phase) ? FlickPstPhaseLxRawVal[phase] * s.MilliScale : 0;
}

double CIntervalRecord::MaxVoltageThd(int phase, const CRawScaling& s) const {
    return IsPhase(phase) ? MaxThd(VoltTHDMaxPhaseLxRawVal[phase], VoltTHDAvgCalc[phase], s) : 0;
}

double CIntervalRecord::MaxCurrentThd(int conductor, const CRawScaling& s) const {
    if (conductor == kNeutral) return MaxThd(NeutralCurrTHDMaxRawVal, CurrTHDAvgCalc[kNeutral], s);
    return IsPhase(conductor)
               ? MaxThd(CurrTHDMaxPhaseLxRawVal[conductor], CurrTHDAvgCalc[conductor], s)
               : 0;
}

std::string StatusLetterCode(uint16_t status) {
    std::string code;
    code.reserve(std::size(kStatusLetters));
    for (const StatusLetter& letter : kStatusLetters)
        code += (status & letter.bit) ? letter.set : letter.clear;
    return code;
}

}  // namespace varelo
