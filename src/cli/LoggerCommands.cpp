#include <cstdio>

#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/LoggerInfoOutput.h"
#include "cli/Commands.h"
#include "logger/LoggerInfo.h"
#include "logger/LoggerProtocol.h"

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
    for (const auto& text : d.texts) std::fprintf(stderr, "protocol: %s\n", text.c_str());
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
        if (state >= 0x20 && state < 0x7F) std::printf("State character: '%c'\n", state);
        else std::printf("State character: 0x%02X\n", state);
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

constexpr Command kCommands[] = {
    {"logger connect", "logger connect [--port N] [--baud RATE] [--verbose]",
     "wake the Logger on COM<N> and print its state", Connect},
    {"logger info", "logger info [--port N] [--baud RATE] [--json] [--verbose]",
     "identify the Logger on COM<N> and print its information", Info},
};

}  // namespace

std::span<const Command> LoggerCommands() { return kCommands; }

}  // namespace varelo
