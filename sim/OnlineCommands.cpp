#include "sim/OnlineCommands.h"

#include <memory>
#include <string>

#include "sim/CommandDispatcher.h"
#include "sim/MeasurementGenerator.h"
#include "sim/RecordWire.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

constexpr uint32_t kSecondsPerDay = 86400;

// One day of one-second records, made again when the day or the layout changes.
class OnlineDay {
public:
    const MeasurementGenerator& For(const Scenario& s, const SimDateTime& day, uint32_t function) {
        GeneratorSettings settings = s.jobs[0].measurement.value_or(GeneratorSettings());
        settings.function = function;
        settings.intervalSeconds = 1;
        settings.intervals = kSecondsPerDay;
        settings.gap.reset();
        settings.start = CTimeStamp(day.year, day.month, day.day, 0, 0, 0);
        if (!generator_ || generator_->Settings() != settings)
            generator_ = std::make_unique<MeasurementGenerator>(settings);
        return *generator_;
    }

private:
    std::unique_ptr<MeasurementGenerator> generator_;
};

bool SendsFunctionA(const Scenario& s) {
    std::string version = s.software.cpuVersion;
    while (!version.empty() && version.front() == ' ')
        version.erase(0, 1);
    return s.software.measurementFunction.starts_with("A") || version >= "5.02";
}

Reply ReadOnline(OnlineDay& day, CommandContext& context) {
    const Scenario& s = context.scenario;
    if (s.jobs[0].report.state == 'K') return {.owner = kReadOnline, .note = "no job"};
    const SimDateTime now = s.Clock();
    // The second that just ended; at midnight the last one of the day before.
    const SimDateTime ended = SimDateTime::FromSeconds(now.Seconds() - 1);
    const SimDateTime midnight{ended.year, ended.month, ended.day, 0, 0, 0};
    const uint32_t function = SendsFunctionA(s) ? kMeasFuncA : kMeasFuncP;
    const uint32_t second = uint32_t(ended.Seconds() - midnight.Seconds());
    CIntervalRecord record = day.For(s, midnight, function).Interval(second);
    std::vector<uint8_t> data = IntervalWire(record, function);
    data.push_back(XorOf(data));
    return {.bytes = std::move(data),
            .owner = kReadOnline,
            .repeatable = true,
            .note = "online second " + ended.Text()};
}

}  // namespace

void RegisterOnlineCommands(CommandDispatcher& dispatcher) {
    auto day = std::make_shared<OnlineDay>();
    dispatcher.Register(kReadOnline, [day](CommandContext& c) { return ReadOnline(*day, c); });
}

}  // namespace varelo::sim
