#pragma once

#include <cstdint>
#include <string>

#include "logger/FirmwareImage.h"
#include "logger/SoftwareInformation.h"
#include "measurement/LoggerInfo.h"

namespace varelo {

class CLoggerProtocol;
class SaveDataProgress;

// The two download passes of a firmware update: the boot program, then the application (with
// the boot RAM image first for boot program 1.10). Each runs once counting only, to size the
// progress bar, and once for real. Every failure has been shown or recorded when false comes
// back; nothing in the Logger is undone.
class FirmwareDownload {
public:
    static constexpr uint32_t kBlockLength = 128;

    // info is the Logger as identified before the update.
    FirmwareDownload(CLoggerProtocol& protocol, SaveDataProgress& window, const CLoggerInfo& info,
                     UserInterface& ui, std::string firmwareFolder = FirmwareFolder());

    bool DownloadBootProgram(bool countOnly);
    // frequencyCode -1: the Logger's.
    bool DownloadApplication(uint32_t function, bool countOnly, int frequencyCode);
    bool DownloadBootRamImage(bool countOnly);

private:
    struct Range {
        uint32_t start = 0;
        uint32_t end = 0;
    };
    enum class RangeRead { Found, Done, Failed };
    // How the ranges of an image section go to the Logger.
    struct BlockPlan {
        char target;           // memory letter of the "W" blocks
        bool exactLength;      // the ranges' addresses are read with their exact length
        bool cutLastBlock;     // the last block of a range ends at its end address
        bool keepBeyondImage;  // blocks past the image are not sent: the flash keeps them
        bool pumpPerRange;
        uint32_t limit;  // highest end address (0: any); a range beyond it is message 351
    };
    // Boot RAM addresses the boot program accepts.
    static constexpr uint32_t kBootRamLimit = 0x7FFFF;
    static constexpr BlockPlan kBootFlashPlan{'R', false, false, false, false, 0};
    static constexpr BlockPlan kCpuFlashPlan{'C', true, false, true, true, 0};
    static constexpr BlockPlan kBootRamPlan{'R', true, true, false, true, kBootRamLimit};

    // The i-th "i-Start/Ende" range of an image section; a missing first range is message 354.
    RangeRead ReadRange(const std::string& section, int i, bool exactLength, Range& range);
    // Sends (or, counting only, adds up) every range of the section block by block.
    bool SendRanges(const std::string& section, const BlockPlan& plan, bool countOnly);
    bool LoadImage(const std::string& path);

    CLoggerProtocol& protocol_;
    SaveDataProgress& window_;
    SoftwareInformation software_;
    UserInterface& ui_;
    FirmwareImage image_;
};

}  // namespace varelo
