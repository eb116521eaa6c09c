#include "app/Settings.h"

#include <cstdio>

#include "app/StringTable.h"

namespace varelo {

namespace setting {

DynamicSettingKey ScreenColor(std::string_view section, int index) {
    return {std::string(section), "ScreenColor" + std::to_string(index), true, 0};
}

DynamicSettingKey ChannelCount(std::string_view section, char function) {
    return {std::string(section), std::string(1, function), false, 0};
}

DynamicSettingKey ChannelEntry(std::string_view section, char function, int index) {
    char key[32];
    std::snprintf(key, sizeof key, "%c%02d", function, index);
    return {std::string(section), key, false, -1};
}

DynamicSettingKey DeviceForPort(int port) {
    return {"Communication", "DeviceCOM" + std::to_string(port), true, 0};
}

}  // namespace setting

std::string Settings::SettingsSection(std::string_view name) {
    int frequency = ReadInt(setting::Frequency);
    if (frequency != 60) frequency = 50;
    return Msg(868, {std::to_string(frequency), std::string(name)});
}

std::string Settings::FullSection(const SettingKey& key) {
    return key.rootSection ? std::string(key.section) : SettingsSection(key.section);
}

int Settings::ReadInt(const SettingKey& key) {
    return store_.GetInt(FullSection(key), key.key, key.intDefault);
}

std::string Settings::ReadString(const SettingKey& key) {
    return store_.GetString(FullSection(key), key.key, key.stringDefault);
}

bool Settings::Write(const SettingKey& key, int value) {
    return store_.WriteInt(FullSection(key), key.key, value);
}

bool Settings::Write(const SettingKey& key, std::string_view value) {
    return store_.WriteString(FullSection(key), key.key, value);
}

int Settings::ReadInt(const DynamicSettingKey& key) {
    return store_.GetInt(SettingsSection(key.section), key.key, key.intDefault);
}

std::string Settings::ReadString(const DynamicSettingKey& key) {
    return store_.GetString(SettingsSection(key.section), key.key, "");
}

bool Settings::Write(const DynamicSettingKey& key, int value) {
    return store_.WriteInt(SettingsSection(key.section), key.key, value);
}

bool Settings::Write(const DynamicSettingKey& key, std::string_view value) {
    return store_.WriteString(SettingsSection(key.section), key.key, value);
}

namespace setting_rule {

int LeftBorderMm(int stored) { return stored >= 0 && stored <= 30 ? stored : 25; }
int CurveWidth(int stored) { return stored >= 0 && stored <= 2 ? stored : 0; }
int Yscaling(int stored) { return stored >= 1 && stored <= 3 ? stored : 1; }
int TimePeriod(int stored) { return stored >= 1 && stored <= 26 ? stored : 26; }

std::optional<unsigned> ParseColor(std::string_view text) {
    if (text.size() < 5) return std::nullopt;
    int r = 0, g = 0, b = 0;
    if (std::sscanf(std::string(text).c_str(), "%i %i %i", &r, &g, &b) != 3) return std::nullopt;
    return unsigned(r & 0xFF) | unsigned(g & 0xFF) << 8 | unsigned(b & 0xFF) << 16;
}

std::string FormatColor(unsigned color) {
    char text[40];
    std::snprintf(text, sizeof text, "%i %i %i", int(color & 0xFF), int(color >> 8 & 0xFF),
                  int(color >> 16 & 0xFF));
    return text;
}

}  // namespace setting_rule

}  // namespace varelo
