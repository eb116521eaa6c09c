#pragma once

#include <cstdint>
#include <string>

namespace varelo {

// The files of the reset wizard, named in section "FirstAid" of a device type's software
// information file. Paths are inside the device folder; a missing key leaves its path empty,
// which then fails to open.
struct FirstAidPackage {
    // Lowest end address taken as it is; a lower one stands for the usual 0x30000.
    static constexpr uint32_t kLowestMaxAddress = 0x17FFF;
    static constexpr uint32_t kDefaultMaxAddress = 0x30000;

    std::string hexLoader;
    std::string monitor;
    std::string cpuFile;
    // End of the CPU program download, after the replacement of a too low value.
    uint32_t maxAddress = kDefaultMaxAddress;

    // Reads the section of device type typeCode below firmwareFolder (T/T.kvr).
    static FirstAidPackage Read(const std::string& firmwareFolder, const std::string& typeCode);
    // "MaxAddress" as the wizard reads it: hexadecimal in either case, other characters 0,
    // values below 0x17FFF replaced by 0x30000.
    static uint32_t ParseMaxAddress(const std::string& text);
};

}  // namespace varelo
