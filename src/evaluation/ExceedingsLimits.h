#pragma once

namespace varelo {

class CLimitValues;
class CMeasurementJob;

// The band an all exceedings section checks its values against. A value exceeds when it is at
// or above the upper limit, or, for a two-sided band, at or below the lower one.
struct ExceedingBand {
    double upper = 0;
    double lower = 0;
    bool twoSided = false;
    // The limit can be used: the channel choice offers the quantity and its section is scanned.
    bool active = false;

    bool Exceeds(double value) const;
};

// Voltage tolerances in whole percent, as the band and the heading use them.
int TruncatedTolerance(float tolerance);
// The nominal frequency of the job in Hz.
int NominalFrequencyOf(const CMeasurementJob& job);
// Frequency in Hz of a job's interharmonic channel 0-4.
int InterharmonicFrequency(const CMeasurementJob& job, int channel);

ExceedingBand ExceedingBandOf(int quantityId, const CLimitValues& limits,
                              const CMeasurementJob& job);
// The one rule by which the channel choice offers a quantity and the report scans it.
inline bool ExceedingLimitUsable(int quantityId, const CLimitValues& limits,
                                 const CMeasurementJob& job) {
    return ExceedingBandOf(quantityId, limits, job).active;
}

}  // namespace varelo
