#include "logger/FirmwareDownload.h"

#include <algorithm>
#include <optional>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/LoggerProtocol.h"
#include "logger/SaveDataProgress.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr uint32_t kRestartTotal = 15360;  // the progress of the Logger's 6 s restart
constexpr int kRestartSteps = 30;
constexpr uint32_t kRestartStep = 512;
constexpr uint32_t kRestartStepMs = 200;
constexpr uint32_t kRestartPreDelayMs = 10;
constexpr uint32_t kBeforeCpuConnectMs = 500;
constexpr size_t kRangeLength = 11;
std::optional<uint32_t> HexField(const std::string& text) {
    if (text.size() != 5) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + uint32_t(d);
    }
    return value;
}

bool IsFirstBootProgram(const CLoggerInfo& info) {
    return VersionNumber(info.VersionBoot) == 1.00;
}
bool IsBootRamBootProgram(const CLoggerInfo& info) {
    return VersionNumber(info.VersionBoot) == 1.10;
}

void ShowWrongState(UserInterface& ui, int currentStateText, int requiredStateText) {
    ui.ShowMessage(376,
                   "The connected Logger does not have the correct state to perform the selected "
                   "function.\nThe current state of the Logger is " +
                       Str(currentStateText) +
                       ".\nTo perform this command, the Logger must be in " +
                       Str(requiredStateText) + ".",
                   MessageIcon::Stop);
}

}  // namespace

FirmwareDownload::FirmwareDownload(CLoggerProtocol& protocol, SaveDataProgress& window,
                                   const CLoggerInfo& info, UserInterface& ui,
                                   std::string firmwareFolder)
    : protocol_(protocol),
      window_(window),
      software_(info, ui, std::move(firmwareFolder)),
      ui_(ui) {}

FirmwareDownload::RangeRead FirmwareDownload::ReadRange(const std::string& section, int i,
                                                        bool exactLength, Range& range) {
    std::string key = std::to_string(i) + "-Start/Ende";
    std::string value = software_.Read(section, key);
    if (value.empty()) {
        if (i > 1) return RangeRead::Done;
        ui_.ShowMessage(354, Msg(354, {software_.Path(), section}), MessageIcon::Warning);
        return RangeRead::Failed;
    }
    auto start = HexField(value.substr(0, 5));
    auto end = value.size() >= 5 ? HexField(value.substr(value.size() - 5)) : std::nullopt;
    if ((exactLength && value.size() != kRangeLength) || !start || !end) {
        software_.ShowEntryError(section, key);
        return RangeRead::Failed;
    }
    // Blocks are cut from the image buffer, so a range must lie inside it.
    if (*start > *end || *end >= FirmwareImage::kSize) {
        ui_.ShowMessage(351, Msg(351, {software_.Path(), key, value}), MessageIcon::Warning);
        return RangeRead::Failed;
    }
    range = {*start, *end};
    return RangeRead::Found;
}

bool FirmwareDownload::SendRanges(const std::string& section, const BlockPlan& plan,
                                  bool countOnly) {
    for (int i = 1;; ++i) {
        Range range;
        RangeRead read = ReadRange(section, i, plan.exactLength, range);
        if (read == RangeRead::Failed) return false;
        if (read == RangeRead::Done) break;
        if (plan.limit && (range.start == range.end || range.end > plan.limit)) {
            const std::string key = std::to_string(i) + "-Start/Ende";
            ui_.ShowMessage(351, Msg(351, {software_.Path(), key, software_.Read(section, key)}),
                            MessageIcon::Warning);
            return false;
        }
        for (uint32_t a = range.start; a <= range.end; a += kBlockLength) {
            const uint32_t length =
                plan.cutLastBlock ? std::min(kBlockLength, range.end - a + 1) : kBlockLength;
            if (countOnly) {
                window_.AddToTotal(length);
                continue;
            }
            const bool beyondImage = plan.keepBeyondImage && a > image_.usedSize;
            if (!beyondImage && !protocol_.WriteMemory(plan.target, length, a, image_))
                return false;
            window_.Advance(length);
        }
        if (plan.pumpPerRange) window_.Pump();
    }
    return true;
}

bool FirmwareDownload::LoadImage(const std::string& path) {
    return ReadHexImage(path, image_, ui_);
}

bool FirmwareDownload::DownloadBootProgram(bool countOnly) {
    if (IsFirstBootProgram(software_.Info())) return false;
    std::string section, path;
    if (!software_.ReadChecked(software_.DeviceSection(), "CPU-BootRom", 4, section)) return false;
    if (!software_.ImagePath(section, path)) return false;
    if (!countOnly) {
        if (!LoadImage(path)) return false;
        int connected = protocol_.Connect(0);
        if (connected != CLoggerProtocol::kConnected &&
            connected != CLoggerProtocol::kNotRunningApplication)
            return false;
        if (!protocol_.StartBootDownload()) return false;
    }
    if (!SendRanges(section, kBootFlashPlan, countOnly)) return false;
    if (!countOnly) protocol_.EndConnection();
    return true;
}

bool FirmwareDownload::DownloadApplication(uint32_t function, bool countOnly, int frequencyCode) {
    window_.Pump();
    const CLoggerInfo& info = software_.Info();
    if (IsFirstBootProgram(info)) return false;
    if (IsBootRamBootProgram(info) && !DownloadBootRamImage(countOnly)) return false;

    int f = frequencyCode == -1 ? software_.LoggerFrequencyCode() : frequencyCode;
    int s = info.HardwSupplyVoltage;
    std::string configuration = software_.ConfigurationSection();
    std::string section, path;
    if (!software_.ReadChecked(
            configuration, SoftwareInformation::ApplicationKey(function, f, s, "CPU"), 7, section))
        return false;
    if (!software_.ImagePath(section, path)) return false;
    if (!countOnly) {
        if (!LoadImage(path)) return false;
        protocol_.Pause(kBeforeCpuConnectMs);
        CLoggerInfo current = info;
        int connected = protocol_.Connect(current, 0);
        if (connected == CLoggerProtocol::kPortNotOpened) return false;
        if (connected == CLoggerProtocol::kNoAnswer) {
            protocol_.EndConnection();
            return false;
        }
        if (!protocol_.StartCpuFlash()) return false;
    }
    if (!SendRanges(section, kCpuFlashPlan, countOnly)) return false;
    if (!countOnly) protocol_.FinishCpuFlash();

    std::string dspSection;
    if (!software_.ReadChecked(configuration,
                               SoftwareInformation::ApplicationKey(function, f, s, "DSP"), 7,
                               dspSection))
        return false;
    if (function != kMeasFuncA) return true;
    if (countOnly) {
        window_.AddToTotal(kRestartTotal);
        return true;
    }
    if (protocol_.SendByte('R', kRestartPreDelayMs) < 0) return false;
    for (int step = 0; step < kRestartSteps; ++step) {
        window_.Advance(kRestartStep);
        protocol_.Pause(kRestartStepMs);
    }
    return true;
}

bool FirmwareDownload::DownloadBootRamImage(bool countOnly) {
    if (!software_.Check()) return false;
    std::string section, path;
    if (!software_.ReadChecked(software_.DeviceSection(), "CPU-BootRam", 4, section)) return false;
    if (!software_.ImagePath(section, path)) return false;
    if (!countOnly) {
        WaitCursor wait(ui_);
        CLoggerInfo current = software_.Info();
        int connected = protocol_.Connect(current, 0);
        if (connected == CLoggerProtocol::kPortNotOpened) return false;
        if (connected != CLoggerProtocol::kNotRunningApplication) {
            protocol_.EndConnection();
            if (connected == CLoggerProtocol::kConnected) ShowWrongState(ui_, 1005, 1006);
            return false;
        }
        if (!LoadImage(path)) return false;
    }
    if (!SendRanges(section, kBootRamPlan, countOnly)) return false;
    if (!countOnly) protocol_.EndConnection();
    return true;
}

}  // namespace varelo
