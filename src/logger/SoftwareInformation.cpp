#include "logger/SoftwareInformation.h"

#include <charconv>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/LoggerInfoTexts.h"
#include "measurement/MeasurementJob.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

// The profile functions read into a buffer of 100 characters.
constexpr size_t kValueBuffer = 99;
constexpr int kCalibrationEntries = 20;
constexpr size_t kCalibrationEntryLength = 11;  // "A00-Eichung"
constexpr size_t kVersionLength = 5;
constexpr size_t kImageSectionMinLength = 7;
constexpr size_t kBootSectionMinLength = 4;

// "00", "01" or "02" for the codes 0 to 2 in section names; nothing for others.
std::string SectionCode(int code) {
    return code >= 0 && code <= 2 ? "0" + std::to_string(code) : std::string();
}

// The number after the first ";" of a function text; 0 when there is none.
int NumberAfterSemicolon(const std::string& text) {
    size_t at = text.find(';');
    return at == std::string::npos ? 0
                                   : int(ParseLeadingInt(std::string_view(text).substr(at + 1)));
}

}  // namespace

std::string FirmwareFolder() {
    return DataFolder() + "/firmware";
}

double VersionNumber(const std::string& text) {
    std::string_view v = text;
    while (!v.empty() && v.front() == ' ')
        v.remove_prefix(1);
    double value = 0;
    std::from_chars(v.data(), v.data() + v.size(), value);
    return value;
}

SoftwareInformation::SoftwareInformation(const CLoggerInfo& info, UserInterface& ui,
                                         std::string firmwareFolder)
    : info_(info), ui_(ui) {
    std::string type = info_.HardwType.substr(0, 4);
    deviceFolder_ = firmwareFolder + "/" + type;
    path_ = deviceFolder_ + "/" + type + ".kvr";
    file_.Load(path_);  // a missing file reads as empty and fails the check
}

std::string SoftwareInformation::Read(const std::string& section, const std::string& key) const {
    return file_.GetString(section, key, "", kValueBuffer);
}

void SoftwareInformation::ShowEntryError(const std::string& section, const std::string& key) {
    ui_.ShowMessage(352, Msg(352, {path_, section, key}), MessageIcon::Warning);
}

bool SoftwareInformation::ReadChecked(const std::string& section, const std::string& key,
                                      size_t minLength, std::string& value, bool exactLength) {
    value = Read(section, key);
    if (exactLength ? value.size() == minLength : value.size() >= minLength) return true;
    ShowEntryError(section, key);
    return false;
}

bool SoftwareInformation::ImagePath(const std::string& imageSection, std::string& path) {
    std::string name;
    if (!ReadChecked(imageSection, "IntelHexDatei", 5, name)) return false;
    path = deviceFolder_ + "/" + name;
    if (FileIsReadable(path)) return true;
    ui_.ShowMessage(350, Msg(350, {path}), MessageIcon::Warning);
    return false;
}

bool SoftwareInformation::Check() {
    for (const char* key : {"Syntax", "Version"}) {
        if (file_.GetInt(kHeaderSection, key, -1) != 1) {
            ShowEntryError(kHeaderSection, key);
            return false;
        }
    }
    return true;
}

std::string SoftwareInformation::DeviceSection() const {
    return info_.HardwType.substr(0, 4) + info_.HardwBasicUnit + "*";
}

std::string SoftwareInformation::ConfigurationSection() const {
    return info_.HardwType.substr(0, 4) + info_.HardwBasicUnit +
           SectionCode(info_.HardwSupplyVoltage) + SectionCode(info_.HardwNomFreq) +
           (info_.HardwVoltRange == 1 ? "01" : "") + (info_.HardwCurrRange == 1 ? "01" : "");
}

std::string SoftwareInformation::ApplicationKey(uint32_t function, int f, int s,
                                                const char* processor) {
    return FunctionLetter(function) + std::to_string(f) + std::to_string(s) + "-" + processor +
           "-Applikation";
}

int SoftwareInformation::LoggerFrequencyCode() const {
    if (info_.HardwNomFreq != 0) return info_.HardwNomFreq;
    int cpu = NumberAfterSemicolon(info_.FuncCPU);
    int dsp = NumberAfterSemicolon(info_.FuncDSP);
    if (cpu == dsp) return cpu;
    if (cpu == 0) return dsp;
    if (dsp == 0) return cpu;
    return -1;
}

std::string SoftwareInformation::SectionVersion(const std::string& section) {
    std::string version;
    return ReadChecked(section, "Version", kVersionLength, version, true) ? version : "";
}

std::string SoftwareInformation::BootProgramVersion() {
    if (!Check()) return {};
    std::string bootSection;
    if (!ReadChecked(DeviceSection(), "CPU-BootRom", kBootSectionMinLength, bootSection)) return {};
    return SectionVersion(bootSection);
}

std::string SoftwareInformation::ApplicationVersion(uint32_t function, int f, int s,
                                                    const char* processor) {
    if (!Check()) return {};
    if (f < 0) f = LoggerFrequencyCode();
    if (s < 0) s = info_.HardwSupplyVoltage;
    std::string imageSection;
    if (!ReadChecked(ConfigurationSection(), ApplicationKey(function, f, s, processor),
                     kImageSectionMinLength, imageSection))
        return {};
    return SectionVersion(imageSection);
}

std::string SoftwareInformation::CpuApplicationVersion(uint32_t function, int f, int s) {
    return ApplicationVersion(function, f, s, "CPU");
}

std::string SoftwareInformation::DspApplicationVersion(uint32_t function, int f, int s) {
    return ApplicationVersion(function, f, s, "DSP");
}

bool SoftwareInformation::SupportsMeasurementFunction(uint32_t function, int f, int s) {
    if (!Check()) return false;
    const std::string fText = std::to_string(f < 0 ? 0 : f);
    const std::string sText = std::to_string(s < 0 ? 0 : s);
    const std::string entry = FunctionLetter(function) + fText + sText + "-Eichung";
    const std::string section =
        "Eichung-" + info_.Calibration.substr(0, 3) + ";" + fText + ";" + sText;
    for (int key = 1; key <= kCalibrationEntries; ++key) {
        std::string value = Read(section, std::to_string(key));
        if (value.size() != kCalibrationEntryLength) return false;  // the list ends here
        if (value == entry) return true;
    }
    return false;
}

bool SoftwareInformation::CheckFirmwareCompatibility(uint32_t function, int f, int s) {
    if (function == kMeasFuncP) function = kMeasFuncA;
    if (f == -1) f = LoggerFrequencyCode();
    if (s == -1) s = info_.HardwSupplyVoltage;
    std::string boot = BootProgramVersion();
    std::string cpu = CpuApplicationVersion(function, f, s);
    std::string dsp = DspApplicationVersion(function, f, s);
    if (boot.empty() || cpu.empty() || dsp.empty()) return false;
    if (VersionNumber(boot) < VersionNumber(info_.VersionBoot)) return false;
    // Another function means an update replaces the firmware anyway.
    if (info_.MeasurementFunction() != function) return true;
    bool cpuEqual = VersionNumber(cpu) == VersionNumber(info_.VersionCPU);
    if (cpuEqual && VersionNumber(dsp) == VersionNumber(info_.VersionDSP)) return true;
    std::string text = Str(235) + " " + Str(cpuEqual ? 218 : 216) + ": " +
                       (cpuEqual ? info_.VersionDSP : info_.VersionCPU) + "\n" + Str(191) + ": " +
                       (cpuEqual ? dsp : cpu) + "\n\n" + Str(778);
    ui_.ShowMessage(778, text, MessageIcon::Warning);
    return false;
}

}  // namespace varelo
