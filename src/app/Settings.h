#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

namespace varelo {

// One key of the settings table: its section (root "Settings" or a frequency-dependent
// section by its own name), its name, its type and what it reads as when absent.
struct SettingKey {
    const char* section;
    const char* key;
    bool isString;
    int intDefault;
    const char* stringDefault;
    bool rootSection = false;
};

// Every key of the settings table with its default. Keys that carry an index or a function
// letter are built by the functions below the table.
namespace setting {
#define VARELO_INT(name, section, key, def) inline constexpr SettingKey name{section, key, false, def, ""};
#define VARELO_STR(name, section, key) inline constexpr SettingKey name{section, key, true, 0, ""};
inline constexpr SettingKey DialogLanguage{"Settings", "DialogLanguage", false, -1, "", true};
inline constexpr SettingKey Frequency{"Settings", "Frequency", false, 0, "", true};
VARELO_STR(LimitFile, "Main", "LimitFile")
VARELO_STR(AoaFileName, "Main", "AoaFileName")
VARELO_STR(PrintHeader, "Main", "PrintHeader")
VARELO_INT(LeftBorder, "Main", "LeftBorder", -1)
VARELO_INT(AutoTimeSync, "Main", "AutoTimeSync", 0)
VARELO_STR(SavePathMeasurementfile, "Main", "SavePathMeasurementfile")
VARELO_INT(ChangeSavePathMeasurementfile, "Main", "ChangeSavePathMeasurementfile", 0)
VARELO_INT(IsSplashScreenDisabled, "Main", "IsSplashScreenDisabled", 0)
VARELO_INT(IsStartupScreenDisabled, "Main", "IsStartupScreenDisabled", 0)
VARELO_INT(IsEN50160Disabled, "Main", "IsEN50160Disabled", 1)
VARELO_INT(IsFlickerDisabled, "Main", "IsFlickerDisabled", 0)
VARELO_INT(IsThdDisabled, "Main", "IsThdDisabled", 0)
VARELO_INT(VoltageHarmonicsInFundamental, "Main", "VoltageHarmonicsInFundamental", 0)
VARELO_INT(VoltageHarmonicsInNominal, "Main", "VoltageHarmonicsInNominal", 1)
VARELO_INT(VoltageHarmonicsInRMS, "Main", "VoltageHarmonicsInRMS", 0)
VARELO_INT(VoltageHarmonicsInAbsolute, "Main", "VoltageHarmonicsInAbsolute", 0)
VARELO_INT(CurrentHarmonicsInFundamental, "Main", "CurrentHarmonicsInFundamental", 0)
VARELO_INT(CurrentHarmonicsInRMS, "Main", "CurrentHarmonicsInRMS", 0)
VARELO_INT(CurrentHarmonicsInAbsolute, "Main", "CurrentHarmonicsInAbsolute", 1)
VARELO_INT(SelectionOfHarmonicsForTHD, "Main", "SelectionOfHarmonicsForTHD", 50)
VARELO_INT(PhaseLabeling, "Main", "PhaseLabeling", 0)
VARELO_INT(LastUsedClamp, "Main", "LastUsedClamp", 0)
VARELO_INT(MaxClampCurrent, "Main", "MaxClampCurrent", 1500)
VARELO_STR(LastUsedBoxType, "Main", "LastUsedBoxType")
VARELO_INT(ComPort, "Communication", "ComPort", -1)
VARELO_STR(BaudRate, "Communication", "BaudRate")
VARELO_INT(MaxResponseTime, "Communication", "MaxResponseTime", 0)
VARELO_INT(CommandDelayData, "Communication", "CommandDelayData", 0)
VARELO_INT(MaxInitTime, "Communication", "MaxInitTime", 0)
VARELO_INT(EventCommandDelay, "Communication", "EventCommandDelay", 0)
VARELO_INT(StoreJobBinary, "Debug", "StoreJobBinary", 0)
VARELO_INT(StoreKELVAROdata, "Debug", "StoreKELVAROdata", 0)
VARELO_STR(JobTemplateA, "Job", "A")
VARELO_STR(JobTemplateP, "Job", "P")
VARELO_INT(ChanelSelection1, "Level-Time Diagram", "ChanelSelection1", 1)
VARELO_INT(ChanelSelection2, "Level-Time Diagram", "ChanelSelection2", 1)
VARELO_INT(ChanelSelection3, "Level-Time Diagram", "ChanelSelection3", 1)
VARELO_INT(ChanelSelectionN, "Level-Time Diagram", "ChanelSelectionN", 1)
VARELO_INT(CurveWidth, "Level-Time Diagram", "CurveWidth", -1)
VARELO_STR(CurveWidthMedium, "Level-Time Diagram", "CurveWidthMedium")
VARELO_STR(CurveWidthThick, "Level-Time Diagram", "CurveWidthThick")
VARELO_INT(Yscaling, "Level-Time Diagram", "Yscaling", -1)
VARELO_INT(TimePeriod, "Level-Time Diagram", "TimePeriod", -1)
VARELO_INT(GraphicalSummaryBackground, "Graphical Summary", "Background", -1)
VARELO_INT(UpperClassLimit, "Cumulativ frequency", "UpperClassLimit", -1)
VARELO_INT(LowerClassLimit, "Cumulativ frequency", "LowerClassLimit", -1)
VARELO_INT(NewPageForPhase, "Cumulativ frequency", "NewPageForPhase", -1)
VARELO_INT(Scalemode, "Cumulativ frequency", "Scalemode", 1)
VARELO_INT(ScalemodeAmpere, "Cumulativ frequency", "ScalemodeAmpere", 1)
VARELO_INT(ValueListIntervalStatus, "Measurement value list", "Intervall Status", -1)
VARELO_INT(ValueListPrintingRange, "Measurement value list", "Printing Range", -1)
VARELO_INT(AllExceedingsIntervalStatus, "AllExceedings", "Intervall Status", -1)
VARELO_INT(AsciiDelimitter, "ASCII", "Delimitter", -1)
VARELO_INT(AsciiStatus, "ASCII", "Status", 0)
VARELO_INT(AsciiLineNr, "ASCII", "LineNr", 0)
VARELO_INT(AsciiDateTime, "ASCII", "DateTime", 0)
VARELO_INT(AsciiTxtDelimitter, "ASCII", "TxtDelimitter", 0)
VARELO_INT(AsciiFixPositon, "ASCII", "FixPositon", 0)
VARELO_INT(AsciiWinDecimal, "ASCII", "WinDecimal", 1)
VARELO_STR(MdbConfigFileA, "MDB", "ConfigFileA")
VARELO_STR(MdbConfigFileP, "MDB", "ConfigFileP")
VARELO_INT(MdbAddHeaderTable, "MDB", "AddHeaderTable", 0)
VARELO_INT(VseSave, "VSE-Export", "Save", 0)
VARELO_INT(VseProtocol, "VSE-Export", "Protocol", 0)
VARELO_INT(VseEwNumber, "VSE-Export", "EW Number", -1)
VARELO_INT(VseMeasurementPoint, "VSE-Export", "Measurement point", -1)
VARELO_INT(VseTransformer, "VSE-Export", "Transformer", -1)
#undef VARELO_INT
#undef VARELO_STR
}  // namespace setting

// A key whose name is built at run time (indexed colours, channel lists, device paths).
struct DynamicSettingKey {
    std::string section;
    std::string key;
    bool isString;
    int intDefault;
};

namespace setting {
// "ScreenColor" + index in "Level-Time Diagram" (0..9), "Graphical Summary" (0..2) or
// "Cumulativ frequency" (0..3).
DynamicSettingKey ScreenColor(std::string_view section, int index);
// Number of channels chosen last: section "Level-Time OffLine", "Level-Time OnLine" or
// "ASCII", key the function letter.
DynamicSettingKey ChannelCount(std::string_view section, char function);
// The chosen quantity identifiers in order: key "%s%02d" of the function letter and index.
DynamicSettingKey ChannelEntry(std::string_view section, char function, int index);
// Device path of port COMn ("Communication", "DeviceCOMn").
DynamicSettingKey DeviceForPort(int port);
}  // namespace setting

// The settings of the application: the per-user store seen through the settings table.
class Settings {
public:
    explicit Settings(SettingsStore& store) : store_(store) {}

    // Full name of a frequency-dependent section: "Settings\<frequency> Hz\<name>", the
    // frequency being the stored one when it is 60, else 50.
    std::string SettingsSection(std::string_view name);

    int ReadInt(const SettingKey& key);
    std::string ReadString(const SettingKey& key);
    bool Write(const SettingKey& key, int value);
    bool Write(const SettingKey& key, std::string_view value);

    int ReadInt(const DynamicSettingKey& key);
    std::string ReadString(const DynamicSettingKey& key);
    bool Write(const DynamicSettingKey& key, int value);
    bool Write(const DynamicSettingKey& key, std::string_view value);

    SettingsStore& Store() { return store_; }

private:
    std::string FullSection(const SettingKey& key);
    SettingsStore& store_;
};

// Rules of keys whose stored value needs interpreting.
namespace setting_rule {
// Left print margin in millimetres: 0..30 as stored, any other value 25.
int LeftBorderMm(int stored);
// Curve width choice 0..2, any other value 0.
int CurveWidth(int stored);
// Y-axis scaling mode 1..3, any other value 1.
int Yscaling(int stored);
// Initial time axis period 1..26, any other value 26.
int TimePeriod(int stored);
// A colour string "%i %i %i" (red green blue) as a colour value (red in bits 0..7, green
// 8..15, blue 16..23); none when shorter than 5 characters or not three numbers.
std::optional<unsigned> ParseColor(std::string_view text);
std::string FormatColor(unsigned color);
}  // namespace setting_rule

}  // namespace varelo
