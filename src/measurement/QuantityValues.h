#pragma once

#include <span>

#include "measurement/IntervalRecord.h"
#include "measurement/RawScaling.h"

namespace varelo {

// The value rules of the measured quantities that are more than a raw value times a scale.
// Each takes one interval record and the measurement's scaling and never fails: where an
// input is missing or a divisor is 0 it answers the rule's neutral value (0, 1 or the
// percentage limit), never inf or NaN. Conductor 3 is N where a rule takes conductors.

// Raw mean voltages below this are no voltage for the power and unbalance rules.
inline constexpr int kMinVoltageRaw = 176;

// Fundamental voltage and current ("rule U1"): the smaller of the fundamental and the RMS
// value; for function P of the newest firmware, which reports the harmonic content in the
// fundamental field, the fundamental follows from RMS and harmonic content.
double FundamentalVoltageU1(const CIntervalRecord& r, int phase, const CRawScaling& s);
double FundamentalCurrentU1(const CIntervalRecord& r, int conductor, const CRawScaling& s);

double CrestFactor(const CIntervalRecord& r, int conductor);

// `reference` is a HarmonicReference of the application options; the caller passes "nominal"
// for voltage channels that are not relative. Values other than fundamental, RMS and
// absolute count as nominal for voltages.
double VoltageHarmonic(const CIntervalRecord& r, const CRawScaling& s, int phase, int order,
                       int reference);
double VoltageInterharmonic(const CIntervalRecord& r, const CRawScaling& s, int phase, int channel,
                            int reference);
// Currents in A unless relative; relative values other than fundamental and RMS are in A too.
double CurrentHarmonic(const CIntervalRecord& r, const CRawScaling& s, int conductor, int order,
                       bool relative, int reference);
double CurrentInterharmonic(const CIntervalRecord& r, const CRawScaling& s, int conductor,
                            int channel, bool relative, int reference);
// Orders 1 to 50 at once, each as VoltageHarmonic and CurrentHarmonic give it: for tables that
// go through every order of every interval.
void VoltageHarmonics(const CIntervalRecord& r, const CRawScaling& s, int phase, int reference,
                      std::span<double, kHarmonicOrders> out);
void CurrentHarmonics(const CIntervalRecord& r, const CRawScaling& s, int conductor, bool relative,
                      int reference, std::span<double, kHarmonicOrders> out);
// Harmonic content of a current in A, orders 2 to thdOrder for function A.
double HarmonicCurrent(const CIntervalRecord& r, const CRawScaling& s, int conductor, int thdOrder);

double PowerFactor(const CIntervalRecord& r, const CRawScaling& s, int phase);
double TotalPowerFactor(const CIntervalRecord& r, const CRawScaling& s);
double Tan(const CIntervalRecord& r, const CRawScaling& s, int phase);
double TotalTan(const CIntervalRecord& r, const CRawScaling& s);
double CosPhi(const CIntervalRecord& r, const CRawScaling& s, int phase);
double TotalCosPhi(const CIntervalRecord& r, const CRawScaling& s);

// A total of a two-element system from the L1 and L3 value x, never below the reference y.
double TwoElementTotal(const CIntervalRecord& r, double x, double y);

enum class PowerAggregate { Max, Avg, Min };
double TotalApparentPower(const CIntervalRecord& r, const CRawScaling& s, PowerAggregate which,
                          bool watts);
// Sum over the phases of a per-phase power field.
double PhaseSumPower(const CIntervalRecord& r, PhaseRaw CIntervalRecord::*field,
                     const CRawScaling& s, bool watts);

// Unbalance as the largest deviation from the mean, %, of voltages or currents.
double MaxDeviationUnbalance(const CIntervalRecord& r, const CRawScaling& s, bool voltages);

// Energy of one interval from a mean power: Wh (or kWh when the power is in kW).
inline double Energy(double meanPower, int intervalSeconds) {
    return meanPower * intervalSeconds / 3600;
}

}  // namespace varelo
