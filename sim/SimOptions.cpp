#include "sim/SimOptions.h"

#include <string_view>

#include "sim/ByteText.h"
#include "sim/OptionArgument.h"

namespace varelo::sim {

namespace {

const char* const kCommands[] = {"serve"};

bool IsCommand(std::string_view word) {
    for (const char* c : kCommands) {
        if (word == c) return true;
    }
    return false;
}

// One option and its value; false with an error message for an unusable value.
bool ApplyOption(std::string_view name, const std::string& value, SimOptions& options,
                 std::string& error) {
    int count = 0;
    if (name == "--link") {
        options.link = value;
    } else if (name == "--scenario") {
        options.scenarioFile = value;
    } else if (name == "--log") {
        options.logFile = value;
    } else if (name == "--state") {
        uint8_t state = 0;
        if (!ParseByte(value, state)) {
            error = "--state: '" + value + "' is not one character or 0xHH";
            return false;
        }
        options.state = state;
    } else if (name == "--drop") {
        uint8_t command = 0;
        if (!ParseDropRule(value, command, count, error)) return false;
        options.drops.emplace_back(command, count);
    } else if (name == "--corrupt") {
        CorruptRule rule;
        if (!ParseCorruptRule(value, rule, error)) return false;
        options.corrupts.push_back(rule);
    } else if (name == "--corrupt-test-sum-every") {
        uint8_t command = 0;
        if (!ParseDropRule(value, command, count, error)) return false;
        options.corruptTestSumEvery.emplace_back(command, count);
    } else if (name == "--noise" || name == "--silent-after" || name == "--drop-every") {
        if (!ParseCount(value, count)) {
            error = std::string(name) + ": '" + value + "' is not a count";
            return false;
        }
        (name == "--noise"          ? options.noise
         : name == "--silent-after" ? options.silentAfter
                                    : options.dropEvery) = count;
    } else if (name == "--baud") {
        if (!ParseCount(value, count) || count <= 0) {
            error = "--baud: '" + value + "' is not a baud rate";
            return false;
        }
        options.baud = count;
    } else {
        error = "unknown option " + std::string(name);
        return false;
    }
    return true;
}

}  // namespace

bool ParseSimOptions(std::span<const std::string> args, SimOptions& options, std::string& error) {
    options = {};
    size_t i = 0;
    if (!args.empty() && !args[0].starts_with("-")) {
        if (!IsCommand(args[0])) {
            error = "unknown command '" + args[0] + "'";
            return false;
        }
        options.command = args[i++];
    } else {
        options.command = "serve";
    }
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--boot") {
            options.boot = true;
            continue;
        }
        if (arg == "--bootstrap") {
            options.bootstrap = true;
            continue;
        }
        std::string_view name;
        std::string value;
        if (!TakeOption(args, i, name, value, error)) return false;
        if (!ApplyOption(name, value, options, error)) return false;
    }
    return true;
}

void SimOptions::ApplyTo(Scenario& scenario, FaultSettings& faults) const {
    if (state) scenario.state = *state;
    if (boot) scenario.state = kBootProgramState;
    if (bootstrap) scenario.power = Power::Bootstrap;
    for (auto [command, count] : drops)
        faults.drop[command] = count;
    faults.corrupt.insert(faults.corrupt.end(), corrupts.begin(), corrupts.end());
    if (noise) faults.noise = *noise;
    if (silentAfter) faults.silentAfter = *silentAfter;
    if (dropEvery) faults.dropEvery = *dropEvery;
    for (auto [command, every] : corruptTestSumEvery)
        faults.corruptTestSumEvery[command] = every;
}

std::string SimUsage() {
    return R"(usage: logger-sim [serve] [options]
       logger-sim generate --function A|P --intervals N ... --output FILE.VXM

A Logger in software on a pseudo-terminal. It serves until SIGINT or SIGTERM. "generate"
writes a generated measurement to a file instead; see 'logger-sim generate --help'.

options:
  --link PATH          publish the port as a symbolic link at PATH (removed on exit)
  --scenario FILE      the Logger's state and faults from a scenario file
  --state C            the character answered to the wake-up (default '+')
  --boot               the Logger waits in its boot program (wake-up answers 'P')
  --bootstrap          the Logger is in its processor's bootstrap mode, for the reset
                       wizard: silent until a zero byte (see sim/README.md)
  --drop C:N           drop the first N transmissions of the answer to command C
  --corrupt C:N:OFF    flip the byte at offset OFF of the N-th transmission of C's answer
  --noise N            send a noise byte 0x00 before the first N wake-up answers
  --silent-after N     answer nothing once N commands have been received
  --drop-every N       lose every N-th answer longer than 16 bytes
  --corrupt-test-sum-every C:N
                       flip the test sum (last byte) of every N-th answer to command C
  --baud N             send answers at N baud, 8N1 (10 bits a byte)
  --log FILE           write every received command to FILE, one line each
  --help               show this text

C is one character or 0xHH. --drop and --corrupt may be repeated; command-line settings
override the scenario file's. A repeat of an answer by "x" counts as a transmission of the
command that answer belongs to.
)";
}

}  // namespace varelo::sim
