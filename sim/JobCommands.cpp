#include "sim/JobCommands.h"

#include <string>

#include "sim/CommandDispatcher.h"
#include "sim/JobBlock.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

Reply SelectJob(CommandContext& context) {
    const uint8_t job = context.data.empty() ? 0xFF : context.data[0];
    Reply reply{.owner = kSelectJob, .repeatable = true};
    if (job > 1) {
        reply.bytes = {kJobRefused};
        reply.note = "no job " + std::to_string(job) + ", selection unchanged";
        return reply;
    }
    context.scenario.selectedJob = job;
    context.scenario.read = {};
    reply.bytes = {kJobSelected};
    reply.note = "job " + std::to_string(job) + " selected";
    return reply;
}

// An old job that does not exist reads as the default job with an empty report.
Reply ReadJob(CommandContext& context) {
    const Scenario& s = context.scenario;
    const uint8_t job = s.selectedJob;
    LoggerJob none{.function = s.jobs[0].function, .report = {.state = 'K'}};
    const LoggerJob& source = job == 0 || s.hasOldJob ? s.jobs[job] : none;
    std::vector<uint8_t> bytes = JobReadBlock(source, s);
    bytes.push_back(XorOf(bytes));
    return {.bytes = std::move(bytes),
            .owner = kReadJob,
            .repeatable = true,
            .note = "job " + std::to_string(job)};
}

// The new job becomes the current job, programmed and not yet measured. The current job
// becomes the old job first only when the scenario says so.
Reply WriteJob(CommandContext& context) {
    Scenario& s = context.scenario;
    std::string note = "job stored as current job";
    if (s.keepOldJobOnWrite) {
        s.jobs[1] = s.jobs[0];
        s.hasOldJob = true;
        note += ", the previous one kept as old job";
    }
    s.jobs[0].block.assign(context.data.begin(), context.data.end());
    // The replaced job's records went with it (or with the old job).
    s.jobs[0].measurement.reset();
    s.jobs[0].report = JobReport{.state = 'V'};
    return {.bytes = {XorOf(context.data)},
            .owner = kWriteJob,
            .repeatable = true,
            .note = std::move(note)};
}

}  // namespace

void RegisterJobCommands(CommandDispatcher& dispatcher) {
    dispatcher.Register(kSelectJob, SelectJob, 1);
    dispatcher.Register(kReadJob, ReadJob);
    dispatcher.Register(kWriteJob, WriteJob, kJobDataLength);
}

}  // namespace varelo::sim
