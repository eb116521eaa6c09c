#include "app/Startup.h"

#include <algorithm>
#include <cctype>

#include "app/AppOptions.h"
#include "app/HarmonicReferenceKeys.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

constexpr const char* kBaudRates[] = {"9600", "19200", "38400", "57600", "115200"};

// "-name" or "/name". An absolute path also starts with "/", so "/" introduces a switch only
// when letters alone follow it.
bool IsSwitch(std::string_view arg) {
    if (arg.size() < 2) return false;
    if (arg.front() == '-') return true;
    if (arg.front() != '/') return false;
    return std::all_of(arg.begin() + 1, arg.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

// Leading decimal digits; none gives 0.
int LeadingDigits(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > 100000000) break;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::span<const char* const> BaudRates() {
    return kBaudRates;
}

bool IsValidBaudRate(int baud) {
    for (const char* rate : kBaudRates) {
        if (LeadingDigits(rate) == baud) return true;
    }
    return false;
}

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
    CommandLine result;
    bool print = false;
    for (std::string_view arg : args) {
        if (IsSwitch(arg)) {
            std::string_view name = arg.substr(1);
            if (EqualsNoCase(name, "configure"))
                result.configure = true;
            else if (EqualsNoCase(name, "p"))
                print = true;
            continue;
        }
        if (result.file.empty()) result.file = arg;
    }
    if (!result.file.empty())
        result.action = print ? CommandLine::Action::Print : CommandLine::Action::Open;
    return result;
}

void LoadStartupLanguage(Settings& settings, LanguageLoader& languages) {
    int id = settings.ReadInt(setting::DialogLanguage);
    if (!FindLanguage(id)) id = kEnglish;
    languages.LoadLanguage(id);  // a missing module has shown 812; the built-in strings stay
}

void ForceFrequency(Settings& settings) {
    if (settings.ReadInt(setting::Frequency) != 50) settings.Write(setting::Frequency, 50);
}

void RepairCommunication(Settings& settings) {
    int port = settings.ReadInt(setting::ComPort);
    if (port < 1 || port > 9) settings.Write(setting::ComPort, 1);
    if (!IsValidBaudRate(LeadingDigits(settings.ReadString(setting::BaudRate))))
        settings.Write(setting::BaudRate, "115200");
}

void FindDefaultLimitFile(Settings& settings, const std::string& dataFolder) {
    if (!settings.ReadString(setting::LimitFile).empty()) return;
    std::string candidate = dataFolder + "/" + kDefaultLimitFileName;
    if (FileIsReadable(candidate)) settings.Write(setting::LimitFile, candidate);
}

void ReadDisplaySwitches(Settings& settings, AppOptions& options) {
    options.SetFlickerHidden(settings.ReadInt(setting::IsFlickerDisabled) != 0);
    options.SetThdHidden(settings.ReadInt(setting::IsThdDisabled) != 0);
    options.SetEn50160WarningHidden(settings.ReadInt(setting::IsEN50160Disabled) != 0);
}

void ReadHarmonicOptions(Settings& settings, AppOptions& options) {
    // The last non-zero key of each column wins.
    for (auto [key, reference] : kVoltageHarmonicKeys) {
        if (settings.ReadInt(*key) != 0) options.SetVoltageHarmonicReference(reference);
    }
    for (auto [key, reference] : kCurrentHarmonicKeys) {
        if (settings.ReadInt(*key) != 0) options.SetCurrentHarmonicReference(reference);
    }
    options.SetThdOrder(settings.ReadInt(setting::SelectionOfHarmonicsForTHD));
    options.SetPhaseLabeling(settings.ReadInt(setting::PhaseLabeling) == 0 ? PhaseLabels::L123
                                                                           : PhaseLabels::ABC);
}

void ApplyStartupSettings(Settings& settings, AppOptions& options, LanguageLoader& languages,
                          const std::string& dataFolder) {
    LoadStartupLanguage(settings, languages);
    ForceFrequency(settings);
    RepairCommunication(settings);
    FindDefaultLimitFile(settings, dataFolder);
    ReadDisplaySwitches(settings, options);
}

}  // namespace varelo
