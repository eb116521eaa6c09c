#pragma once

#include <cstdint>

#include "measurement/MeasurementFile.h"

namespace varelo::test {

// A measurement of n intervals of 600 s, the first ending 2026-03-02 00:10, every phase
// voltage at the same raw value; firstGapSeconds moves the second interval and all after it.
MeasurementData SteadyMeasurement(uint32_t function, int n, int16_t rawVoltage = 10000,
                                  int firstGapSeconds = 600);

}  // namespace varelo::test
