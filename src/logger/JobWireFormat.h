#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "logger/ProtocolDiagnostics.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// Sizes of the job blocks of "Write Measurement Job" and "Read Measurement Job Data". The read
// block is followed on the line by its XOR test sum, which the caller checks.
inline constexpr size_t kJobWriteBlockSize = 675;
inline constexpr size_t kJobReadBlockSize = 696;

// Code page of the text fields when the caller does not name the user-interface language's.
inline constexpr int kDefaultWireCodePage = 1252;

// The block written to the Logger, with the values derived from the job (current maxima,
// voltage range, apparent powers, the basic family's current range code).
std::array<uint8_t, kJobWriteBlockSize> EncodeJob(const CMeasurementJob& job, bool extendedFamily,
                                                  int codePage = kDefaultWireCodePage);

// Decodes a block read from the Logger into job; the fields the block does not carry (interval
// count, complete events, statistic segments, ...) keep their values. An implausible value is
// never rejected: it is replaced by its substitute and reported into diagnostics. Returns false,
// leaving job and diagnostics untouched, only when the block is shorter than
// kJobReadBlockSize; a longer block (the test sum byte) is fine.
bool DecodeJob(std::span<const uint8_t> block, CMeasurementJob& job, bool extendedFamily,
               ProtocolDiagnostics& diagnostics, int codePage = kDefaultWireCodePage);

// The measurement function a job block announces (kMeasFuncP or kMeasFuncA); kMeasFuncNotSet
// when the block is too short to tell.
uint32_t DecodeJobFunction(std::span<const uint8_t> block);

// Interval lengths in seconds by their code on the wire; -1 for a code outside the table.
int IntervalFromCode(int code);
// The code of an interval length; a length outside the table gets the code of 600 s.
int CodeFromInterval(int seconds);

// A real value in hundredths as the Logger takes it: the integer part of v x 100 + 0.5, held
// within the 32-bit range (a value that is not a number gives 0).
int32_t WireHundredths(double value);

}  // namespace varelo
