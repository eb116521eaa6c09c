#pragma once

#include <span>
#include <string_view>

namespace varelo {

class Arguments;
class CliContext;

// Exit statuses of the command-line program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// One command: its words ("logger connect"), its usage line and what it does.
struct Command {
    std::string_view words;
    std::string_view usage;
    std::string_view summary;
    int (*run)(CliContext& context, Arguments& args);
};

std::span<const Command> LoggerCommands();
std::span<const Command> LoggerOnlineCommands();
std::span<const Command> LoggerResetCommands();
std::span<const Command> JobCommands();
std::span<const Command> LimitCommands();
std::span<const Command> EvaluateCommands();
std::span<const Command> MeasurementCommands();
std::span<const Command> PrintCommands();
std::span<const Command> ReferenceCommands();
std::span<const Command> ReportCommands();
std::span<const Command> TimeplotCommands();
std::span<const Command> ListCommands();
std::span<const Command> ExportFileCommands();
std::span<const Command> ExportDatabaseCommands();
std::span<const Command> DerivedFileCommands();
std::span<const Command> AoaCommands();

}  // namespace varelo
