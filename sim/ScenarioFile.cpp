#include "sim/ScenarioFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/IniFile.h"
#include "sim/ByteText.h"
#include "sim/GenerateCommand.h"
#include "sim/MeasurementCommands.h"
#include "sim/ScenarioSettings.h"

namespace varelo::sim {

namespace {

const char* const kFaultKeys[] = {"drop",         "corrupt",    "noise",
                                  "silent-after", "drop-every", "corrupt-test-sum-every"};

bool IsFaultKey(std::string_view key) {
    for (const char* known : kFaultKeys) {
        if (EqualsNoCase(key, known)) return true;
    }
    return false;
}

// Applies the Logger's sections and checks every name; [Faults] is read afterwards.
bool ApplyLoggerSections(const IniFile& ini, Scenario& scenario, std::string& error) {
    for (const auto& section : ini.Sections()) {
        if (EqualsNoCase(section.name, "Measurement")) continue;  // read afterwards
        const bool faults = EqualsNoCase(section.name, "Faults");
        if (!faults && !IsLoggerSection(section.name)) {
            error = "unknown section [" + section.name + "]";
            return false;
        }
        if (EqualsNoCase(section.name, "OldJob")) scenario.hasOldJob = true;
        for (const auto& entry : section.entries) {
            std::string problem;
            SettingResult result = SettingResult::UnknownKey;
            if (!faults) {
                result = ApplyLoggerSetting(section.name, entry.key,
                                            ini.GetString(section.name, entry.key, ""), scenario,
                                            problem);
            } else if (IsFaultKey(entry.key)) {
                result = SettingResult::Applied;
            }
            if (result == SettingResult::UnknownKey) {
                error = "unknown key '" + entry.key + "' in [" + section.name + "]";
                return false;
            }
            if (result == SettingResult::BadValue) {
                error = "[" + section.name + "] " + entry.key + ": " + problem;
                return false;
            }
        }
    }
    return CheckScenario(scenario, error);
}

std::vector<std::string_view> SplitList(std::string_view text) {
    std::vector<std::string_view> items;
    while (!text.empty()) {
        size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        if (!item.empty()) items.push_back(item);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return items;
}

bool ReadCount(const IniFile& ini, const char* key, int& count, std::string& error) {
    std::string value = ini.GetString("Faults", key, "");
    if (ParseCount(value, count)) return true;
    error = std::string("[Faults] ") + key + ": '" + value + "' is not a count";
    return false;
}

// [Measurement] and [OldMeasurement]: the generated measurements the current and the old job
// hold and serve.
bool ApplyMeasurementSection(const IniFile& ini, Scenario& scenario, std::string& error) {
    static constexpr struct {
        const char* name;
        uint8_t job;
    } kSections[] = {{"Measurement", 0}, {"OldMeasurement", 1}};
    for (const auto& section : ini.Sections()) {
        const auto* kind =
            std::find_if(std::begin(kSections), std::end(kSections),
                         [&](const auto& k) { return EqualsNoCase(section.name, k.name); });
        if (kind == std::end(kSections)) continue;
        const std::string where = std::string("[") + kind->name + "] ";
        GeneratorSettings settings;
        for (const auto& entry : section.entries) {
            std::string key = entry.key;
            for (char& c : key)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            if (!ApplyGeneratorSetting(key, ini.GetString(section.name, entry.key, ""), settings,
                                       error)) {
                error = where + error;
                return false;
            }
        }
        if (!ValidateGeneratorSettings(settings, error)) {
            error = where + error;
            return false;
        }
        scenario.jobs[kind->job].measurement = settings;
        DescribeMeasurementJob(scenario, kind->job);
    }
    return true;
}

}  // namespace

bool ParseScenarioText(std::string_view text, Scenario& scenario, FaultSettings& faults,
                       std::string& error) {
    IniFile ini = IniFile::Parse(text);
    if (!ApplyLoggerSections(ini, scenario, error)) return false;
    if (!ApplyMeasurementSection(ini, scenario, error)) return false;

    if (ini.Find("Faults", "drop")) {
        std::string list = ini.GetString("Faults", "drop", "");
        for (std::string_view item : SplitList(list)) {
            uint8_t command = 0;
            int count = 0;
            if (!ParseDropRule(item, command, count, error)) return false;
            faults.drop[command] = count;
        }
    }
    if (ini.Find("Faults", "corrupt")) {
        std::string list = ini.GetString("Faults", "corrupt", "");
        for (std::string_view item : SplitList(list)) {
            CorruptRule rule;
            if (!ParseCorruptRule(item, rule, error)) return false;
            faults.corrupt.push_back(rule);
        }
    }
    if (ini.Find("Faults", "drop-every") && !ReadCount(ini, "drop-every", faults.dropEvery, error))
        return false;
    if (ini.Find("Faults", "corrupt-test-sum-every")) {
        std::string list = ini.GetString("Faults", "corrupt-test-sum-every", "");
        for (std::string_view item : SplitList(list)) {
            uint8_t command = 0;
            int every = 0;
            if (!ParseDropRule(item, command, every, error)) return false;
            faults.corruptTestSumEvery[command] = every;
        }
    }
    if (ini.Find("Faults", "noise") && !ReadCount(ini, "noise", faults.noise, error)) return false;
    if (ini.Find("Faults", "silent-after")) {
        int count = 0;
        if (!ReadCount(ini, "silent-after", count, error)) return false;
        faults.silentAfter = count;
    }
    return true;
}

bool LoadScenarioFile(const std::string& path, Scenario& scenario, FaultSettings& faults,
                      std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the scenario file '" + path + "'";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (ParseScenarioText(text.str(), scenario, faults, error)) return true;
    error = path + ": " + error;
    return false;
}

}  // namespace varelo::sim
