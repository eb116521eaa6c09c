#pragma once

#include <array>

namespace varelo {

// Voltage input range in volts of a Logger range code (1 to 7): the phase-to-neutral value,
// or the phase-to-phase value for systems that measure between phases. 0 for a code outside
// the table. Scaling of measured voltages, the information views and the job written to the
// Logger all take their range from here, so they cannot disagree.
constexpr double VoltageInputRange(int rangeCode, bool phaseToPhase) {
    constexpr std::array<std::array<double, 2>, 7> kRanges = {{
        {69, 120},
        {138.5, 240},
        {277, 480},
        {416, 720},
        {115, 200},
        {230, 400},
        {480, 830},
    }};
    if (rangeCode < 1 || rangeCode > int(kRanges.size()))
        return 0;
    return kRanges[size_t(rangeCode - 1)][phaseToPhase ? 1 : 0];
}

}  // namespace varelo
