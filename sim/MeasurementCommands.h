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
// selected job's generated measurement with its XOR test sum; "x" sends the last one again. Past the last
// record, or without a measurement, they get no answer.
void RegisterMeasurementCommands(CommandDispatcher& dispatcher);

// Makes a job (0 current, 1 old) the one that recorded its generated measurement: its function
// and a completed report with the Logger's counts. For the current job also the Software
// paragraph of that function; an old job makes the Logger have one.
void DescribeMeasurementJob(Scenario& scenario, uint8_t jobIndex = 0);

}  // namespace varelo::sim
