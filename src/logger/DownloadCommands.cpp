// The firmware download commands of the Logger protocol: boot download start, Write Memory,
// and the start and finish of the CPU flash.
#include <cstdio>
#include <vector>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/FirmwareImage.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"

namespace varelo {

namespace {

constexpr uint32_t kWriteMemoryDelayMs = 20;
constexpr uint32_t kCpuFlashPauseMs = 3000;
constexpr uint32_t kCpuFlashTimeoutMs = 9000;
constexpr uint32_t kRestartExtraMs = 15000;
constexpr size_t kWriteMemoryHeader = 9;  // "W", type, 2 length and 5 address digits

}  // namespace

bool CLoggerProtocol::StartBootDownload() {
    if (SendCommand('B', 597)) return true;
    port_.Ui().ShowMessage(597, Str(597), MessageIcon::Warning);
    return false;
}

bool CLoggerProtocol::WriteMemory(char type, size_t length, uint32_t address,
                                  const FirmwareImage& image) {
    // A block reaching past the image would send bytes that are not the image's.
    if (length == 0 || length > 0xFF || address > 0xFFFFF ||
        size_t(address) + length > image.bytes.size()) {
        diagnostics_.DataError(Msg(612, {"W" + std::string(1, type)}));
        return false;
    }
    char header[kWriteMemoryHeader + 1];
    std::snprintf(header, sizeof header, "W%c%02X%05X", type, unsigned(length), unsigned(address));
    std::vector<uint8_t> block(header, header + kWriteMemoryHeader);
    block.insert(block.end(), image.bytes.begin() + address,
                 image.bytes.begin() + long(address + length));
    if (Send(block, kWriteMemoryDelayMs) < 0) {
        diagnostics_.TransmissionError(Msg(612, {std::string(header)}));
        return false;
    }
    Pause(kWriteMemoryDelayMs);
    uint8_t answer = 0;
    if (!ReceiveAnswer(&answer, 1, 613)) return false;
    if (answer == 'o') return true;
    int id = answer == 'f' ? 738 : 614;
    diagnostics_.DataError(Str(id));
    port_.Ui().ShowMessage(id, Str(id), MessageIcon::Warning);
    return false;
}

bool CLoggerProtocol::StartCpuFlash() {
    if (!SendCommand('C', 597)) {
        port_.Ui().ShowMessage(597, Str(597), MessageIcon::Warning);
        return false;
    }
    // Erasing the flash takes the Logger a few seconds before it acknowledges.
    Pause(kCpuFlashPauseMs);
    uint8_t answer = 0;
    if (!ReceiveAnswer(&answer, 1, 598, kCpuFlashTimeoutMs)) return false;
    if (answer == 'C') return true;
    diagnostics_.DataError(Str(599));
    port_.Ui().ShowMessage(599, Str(599), MessageIcon::Warning);
    return false;
}

bool CLoggerProtocol::FinishCpuFlash() {
    if (!SendCommand('c', 600)) return false;
    uint8_t answer = 0;
    if (!ReceiveAnswer(&answer, 1, 601)) return false;
    if (answer == 'c') return true;
    diagnostics_.DataError(Str(602));
    port_.Ui().ShowMessage(602, Str(602), MessageIcon::Warning);
    return false;
}

bool CLoggerProtocol::Restart() {
    WaitCursor wait(port_.Ui());
    uint8_t answer = 0;
    if (SendByte('R', 0) < 0 ||
        Receive(&answer, 1, config_.maxResponseTime + kRestartExtraMs, 0) < 0 || answer != '+') {
        diagnostics_.DataError(Msg(376, {std::string(1, char(answer))}));
        return false;
    }
    return true;
}

}  // namespace varelo
