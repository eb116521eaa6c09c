#include "logger/FirstAidPackage.h"

#include <algorithm>

#include "logger/WizardHexFile.h"
#include "platform/IniFile.h"

namespace varelo {

namespace {

constexpr const char* kSection = "FirstAid";
// The profile functions read into a buffer of 100 characters.
constexpr size_t kValueBuffer = 99;

}  // namespace

uint32_t FirstAidPackage::ParseMaxAddress(const std::string& text) {
    uint64_t value = 0;
    for (char c : text) {
        // Saturates, so that an absurdly long value stays absurdly large instead of wrapping
        // into a plausible address.
        value = std::min<uint64_t>(value * 16 + WizardHexFile::DigitValue(c), UINT32_MAX);
    }
    return value < kLowestMaxAddress ? kDefaultMaxAddress : uint32_t(value);
}

FirstAidPackage FirstAidPackage::Read(const std::string& firmwareFolder,
                                      const std::string& typeCode) {
    const std::string folder = firmwareFolder + "/" + typeCode;
    IniFile file;
    file.Load(folder + "/" + typeCode + ".kvr");  // a missing file leaves every path empty
    auto path = [&](const char* key) {
        std::string name = file.GetString(kSection, key, "", kValueBuffer);
        return name.empty() ? std::string() : folder + "/" + name;
    };
    FirstAidPackage package;
    package.hexLoader = path("HexLoader");
    package.monitor = path("Monitor");
    package.cpuFile = path("CpuFile");
    package.maxAddress = ParseMaxAddress(file.GetString(kSection, "MaxAddress", "", kValueBuffer));
    return package;
}

}  // namespace varelo
