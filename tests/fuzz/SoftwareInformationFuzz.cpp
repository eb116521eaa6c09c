// The INI reader and the software information file on top of it under libFuzzer.
// - IniFile: what it parses, written back with ToText and parsed again, gives the same
//   sections and entries in the same order.
// - The same bytes as the software information file of a 408b: the version, calibration and
//   compatibility lookups and the counting passes of the firmware downloads (which read every
//   address range) run on it; any entry may be missing or malformed, none may crash them.
//   The last input byte varies the Logger's configuration codes and function.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "app/Settings.h"
#include "logger/FirmwareDownload.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/SaveDataProgress.h"
#include "logger/SoftwareInformation.h"
#include "measurement/MeasurementJob.h"
#include "platform/IniFile.h"
#include "platform/SettingsStore.h"
#include "support/FakeSerialDevice.h"
#include "support/SimulatedClock.h"

namespace {

using namespace varelo;

bool SameSections(const IniFile& a, const IniFile& b) {
    const auto& x = a.Sections();
    const auto& y = b.Sections();
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i].name != y[i].name || x[i].entries.size() != y[i].entries.size()) return false;
        for (size_t j = 0; j < x[i].entries.size(); ++j) {
            if (x[i].entries[j].key != y[i].entries[j].key ||
                x[i].entries[j].value != y[i].entries[j].value)
                return false;
        }
    }
    return true;
}

// A port that is never opened: the counting passes send nothing.
struct IdleLogger {
    fuzz::SilentUserInterface ui;
    SettingsStore store{fuzz::ScratchFolder() + "/Varelo.conf"};
    Settings settings{store};
    test::SimulatedClock clock;
    test::FakeSerialDevice device{&clock};
    CSerialPort serial{device, clock, [](const std::string& name) { return name; }};
    CLoggerLink link{serial, ui};
    CLoggerProtocol protocol{link, settings};
};

CLoggerInfo Logger(uint8_t variant) {
    CLoggerInfo info;
    info.HardwType = "408b Power Logger   1";
    info.HardwBasicUnit = "BU 408";
    info.HardwSupplyVoltage = int16_t(variant % 3);
    info.HardwNomFreq = int16_t(variant / 3 % 3);
    info.HardwVoltRange = info.HardwCurrRange = int16_t(variant / 9 % 2);
    info.VersionBoot = variant & 0x40 ? "1.10" : "1.20";
    info.VersionCPU = info.VersionDSP = "5.02";
    info.Calibration = "A10-2023";
    info.FuncCPU = "A;1";
    info.FuncDSP = variant & 0x80 ? "A;2" : "A;1";
    info.MeasFunc = variant & 0x20 ? "P Power" : "A Power quality";
    return info;
}

void LookUp(std::string_view file, uint8_t variant) {
    static IdleLogger logger;
    const std::string folder = fuzz::ScratchFolder() + "/firmware";
    std::filesystem::create_directories(folder + "/408b");
    std::ofstream(folder + "/408b/408b.kvr", std::ios::binary | std::ios::trunc) << file;

    const CLoggerInfo info = Logger(variant);
    SoftwareInformation software(info, logger.ui, folder);
    software.BootProgramVersion();
    for (uint32_t function : {kMeasFuncA, kMeasFuncP}) {
        software.CpuApplicationVersion(function, -1, -1);
        software.DspApplicationVersion(function, 1, 0);
        software.SupportsMeasurementFunction(function, -1, -1);
        software.CheckFirmwareCompatibility(function, -1, -1);
    }
    SaveDataProgress window(logger.ui);
    FirmwareDownload download(logger.protocol, window, info, logger.ui, folder);
    download.DownloadBootProgram(true);
    download.DownloadApplication(kMeasFuncA, true, -1);
    download.DownloadApplication(kMeasFuncP, true, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniFile parsed = IniFile::Parse(text);
    fuzz::Require(SameSections(parsed, IniFile::Parse(parsed.ToText())),
                  "an INI file written back parses differently");
    LookUp(text, size > 0 ? data[size - 1] : 0);
    return 0;
}
