#pragma once

#include <cstdint>

namespace varelo {

class CEventList;
class CEventRecord;
class CLimitValues;
class CMeasurementJob;

// An interruption lasting this long or longer is a long interruption.
inline constexpr long long kLongInterruptionMs = 3 * 60 * 1000;

// End minus start of an event in milliseconds.
long long EventDurationMs(const CEventRecord& event);

// Voltage in V at or below which an event is an interruption: the nominal voltage times the
// limit set's InterruptionLimit (%).
double InterruptionThreshold(const CMeasurementJob& job, const CLimitValues& limits);

// Sets Kind of every event: 2 above the interruption threshold, otherwise 1 when it lasted at
// least 3 minutes and 0 when shorter.
void ClassifyEvents(CEventList& events, const CMeasurementJob& job, const CLimitValues& limits);

}  // namespace varelo
