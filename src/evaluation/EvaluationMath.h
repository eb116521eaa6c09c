#pragma once

#include <cmath>

#include "measurement/MeasurementJob.h"

namespace varelo {

// trunc() into an integer that cannot overflow: values beyond +-1e15 are clamped and NaN
// counts as 0, so damaged limits or scale factors never reach an undefined conversion.
inline long long TruncToInt64(double value) {
    if (!(value == value)) return 0;
    if (value > 1e15) return 1000000000000000LL;
    if (value < -1e15) return -1000000000000000LL;
    return (long long)std::trunc(value);
}

// Nominal frequency of a job in Hz; a job without one counts as 50 Hz.
inline int JobNominalFrequency(const CMeasurementJob& job) {
    return job.PowSysNomFreq > 0 ? job.PowSysNomFreq : 50;
}

// Frequency in Hz of interharmonic or signalling channel j (0-4): its order in 1/100 of the
// harmonic order times the nominal frequency. An unused channel has order 0 and so 0 Hz.
inline int ChannelFrequency(const CMeasurementJob& job, int channel) {
    return int(TruncToInt64(job.HarmOrder[size_t(channel)] * JobNominalFrequency(job) * 0.01));
}

}  // namespace varelo
