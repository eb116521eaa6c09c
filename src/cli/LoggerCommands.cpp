#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/LoggerInfoOutput.h"
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

constexpr Command kCommands[] = {
    {"logger connect", "logger connect [--port N] [--baud RATE] [--verbose]",
     "wake the Logger on COM<N> and print its state", Connect},
    {"logger info", "logger info [--port N] [--baud RATE] [--json] [--verbose]",
     "identify the Logger on COM<N> and print its information", Info},
    {"logger read",
     "logger read [--old] [--port N] [--baud RATE] --output FILE.VXM [--force] [--verbose]",
     "read the Logger's measurement (or its old job's) into FILE.VXM", Read},
};

}  // namespace

std::span<const Command> LoggerCommands() {
    return kCommands;
}

}  // namespace varelo
