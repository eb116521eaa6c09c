#include "sim/HousekeepingCommands.h"

#include <string>

#include "sim/CommandDispatcher.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

constexpr size_t kDateTimeLength = 7;
constexpr size_t kDesignationLength = 20;

// An active job (measuring or between segments) completes now; anything else stays.
Reply StopJob(CommandContext& context) {
    Scenario& s = context.scenario;
    JobReport& report = s.jobs[0].report;
    if (report.state != 'A' && report.state != 'S')
        return {.owner = kStopJob, .note = std::string("no active job (") + report.state + ")"};
    report.state = 'F';
    report.end = s.Clock();
    return {.owner = kStopJob, .note = "job stopped at " + report.end->Text()};
}

uint8_t SumOf(std::span<const uint8_t> bytes) {
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum = uint8_t(sum + b);
    return sum;
}

// The year byte counts from 1900 for 82 to 99 and from 2000 below that.
Reply WriteDateTime(CommandContext& context) {
    Scenario& s = context.scenario;
    const auto d = context.data;
    const int year = d[0] >= 82 ? 1900 + d[0] : 2000 + d[0];
    SimDateTime time{year, d[1], d[2], d[4], d[5], d[6]};
    std::string note = "clock set to " + time.Text();
    if (time.Weekday() != d[3])
        note += "; weekday " + std::to_string(d[3]) + " does not fit the date (" +
                std::to_string(time.Weekday()) + ")";
    if (s.clock)
        s.clock = time;
    else
        s.clockOffset = time.Seconds() - SimDateTime::LocalNow().Seconds();
    return {.bytes = {SumOf(d)}, .owner = kWriteDateTime, .repeatable = true, .note = note};
}

Reply WriteDesignation(CommandContext& context) {
    Scenario& s = context.scenario;
    s.designation.assign(context.data.begin(), context.data.end());
    return {.bytes = {XorOf(context.data)},
            .owner = kWriteDesignation,
            .repeatable = true,
            .note = "designation \"" + s.designation + "\""};
}

}  // namespace

void RegisterHousekeepingCommands(CommandDispatcher& dispatcher) {
    dispatcher.Register(kStopJob, StopJob);
    dispatcher.Register(kWriteDateTime, WriteDateTime, kDateTimeLength);
    dispatcher.Register(kWriteDesignation, WriteDesignation, kDesignationLength);
}

}  // namespace varelo::sim
