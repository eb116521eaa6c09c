#pragma once

#include <cstdint>

namespace varelo::sim {

class CommandDispatcher;
struct Scenario;

inline constexpr uint8_t kReadInterval = 'm';
inline constexpr uint8_t kReadStatistic = 'T';
inline constexpr uint8_t kReadEvent = 'E';

// The measurement data family: every "m", "T" and "E" sends the next interval (erased slots
// of a restarted circular memory as all 0xFF), statistic segment or event of the scenario's
// generated measurement with its XOR test sum; "x" sends the last one again. Past the last
// record, or without a measurement, they get no answer.
void RegisterMeasurementCommands(CommandDispatcher& dispatcher);

// Makes the current job the one that recorded the scenario's measurement: its function and a
// completed report with the Logger's counts, and the Software paragraph of that function.
void DescribeMeasurementJob(Scenario& scenario);

}  // namespace varelo::sim
