#include "measurement/LoggerInfo.h"

#include "app/StringTable.h"

namespace varelo {

namespace {

constexpr DeviceTypeRow kDeviceTypes[] = {
    {"404", "404b", true, "Logger 404b"},
    {"408", "408b", true, "Logger 408b"},
    {"300", "300b", false, "Logger 300b, 1 voltage input"},
    {"301", "301b", false, "Logger 301b, 3 voltage inputs"},
    {"302", "302b", false, "Logger 302b, 3 voltage and 3 current inputs"},
    {"303", "303b", false, "Logger 303b, 1 voltage and 1 current input"},
    {"304", "304b", false, "Logger 304b, 3 voltage and 4 current inputs"},
    {"400", "400b", false, "Logger 400b, 1 voltage input"},
    {"401", "401b", false, "Logger 401b, 3 voltage inputs"},
    {"402", "402b", false, "Logger 402b, 3 voltage and 3 current inputs"},
    {"402-4", "404b", false, "Logger 402b on 404b hardware, 3 voltage and 3 current inputs"},
    {"403", "403b", false, "Logger 403b, 1 voltage and 1 current input"},
};

std::string BeforeSemicolon(const std::string& text) {
    return text.substr(0, text.find(';'));
}

}  // namespace

int CLoggerInfo::DeviceFamily() const {
    if (HardwType.starts_with("30")) return 300;
    if (HardwType.starts_with("40")) return 400;
    return 0;
}

uint32_t CLoggerInfo::MeasurementFunction() const {
    std::string cpu = BeforeSemicolon(FuncCPU);
    return cpu == BeforeSemicolon(FuncDSP) && cpu == "A" ? kMeasFuncA : kMeasFuncP;
}

int CLoggerInfo::FirmwareGeneration() const {
    std::string_view version = VersionCPU;  // compared as text, without surrounding blanks
    while (!version.empty() && version.front() == ' ')
        version.remove_prefix(1);
    while (!version.empty() && version.back() == ' ')
        version.remove_suffix(1);
    if (version >= "5.02") return 2;
    if (version >= "5.01") return 1;
    return 0;
}

std::string CLoggerInfo::HardwareCodeSummary() const {
    return "T: " + std::to_string(HardwSupplyVoltage) + ",  F: " + std::to_string(HardwNomFreq) +
           ",  U: " + std::to_string(HardwVoltRange) + ",  I: " + std::to_string(HardwCurrRange);
}

int JobClass(char operatingState) {
    switch (operatingState) {
        case 'A':
        case 'F':
        case 'S':
        case 'V': return 1;
        case 'a':
        case 'f':
        case 's':
        case 'v': return 2;
        default: return 0;
    }
}

std::string OperatingStateText(char operatingState) {
    static constexpr std::pair<char, int> kTexts[] = {
        {'A', 313}, {'S', 878}, {'F', 316}, {'V', 320}, {'K', 314},
        {'a', 297}, {'s', 879}, {'f', 315}, {'v', 321},
    };
    for (auto [letter, id] : kTexts) {
        if (letter == operatingState) return Str(id);
    }
    return "???";
}

std::span<const DeviceTypeRow> DeviceTypes() {
    return kDeviceTypes;
}

const DeviceTypeRow* DeviceTypeRowOf(const CLoggerInfo& info) {
    std::string code = info.HardwType.substr(0, 3);
    if (code == "404" && info.HardwType.size() > 20 && info.HardwType[20] == '2') code = "402-4";
    for (const auto& row : kDeviceTypes) {
        if (code == row.shortCode) return &row;
    }
    return nullptr;
}

std::string DeviceDesignation(const CLoggerInfo& info) {
    const DeviceTypeRow* row = DeviceTypeRowOf(info);
    return row ? row->designation : "";
}

std::string DesignationToTypeCode(const std::string& designation) {
    for (const auto& row : kDeviceTypes) {
        if (designation == row.designation) return row.typeCode;
    }
    return {};
}

}  // namespace varelo
