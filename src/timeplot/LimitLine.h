#pragma once

#include "measurement/QuantityCatalogue.h"

namespace varelo {

class CLimitValues;
class CMeasurementJob;

// What a limit line is computed from: the document's limit set and job, and the harmonic
// references the curves are shown in.
struct LimitLineInputs {
    const CLimitValues& limits;
    const CMeasurementJob& job;
    QuantitySettings settings;
};

// The limit of one curve in the curve's own unit. Frequency and voltages have a tolerance band
// (band 0: the 99.5 % or 95 % share of the time, band 1: 100 %) with an upper and a lower
// value; every other quantity with a limit has a single upper value.
struct LimitLine {
    bool defined = false;
    double upper = 0;
    double lower = 0;
    // Frequency and voltages draw their lower value as well.
    bool twoSided = false;

    static LimitLine For(int channelId, int band, const LimitLineInputs& in);
    // Frequency and voltages: two bands, each with an upper and a lower value.
    static bool IsBanded(int quantity);
};

}  // namespace varelo
