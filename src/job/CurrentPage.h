#pragma once

#include <cstdint>

#include "job/JobPageCheck.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// The current page (109): phase and neutral input ranges, their additional transformers, the
// special transformer's phase shift and the max-value averaging, in amperes and degrees.
struct CurrentPage {
    int16_t phaseAveraging = 1;
    double phaseRange = 1500;
    bool phaseTransformer = false;
    double phasePrimary = 1000;
    double phaseSecondary = 5;
    bool specialTransformer = false;
    double phaseShift = 0;  // degrees
    int16_t neutral = 0;    // `NeutralMeas`: 0 none, 1 measured, 2 calculated
    int16_t neutralAveraging = 1;
    double neutralRange = 1500;
    bool neutralTransformer = false;
    double neutralPrimary = 1000;
    double neutralSecondary = 5;

    static CurrentPage Of(const CMeasurementJob& job);
    // OK: the ranges within 0.01 A .. Imax of the sensor (1500 A without one), transformers
    // within 0.01 .. 999000 A, the phase shift within -9.9 .. 9.9 degrees, then into job.
    PageCheck Apply(CMeasurementJob& job) const;
};

// The largest current of the job's sensor: its maximum current for the extended family with a
// sensor, else 1500 A.
double JobSensorMaxCurrent(const CMeasurementJob& job);

}  // namespace varelo
