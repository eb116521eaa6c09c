#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/StatisticSegment.h"

namespace varelo::sim {

// Data bytes of the Logger's record answers, without their XOR test sum.
inline constexpr size_t kIntervalWireLengthP = 248;
inline constexpr size_t kIntervalWireLengthA = 626;
inline constexpr size_t kStatisticWireLength = 780;
inline constexpr size_t kEventWireLength = 18;

// The records as the Logger sends them, written field by field from its byte layouts. Function
// A harmonics go out as the level code that gives the record's raw value back against the mean
// RMS value of their channel.
std::vector<uint8_t> IntervalWire(const CIntervalRecord& record, uint32_t function);
// An erased slot of the interval memory: all 0xFF.
std::vector<uint8_t> ErasedIntervalWire(uint32_t function);
std::vector<uint8_t> StatisticWire(const CStatisticSegment& segment);
std::vector<uint8_t> EventWire(const CEventRecord& event);

// The level code whose harmonic against `rms` is `raw`; none when no code gives it.
std::optional<uint8_t> CodeOfHarmonic(int16_t rms, int16_t raw);

}  // namespace varelo::sim
