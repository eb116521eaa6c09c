#pragma once

#include <string>

#include "measurement/LoggerInfo.h"
#include "platform/IniFile.h"

namespace varelo {

class UserInterface;

// Where the firmware packages lie: one device folder per device type below it.
std::string FirmwareFolder();

// The software information file of a Logger's device type and the lookups in it: which boot,
// CPU and DSP images belong to the Logger's hardware, their versions and address ranges, and
// the calibrations it supports. Every malformed or missing entry is shown as message 352.
class SoftwareInformation {
public:
    static constexpr const char* kHeaderSection = "KELVARO 800 Software";

    // Reads the file of the Logger's device type below the firmware folder.
    SoftwareInformation(const CLoggerInfo& info, UserInterface& ui,
                        std::string firmwareFolder = FirmwareFolder());

    const std::string& Path() const { return path_; }
    const std::string& DeviceFolder() const { return deviceFolder_; }
    const CLoggerInfo& Info() const { return info_; }
    UserInterface& Ui() { return ui_; }

    // "Syntax" and "Version" of the header section are both 1; else message 352.
    bool Check();

    std::string DeviceSection() const;
    std::string ConfigurationSection() const;
    // The key naming the CPU or DSP image: F + f + s + "-CPU-Applikation"; f, s as given.
    static std::string ApplicationKey(uint32_t function, int f, int s, const char* processor);
    // The Logger's nominal-frequency code, from its function texts when the hardware says 0;
    // -1 when they disagree.
    int LoggerFrequencyCode() const;

    // Empty on any failure, which has been shown.
    std::string BootProgramVersion();
    std::string CpuApplicationVersion(uint32_t function, int f, int s);
    std::string DspApplicationVersion(uint32_t function, int f, int s);

    bool SupportsMeasurementFunction(uint32_t function, int f, int s);
    // False, with message 778 when the versions differ, when the file's firmware does not fit
    // the Logger's; true when it fits or the Logger runs another function anyway.
    bool CheckFirmwareCompatibility(uint32_t function, int f, int s);

    // A value as the profile functions read it (at most 99 characters, "" when missing).
    std::string Read(const std::string& section, const std::string& key) const;
    // Read, shown as message 352 when it has fewer than minLength characters (or, with
    // exactLength, not exactly that many).
    bool ReadChecked(const std::string& section, const std::string& key, size_t minLength,
                     std::string& value, bool exactLength = false);
    // The image section's file name as a path in the device folder; message 350 when missing.
    bool ImagePath(const std::string& imageSection, std::string& path);
    void ShowEntryError(const std::string& section, const std::string& key);

private:
    std::string ApplicationVersion(uint32_t function, int f, int s, const char* processor);
    std::string SectionVersion(const std::string& section);

    CLoggerInfo info_;
    UserInterface& ui_;
    std::string deviceFolder_;
    std::string path_;
    IniFile file_;
};

// A version text as a decimal number (" 5.02" is 5.02); 0 when it is none.
double VersionNumber(const std::string& text);

}  // namespace varelo
