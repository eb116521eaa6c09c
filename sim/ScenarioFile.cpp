#include "sim/ScenarioFile.h"

#include <fstream>
#include <initializer_list>
#include <sstream>

#include "platform/IniFile.h"
#include "sim/ByteText.h"

namespace varelo::sim {

namespace {

struct KnownSection {
    const char* name;
    std::initializer_list<const char*> keys;
};

// Later Logger features add their sections here ([Hardware], [Software], [Jobs], ...).
const KnownSection kSections[] = {
    {"Logger", {"state"}},
    {"Faults", {"drop", "corrupt", "noise", "silent-after"}},
};

bool CheckNames(const IniFile& ini, std::string& error) {
    for (const auto& section : ini.Sections()) {
        const KnownSection* known = nullptr;
        for (const auto& k : kSections) {
            if (EqualsNoCase(section.name, k.name))
                known = &k;
        }
        if (!known) {
            error = "unknown section [" + section.name + "]";
            return false;
        }
        for (const auto& entry : section.entries) {
            bool found = false;
            for (const char* key : known->keys)
                found = found || EqualsNoCase(entry.key, key);
            if (!found) {
                error = "unknown key '" + entry.key + "' in [" + section.name + "]";
                return false;
            }
        }
    }
    return true;
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
        if (!item.empty())
            items.push_back(item);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return items;
}

bool ReadCount(const IniFile& ini, const char* key, int& count, std::string& error) {
    std::string value = ini.GetString("Faults", key, "");
    if (ParseCount(value, count))
        return true;
    error = std::string("[Faults] ") + key + ": '" + value + "' is not a count";
    return false;
}

}  // namespace

bool ParseScenarioText(std::string_view text, Scenario& scenario, FaultSettings& faults,
                       std::string& error) {
    IniFile ini = IniFile::Parse(text);
    if (!CheckNames(ini, error))
        return false;

    if (ini.Find("Logger", "state")) {
        std::string state = ini.GetString("Logger", "state", "");
        if (!ParseByte(state, scenario.state)) {
            error = "[Logger] state: '" + state + "' is not one character or 0xHH";
            return false;
        }
    }

    if (ini.Find("Faults", "drop")) {
        std::string list = ini.GetString("Faults", "drop", "");
        for (std::string_view item : SplitList(list)) {
            uint8_t command = 0;
            int count = 0;
            if (!ParseDropRule(item, command, count, error))
                return false;
            faults.drop[command] = count;
        }
    }
    if (ini.Find("Faults", "corrupt")) {
        std::string list = ini.GetString("Faults", "corrupt", "");
        for (std::string_view item : SplitList(list)) {
            CorruptRule rule;
            if (!ParseCorruptRule(item, rule, error))
                return false;
            faults.corrupt.push_back(rule);
        }
    }
    if (ini.Find("Faults", "noise") && !ReadCount(ini, "noise", faults.noise, error))
        return false;
    if (ini.Find("Faults", "silent-after")) {
        int count = 0;
        if (!ReadCount(ini, "silent-after", count, error))
            return false;
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
    if (ParseScenarioText(text.str(), scenario, faults, error))
        return true;
    error = path + ": " + error;
    return false;
}

}  // namespace varelo::sim
