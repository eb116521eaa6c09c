#include "export/AccessConfiguration.h"

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "export/AccessNames.h"
#include "platform/IniFile.h"

namespace varelo {

const std::array<const char*, HeaderTableConfiguration::kColumns> kHeaderColumnKeys = {
    "Text1",
    "Text2",
    "Text3",
    "Text4",
    "Text5",
    "Text6",
    "AveragingInterval",
    "NumberOfIntervals",
    "NominalVoltage",
    "ProgrammedStart",
    "ProgrammedEnd",
    "RealStart",
    "RealEnd"};

namespace {

constexpr size_t kValueLimit = 99;

// Reads one configuration after another, stopping at the first error with its message.
class ConfigurationReader {
public:
    ConfigurationReader(const IniFile& ini, UserInterface& ui) : ini_(ini), ui_(ui) {}

    std::string Value(const std::string& section, const std::string& key) const {
        return ini_.GetString(section, key, "", kValueLimit);
    }
    int Int(const std::string& section, const std::string& key) const {
        return ini_.GetInt(section, key, 0);
    }
    bool Missing(const std::string& section, const std::string& key) {
        ui_.ShowMessage(1508, Msg(1508, {section, key}), MessageIcon::Warning);
        return false;
    }
    bool Bad(const std::string& section, const std::string& key, const std::string& value) {
        ui_.ShowMessage(1509, Msg(1509, {section, key, value}), MessageIcon::Warning);
        return false;
    }
    // A fill-mode key: missing or empty keeps the inherited mode.
    bool Fill(const std::string& section, const std::string& key, FillMode& mode) {
        std::string value = Value(section, key);
        if (value.empty()) return true;
        if (EqualsNoCase(value, "zero"))
            mode = FillMode::kZero;
        else if (EqualsNoCase(value, "null"))
            mode = FillMode::kNull;
        else if (EqualsNoCase(value, "skip"))
            mode = FillMode::kSkip;
        else
            return Bad(section, key, value);
        return true;
    }
    // A name key: required and valid.
    bool Name(const std::string& section, const std::string& key, std::string& name) {
        name = Value(section, key);
        if (name.empty()) return Missing(section, key);
        std::string raw = name;
        return IsValidAccessName(name) || Bad(section, key, raw);
    }

private:
    const IniFile& ini_;
    UserInterface& ui_;
};

bool ReadColumn(ConfigurationReader& reader, const std::string& section, int f,
                const AccessConfiguration& config, const ChannelHeld& held, FillMode tableMode,
                AccessTableSpec& table) {
    std::string number = std::to_string(f);
    AccessColumnSpec column;
    if (!reader.Name(section, "FieldName" + number, column.name)) return false;
    std::string valueKey = "FieldValue" + number;
    std::string value = reader.Value(section, valueKey);
    if (value.empty()) return reader.Missing(section, valueKey);
    FillMode mode = tableMode;
    if (!reader.Fill(section, "FieldIfNotMeasured" + number, mode)) return false;
    if (value == "IntervalDateTime") {
        column.type = FieldType::kDate;
        table.columns.push_back(column);
        return true;
    }
    column.channelId = ParseQuantityName(value);
    if (column.channelId < 0) return reader.Bad(section, valueKey, value);
    column.type = config.precision ? FieldType::kDouble : FieldType::kSingle;
    if (column.channelId == kChannelNotHeld || !held(column.channelId)) {
        if (mode == FillMode::kSkip) return true;
        column.fill = mode == FillMode::kNull ? ColumnFill::kNull : ColumnFill::kZero;
    }
    table.columns.push_back(column);
    return true;
}

bool ReadTable(ConfigurationReader& reader, int t, FillMode databaseMode, const ChannelHeld& held,
               AccessConfiguration& config) {
    std::string section = "Table" + std::to_string(t);
    AccessTableSpec table;
    if (!reader.Name(section, "Name", table.name)) return false;
    int fields = reader.Int(section, "FieldCount");
    if (fields < 1) return reader.Missing(section, "FieldCount");
    FillMode tableMode = databaseMode;
    if (!reader.Fill(section, "IfNotMeasured", tableMode)) return false;
    for (int f = 1; f <= fields; ++f)
        if (!ReadColumn(reader, section, f, config, held, tableMode, table)) return false;
    // A table whose every column was left out is dropped without a word.
    if (!table.columns.empty()) config.tables.push_back(std::move(table));
    return true;
}

}  // namespace

bool ReadAccessConfiguration(const IniFile& ini, const ChannelHeld& held, UserInterface& ui,
                             AccessConfiguration& config) {
    ConfigurationReader reader(ini, ui);
    config = AccessConfiguration();
    config.precision = reader.Int("Database", "Precision") != 0;
    config.access2000 = reader.Int("Database", "Access2000") != 0;
    FillMode mode = FillMode::kZero;
    if (!reader.Fill("Database", "IfNotMeasured", mode)) return false;
    int tables = reader.Int("Database", "TableCount");
    if (tables < 1) return reader.Missing("Database", "TableCount");
    for (int t = 1; t <= tables; ++t)
        if (!ReadTable(reader, t, mode, held, config)) return false;
    return true;
}

bool ReadAccessConfiguration(const std::string& path, const ChannelHeld& held, UserInterface& ui,
                             AccessConfiguration& config) {
    IniFile ini;
    ini.Load(path);  // an unreadable file reads as an empty one: its first key is missing
    return ReadAccessConfiguration(ini, held, ui, config);
}

bool ReadHeaderTableConfiguration(const IniFile& ini, UserInterface& ui,
                                  HeaderTableConfiguration& header) {
    ConfigurationReader reader(ini, ui);
    const std::string section = "HeaderTable";
    header = HeaderTableConfiguration();
    std::string name = reader.Value(section, "Name");
    if (!name.empty()) {
        std::string raw = name;
        if (!IsValidAccessName(name)) return reader.Bad(section, "Name", raw);
        header.name = name;
    }
    for (int i = 0; i < HeaderTableConfiguration::kColumns; ++i) {
        const std::string key = kHeaderColumnKeys[size_t(i)];
        bool fixed = ini.Find(section, key) != nullptr;
        if (i < HeaderTableConfiguration::kTexts) header.fixedText[size_t(i)] = fixed;
        if (!fixed) {
            header.columns[size_t(i)] = i < HeaderTableConfiguration::kTexts ? "" : key;
            continue;
        }
        std::string value = reader.Value(section, key);
        std::string raw = value;
        if (!IsValidAccessName(value)) return reader.Bad(section, key, raw);
        header.columns[size_t(i)] = value;
    }
    return true;
}

bool ReadHeaderTableConfiguration(const std::string& path, UserInterface& ui,
                                  HeaderTableConfiguration& header) {
    IniFile ini;
    ini.Load(path);
    return ReadHeaderTableConfiguration(ini, ui, header);
}

}  // namespace varelo
