#pragma once

#include <cstdint>

#include "measurement/IntervalRecord.h"
#include "measurement/RawScaling.h"

namespace varelo {

// Values derived once per interval when a measurement is loaded. Results are finite and the
// THD values never exceed kMaxThd.
inline constexpr double kMaxThd = 300;

// Function A: voltage and current THD (L1-L3, N) from the mean harmonics of orders 2 to
// thdOrder.
void ComputeThdFromHarmonics(CIntervalRecord& r, int thdOrder);
// Function P: voltage and current THD from the RMS value and the fundamental.
void ComputeThdFromFundamentals(CIntervalRecord& r, const CRawScaling& s);
// Voltage unbalance in 0.01 %.
int16_t ComputeVoltageUnbalance(const CIntervalRecord& r, const CRawScaling& s);
// Current unbalance in %: negative- against positive-sequence component of the fundamentals.
double ComputeCurrentUnbalance(const CIntervalRecord& r, const CRawScaling& s);

}  // namespace varelo
