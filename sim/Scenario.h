#pragma once

#include <cstdint>

namespace varelo::sim {

// What the simulated Logger is: the state its handlers answer from. Each command family adds
// the fields it serves (identity paragraphs, jobs, records, clock, designation).
struct Scenario {
    // The character the Logger answers to the wake-up: '+' ready, '?' or 'P' boot or download
    // mode, '$', '*' or '>' busy, '#' and anything else as the Logger sends it.
    uint8_t state = '+';
};

}  // namespace varelo::sim
