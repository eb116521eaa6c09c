// varelo-cli logger online: the values of a recording Logger, one CSV row per second.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/CsvText.h"
#include "cli/MeasurementInfoOutput.h"
#include "document/Vamor800Doc.h"
#include "logger/LoggerOperations.h"
#include "logger/OnlineSession.h"
#include "measurement/MeasurementChannel.h"
#include "platform/Clock.h"

namespace varelo {

namespace {

// After more failed polls in a row than this the connection is made again, as the online
// diagram does.
constexpr int kFailuresBeforeRestart = 4;
constexpr uint32_t kPollIntervalMs = 1000;

bool ReadChannels(Arguments& args, std::vector<CMeasurementChannel>& channels) {
    std::vector<std::string> ids = args.Values("channel");
    if (ids.empty()) ids = {"1011", "2011", "3011"};
    for (const std::string& text : ids) {
        CMeasurementChannel channel;
        int id = 0;
        if (std::sscanf(text.c_str(), "%d", &id) != 1 || !channel.SetupChannel(id)) {
            args.Fail("unknown channel " + text);
            continue;
        }
        channels.push_back(channel);
    }
    return args.Problems().empty();
}

void PrintRow(const CIntervalRecord& r, const std::vector<CMeasurementChannel>& channels,
              const CRawScaling& scaling) {
    std::string line = IsoTimeText(r.DateTime);
    for (const CMeasurementChannel& channel : channels)
        line += "," + ValueText(channel.ChannelValue(r, scaling));
    line += "\n";
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

int Online(CliContext& context, Arguments& args) {
    const std::optional<int> port = args.Int("port", 1, 9);
    const std::optional<int> seconds = args.Int("seconds", 1, 86400);
    if (!seconds) args.Fail("--seconds N says how long to watch");
    std::vector<CMeasurementChannel> channels;
    if (!ReadChannels(args, channels) || !args.Positionals().empty()) return kExitUsage;
    CLoggerOperations operations(context.Port(), context.AppSettings(),
                                 [port](CLoggerProtocol& protocol) {
                                     if (port) protocol.UsePort(*port);
                                 });
    std::unique_ptr<COnlineSession> session = operations.StartOnline();
    if (!session) return kExitFailed;
    CVamor800Doc doc(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (!doc.OpenOnline(std::move(session))) return kExitFailed;
    std::string header = "Date/Time";
    for (const CMeasurementChannel& channel : channels)
        header += "," + CsvField(channel.ChannelName(doc.Data().job));
    std::printf("%s\n", header.c_str());

    Clock& clock = context.Port().GetClock();
    int failures = 0;
    for (int n = 0; n < *seconds; ++n) {
        if (n > 0) clock.Sleep(kPollIntervalMs);
        CIntervalRecord record;
        if (doc.ReadOnlineRecord(record)) {
            failures = 0;
            PrintRow(doc.Data().intervals.back(), channels, doc.Data().intervals.Scaling());
            continue;
        }
        std::fprintf(stderr, "varelo-cli: poll %d failed\n", n + 1);
        // Without a first record there is nothing to watch; the connection ends with the
        // document.
        if (n == 0) return kExitFailed;
        if (++failures > kFailuresBeforeRestart) {
            doc.RestartOnline();
            failures = 0;
        }
    }
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"logger online", "logger online --seconds N [--channel ID ...] [--port N]",
     "watch the recording Logger's values once a second, one CSV row per poll", Online},
};

}  // namespace

std::span<const Command> LoggerOnlineCommands() {
    return kCommands;
}

}  // namespace varelo
