#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "logger/ProtocolDiagnostics.h"
#include "measurement/IntervalRecord.h"

namespace varelo {

// Data bytes of an interval answer ("m", and the online "O"); the XOR test sum follows them.
inline constexpr size_t kIntervalPDataSize = 248;
inline constexpr size_t kIntervalADataSize = 626;

// A correct answer whose data bytes are all 0xFF is an erased record of the Logger's memory.
bool IsEmptyRecord(std::span<const uint8_t> data);

// The raw harmonic of a one-byte level code against the mean RMS value R of its channel:
// R x v x 0.0001 x 23800 / 17600 truncated, worked in integers; 0 when R is not positive.
int32_t HarmonicFromLevelCode(int32_t rms, uint8_t code);
// The relative level of a code in 0.01 %.
int32_t LevelFromCode(uint8_t code);

// Decode an interval answer into record, which starts from all zero (its DateTime is kept when
// `online`: the online answer carries no usable date). Implausible values are replaced by
// their substitutes and reported into diagnostics. False, with record and diagnostics
// untouched, when fewer than the data bytes are given; a longer buffer (the test sum) is fine.
bool DecodeIntervalP(std::span<const uint8_t> data, CIntervalRecord& record, bool online,
                     int firmwareGeneration, ProtocolDiagnostics& diagnostics);
bool DecodeIntervalA(std::span<const uint8_t> data, CIntervalRecord& record, bool online,
                     ProtocolDiagnostics& diagnostics);

}  // namespace varelo
