#pragma once

#include <span>
#include <string>
#include <string_view>

namespace varelo {

class AppOptions;
class LanguageLoader;
class Settings;

// What the command line asks for.
struct CommandLine {
    enum class Action { New, Open, Print };
    Action action = Action::New;
    std::string file;        // the measurement file to open or print
    bool configure = false;  // "/configure" or "-configure", any case
};

CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The settings part of start-up, in its order.
void LoadStartupLanguage(Settings& settings, LanguageLoader& languages);
void ForceFrequency(Settings& settings);
void RepairCommunication(Settings& settings);
void FindDefaultLimitFile(Settings& settings, const std::string& dataFolder);
void ReadDisplaySwitches(Settings& settings, AppOptions& options);
// Read while the main window is built: harmonic references, THD order and phase labels.
void ReadHarmonicOptions(Settings& settings, AppOptions& options);

// Runs the steps above in start-up order.
void ApplyStartupSettings(Settings& settings, AppOptions& options, LanguageLoader& languages,
                          const std::string& dataFolder);

inline constexpr const char* kDefaultLimitFileName = "En50160-50Hz.gwd";

// The baud rate texts the Logger link offers, slowest first.
std::span<const char* const> BaudRates();
bool IsValidBaudRate(int baud);

}  // namespace varelo
