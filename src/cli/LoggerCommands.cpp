#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/LoggerInfoOutput.h"
#include "logger/LoggerOperations.h"
#include "logger/LoggerProtocol.h"
#include "logger/ReadResults.h"
#include "measurement/LoggerInfo.h"

namespace varelo {

namespace {

// Port and baud rate from the command line, else from the settings.
bool ConfigureLink(CLoggerProtocol& protocol, Arguments& args) {
    if (auto port = args.Int("port", 1, 9)) protocol.UsePort(*port);
    if (auto baud = args.Value("baud")) protocol.UseBaudRate(*baud);
    return args.Problems().empty();
}

void PrintDiagnostics(const CLoggerProtocol& protocol, bool verbose) {
    const ProtocolDiagnostics& d = protocol.Diagnostics();
    if (!verbose) return;
    for (const auto& text : d.texts)
        std::fprintf(stderr, "protocol: %s\n", text.c_str());
    std::fprintf(stderr, "protocol: %d substitutions, %d transmission errors, %d data errors\n",
                 d.substitutionCount, d.transmissionErrorCount, d.dataErrorCount);
}

const char* ConnectResultText(int result) {
    switch (result) {
        case CLoggerProtocol::kConnected: return "connected, the Logger is ready";
        case CLoggerProtocol::kNotRunningApplication:
            return "the Logger is in its boot or download mode";
        case CLoggerProtocol::kPortNotOpened: return "the port could not be opened";
        default: return "no usable answer";
    }
}

int Connect(CliContext& context, Arguments& args) {
    bool verbose = args.Flag("verbose");
    CLoggerProtocol protocol(context.Port(), context.AppSettings());
    if (!ConfigureLink(protocol, args)) return kExitUsage;
    int result = protocol.Connect(CLoggerProtocol::kQuietWakeUp);
    uint8_t state = protocol.StateCharacter();
    std::printf("Connect: %d (%s)\n", result, ConnectResultText(result));
    if (result != CLoggerProtocol::kPortNotOpened) {
        if (state >= 0x20 && state < 0x7F)
            std::printf("State character: '%c'\n", state);
        else
            std::printf("State character: 0x%02X\n", state);
    }
    protocol.EndConnection();
    PrintDiagnostics(protocol, verbose);
    if (result == CLoggerProtocol::kConnected) return kExitOk;
    context.Ui().ShowMessage(322, Str(322), MessageIcon::Warning);
    return kExitFailed;
}

// Identifies the Logger as the Logger information dialog does and prints what it shows.
int Info(CliContext& context, Arguments& args) {
    bool verbose = args.Flag("verbose");
    bool json = args.Flag("json");
    CLoggerProtocol protocol(context.Port(), context.AppSettings());
    if (!ConfigureLink(protocol, args)) return kExitUsage;
    CLoggerInfo info;
    int result = protocol.Connect(
        info, CLoggerProtocol::kQuietWakeUp | CLoggerProtocol::kJobFunctionFromJob);
    protocol.EndConnection();
    PrintDiagnostics(protocol, verbose);
    if (result != CLoggerProtocol::kConnected) {
        context.Ui().ShowMessage(322, Str(322), MessageIcon::Warning);
        return kExitFailed;
    }
    std::fputs((json ? LoggerInfoJson(info) : LoggerInfoText(info)).c_str(), stdout);
    return kExitOk;
}

// Reads the current (or old) job's measurement into a new file.
int Read(CliContext& context, Arguments& args) {
    const bool old = args.Flag("old");
    const bool force = args.Flag("force");
    const bool verbose = args.Flag("verbose");
    const auto output = args.Value("output");
    std::optional<int> port = args.Int("port", 1, 9);
    std::optional<std::string> baud = args.Value("baud");
    if (!args.Problems().empty()) return kExitUsage;
    if (!output || output->empty()) {
        std::fprintf(stderr, "logger read: --output FILE.VXM is required\n");
        return kExitUsage;
    }
    std::error_code error;
    if (!force && std::filesystem::exists(*output, error)) {
        std::fprintf(stderr, "logger read: %s exists; --force overwrites it\n", output->c_str());
        return kExitFailed;
    }
    context.Ui().SetSaveFile(*output);
    const ReadResultsOutcome outcome =
        ReadResults(context.Port(), context.AppSettings(), context.Ui(), old ? 1 : 0,
                    [&](CLoggerProtocol& protocol) {
                        if (port) protocol.UsePort(*port);
                        if (baud) protocol.UseBaudRate(*baud);
                    });
    const ProtocolDiagnostics& d = outcome.diagnostics;
    if (verbose || outcome.transferFailed)
        for (const auto& text : d.texts)
            std::fprintf(stderr, "protocol: %s\n", text.c_str());
    if (outcome.path.empty()) {
        if (outcome.transferFailed)
            std::fprintf(stderr, "logger read: the read-out failed; %s was not written\n",
                         output->c_str());
        return kExitFailed;
    }
    std::printf("%s\n", outcome.path.c_str());
    return kExitOk;
}

// The options of a housekeeping operation: the port, and --yes to answer its questions.
struct OperationOptions {
    std::optional<int> port;
    bool yes = false;
};

OperationOptions ReadOperationOptions(Arguments& args) {
    std::optional<int> port = args.Int("port", 1, 9);
    return {port, args.Flag("yes")};
}

// Runs a housekeeping operation on the Logger of --port, once every option has been read.
int RunOperation(CliContext& context, Arguments& args, const OperationOptions& options,
                 OperationResult (CLoggerOperations::*operation)()) {
    if (!args.Problems().empty()) return kExitUsage;
    context.Ui().SetAnswerYes(options.yes);
    CLoggerOperations operations(context.Port(), context.AppSettings(),
                                 [port = options.port](CLoggerProtocol& protocol) {
                                     if (port) protocol.UsePort(*port);
                                 });
    return (operations.*operation)() == OperationResult::Done ? kExitOk : kExitFailed;
}

int Stop(CliContext& context, Arguments& args) {
    const OperationOptions options = ReadOperationOptions(args);
    return RunOperation(context, args, options, &CLoggerOperations::StopMeasurement);
}

int SetClock(CliContext& context, Arguments& args) {
    const OperationOptions options = ReadOperationOptions(args);
    const std::optional<std::string> set = args.Value("set");
    LoggerClockChoice choice;
    choice.usePcClock = args.Flag("pc");
    if (set.has_value() == choice.usePcClock) {
        std::fprintf(stderr, "logger clock: give either --set \"YYYY-MM-DD HH:MM:SS\" or --pc\n");
        return kExitUsage;
    }
    if (set && (!ParseDate(*set, choice.picked) || choice.picked < EarliestLoggerClock() ||
                choice.picked > LatestLoggerClock())) {
        std::fprintf(stderr, "logger clock: %s is not a time from %s to %s\n", set->c_str(),
                     EarliestLoggerClock().FileText().c_str(),
                     LatestLoggerClock().FileText().c_str());
        return kExitUsage;
    }
    context.Ui().SetClock(choice);
    return RunOperation(context, args, options, &CLoggerOperations::SetDateTime);
}

int SetName(CliContext& context, Arguments& args) {
    // The options first, so that only the name is left as a word.
    const OperationOptions options = ReadOperationOptions(args);
    const std::vector<std::string> words = args.Positionals();
    if (words.size() != 1) {
        std::fprintf(stderr, "logger name: give the new name as one word (quote it)\n");
        return kExitUsage;
    }
    context.Ui().SetDesignation(words.front());
    return RunOperation(context, args, options, &CLoggerOperations::SetDesignation);
}

constexpr Command kCommands[] = {
    {"logger connect", "logger connect [--port N] [--baud RATE] [--verbose]",
     "wake the Logger on COM<N> and print its state", Connect},
    {"logger info", "logger info [--port N] [--baud RATE] [--json] [--verbose]",
     "identify the Logger on COM<N> and print its information", Info},
    {"logger read",
     "logger read [--old] [--port N] [--baud RATE] --output FILE.VXM [--force] [--verbose]",
     "read the Logger's measurement (or its old job's) into FILE.VXM", Read},
    {"logger stop", "logger stop [--port N] [--yes]",
     "stop the Logger's active job (asks first: --yes answers yes)", Stop},
    {"logger clock", "logger clock (--set \"YYYY-MM-DD HH:MM:SS\" | --pc) [--port N] [--yes]",
     "set the Logger's clock to a time or to the PC clock", SetClock},
    {"logger name", "logger name TEXT [--port N] [--yes]",
     "set the Logger's designation (20 characters at most)", SetName},
};

}  // namespace

std::span<const Command> LoggerCommands() {
    return kCommands;
}

}  // namespace varelo
