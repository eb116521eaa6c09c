#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "logger/ProtocolDiagnostics.h"
#include "measurement/EventRecord.h"
#include "measurement/StatisticSegment.h"

namespace varelo {

// Data bytes of the "T" and "E" answers; the XOR test sum follows them.
inline constexpr size_t kStatisticDataSize = 780;
inline constexpr size_t kEventDataSize = 18;

// Decode an answer into a record that starts from all zero; implausible values are replaced
// and reported into diagnostics. False, with record and diagnostics untouched, when fewer than
// the data bytes are given.
bool DecodeStatisticSegment(std::span<const uint8_t> data, CStatisticSegment& segment,
                            ProtocolDiagnostics& diagnostics);
// Kind and Value are left for the evaluation.
bool DecodeEvent(std::span<const uint8_t> data, CEventRecord& event,
                 ProtocolDiagnostics& diagnostics);

}  // namespace varelo
