#include "logger/ResetWizard.h"

#include <algorithm>
#include <cstdio>

#include "app/PortNaming.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/WizardHexFile.h"
#include "measurement/LoggerInfo.h"

namespace varelo {

namespace {

constexpr const char* kBootBaud = "115200";
constexpr uint8_t kEsc = 0x1B;

// Error numbers, shown with the stop icon.
constexpr int kNoResponse = 815;
constexpr int kStillSwitchedOn = 816;
constexpr int kHexLoaderCorrupt = 817;
constexpr int kMonitorChecksum = 818;
constexpr int kReadFailed = 819;
constexpr int kUnexpected = 821;
constexpr int kWriteFailed = 822;
constexpr int kNotInBootMode = 1493;
constexpr int kCannotConnect = 322;

// Times in milliseconds.
constexpr uint32_t kDrainRead = 10;
constexpr uint32_t kStep1Read = 100;
constexpr uint32_t kIdentRead = 200;
constexpr uint32_t kSettle = 500;
constexpr uint32_t kAnswerRead = 500;
constexpr uint32_t kFlashStartRead = 12000;

constexpr int kIdentAttempts = 3;
constexpr size_t kIdentLength = 22;  // the beginning of the hardware type
// A drain gives up after this many bytes: a line that never falls silent is no Logger
// waiting for a command, and the next answer check will say so.
constexpr size_t kDrainLimit = 65536;

// Bars: the ranges and steps the dialog always showed.
constexpr long kStep2Range = 5;
constexpr long kActivateRange = 4;
constexpr long kHexLoaderRange = 514;
constexpr long kMonitorSettle = 300;
constexpr long kMonitorFinish = 9000;
constexpr long kCpuStart = 100;
constexpr long kCpuPerLine = 8;
constexpr long kCpuFinish = 29000;
constexpr long kRestartRange = 18;
constexpr int kRestartPauses = 14;
constexpr long kRestartFinish = 999;

constexpr size_t kBlock = 128;
// The monitor cannot write the flash's 0xF000-0xFFFF window; the blocks skip it.
constexpr uint32_t kSkipStart = 0xF000;
constexpr uint32_t kSkipEnd = 0x10000;

}  // namespace

CResetWizard::CResetWizard(CLoggerLink& link, Settings& settings, ResetWizardObserver& observer,
                           std::string firmwareFolder)
    : link_(link),
      settings_(settings),
      observer_(observer),
      firmwareFolder_(std::move(firmwareFolder)) {
    portNumber_ = settings_.ReadInt(setting::ComPort);
    if (portNumber_ < 1 || portNumber_ > 9) {
        portNumber_ = 1;
        settings_.Write(setting::ComPort, 1);
    }
    portName_ = PortLabel(portNumber_);
}

CResetWizard::~CResetWizard() {
    ClosePort();
}

void CResetWizard::UsePort(int portNumber) {
    portNumber_ = portNumber;
    portName_ = PortLabel(portNumber_);
}

void CResetWizard::Open() {
    identified_ = IdentifyRunningLogger();
    std::string designation =
        identified_.empty() ? settings_.ReadString(setting::LastUsedBoxType) : identified_;
    designations_.clear();
    selected_ = -1;
    for (const auto& row : DeviceTypes()) {
        if (!row.inResetList) continue;
        if (selected_ < 0 && std::string_view(row.designation).starts_with(designation))
            selected_ = int(designations_.size());
        designations_.emplace_back(row.designation);
    }
    if (selected_ < 0 && !designations_.empty()) selected_ = 0;
    EnterStep(ResetStep::SwitchOff);
}

// A port that cannot be opened, or a Logger that does not answer, leaves the Logger
// unidentified: the wizard is for Loggers that do not answer.
std::string CResetWizard::IdentifyRunningLogger() {
    ClosePort();
    if (link_.Port().Open(portName_, kBootBaud, false).Failed()) {
        ClosePort();
        return {};
    }
    for (int attempt = 0; attempt < kIdentAttempts; ++attempt) {
        if (Drain() || WriteByte(kEsc)) return {};
        std::optional<uint8_t> ignored;
        if (ReadByte(kDrainRead, ignored) || WriteByte('y')) return {};
        uint8_t answer[kIdentLength] = {};
        size_t received = 0;
        OsError error;
        if (!link_.Port().ReadRaw(answer, kIdentLength, kIdentRead, received, error)) return {};
        std::string text(reinterpret_cast<const char*>(answer), received);
        if (received == kIdentLength && (text.starts_with("30") || text.starts_with("40"))) {
            CLoggerInfo info;
            info.HardwType = text;
            return DeviceDesignation(info);
        }
    }
    return {};
}

void CResetWizard::ConfirmSwitchedOff() {
    EnterStep(ResetStep::BootPort);
    SetRange(ResetStep::BootPort, kStep2Range);
    SetPosition(ResetStep::BootPort, 1);
    ClosePort();
    if (!OpenPort(true)) {
        // The port layer has shown why.
        ended_ = true;
        return;
    }
    auto backToStep1 = [&] {
        ClosePort();
        SetPosition(ResetStep::BootPort, 0);
        EnterStep(ResetStep::SwitchOff);
    };
    std::optional<uint8_t> byte;
    if (Drain() || WriteByte(kEsc) || ReadByte(kStep1Read, byte)) return backToStep1();
    if (byte) {
        lastError_ = kStillSwitchedOn;
        link_.Ui().ShowMessage(kStillSwitchedOn, Str(kStillSwitchedOn), MessageIcon::Stop);
        return backToStep1();
    }
    for (long position = 2; position <= kStep2Range; ++position) {
        Pause(kSettle);
        SetPosition(ResetStep::BootPort, position);
    }
    observer_.StepDone(ResetStep::BootPort);
    EnterStep(ResetStep::BootMode);
}

void CResetWizard::ConfirmBootMode(const std::string& designation) {
    settings_.Write(setting::LastUsedBoxType, designation);
    Error error = RunDownload(DesignationToTypeCode(designation));
    if (error == 0) {
        ClosePort();
        EnterStep(ResetStep::Ready);
        return;
    }
    Fail(error);
}

void CResetWizard::Fail(Error error) {
    lastError_ = error;
    link_.Ui().ShowMessage(error, Str(error), MessageIcon::Stop);
    if (error == kNoResponse || error == kNotInBootMode) {
        // The person can power-cycle the Logger into its bootstrap mode and try again.
        SetRange(ResetStep::Activate, kActivateRange);
        SetPosition(ResetStep::Activate, 0);
        EnterStep(ResetStep::BootMode);
        return;
    }
    ClosePort();
    ended_ = true;
}

CResetWizard::Error CResetWizard::RunDownload(const std::string& typeCode) {
    const FirstAidPackage package = FirstAidPackage::Read(firmwareFolder_, typeCode);
    if (Error e = Activate(typeCode)) return e;
    if (Error e = SendHexLoader(package)) return e;
    if (Error e = SendMonitor(package)) return e;
    if (Error e = SendCpuProgram(package)) return e;
    return RestartLogger();
}

CResetWizard::Error CResetWizard::Activate(const std::string& typeCode) {
    EnterStep(ResetStep::Activate);
    SetRange(ResetStep::Activate, kActivateRange);
    SetPosition(ResetStep::Activate, 0);
    if (Error e = Drain()) return e;
    if (Error e = WriteByte(0x00)) return e;
    Pause(kSettle);
    SetPosition(ResetStep::Activate, 2);
    // The answer has arrived during the pause.
    std::optional<uint8_t> ident;
    if (Error e = ReadByte(kDrainRead, ident)) return e;
    if (!ident) return kNoResponse;
    if (typeCode.starts_with("40") && *ident != kBootstrapIdent) return kNotInBootMode;
    SetPosition(ResetStep::Activate, 3);
    if (Error e = WriteBytes(kPrimaryLoader.data(), kPrimaryLoader.size(), false)) return e;
    Pause(kSettle);
    SetPosition(ResetStep::Activate, 4);
    observer_.StepDone(ResetStep::Activate);
    return 0;
}

CResetWizard::Error CResetWizard::SendHexLoader(const FirstAidPackage& package) {
    EnterStep(ResetStep::HexLoader);
    SetRange(ResetStep::HexLoader, kHexLoaderRange);
    WizardHexFile file;
    switch (file.Read(package.hexLoader)) {
        case WizardHexFile::Status::Unreadable: return kUnexpected;
        case WizardHexFile::Status::ShortRecord: return kHexLoaderCorrupt;
        case WizardHexFile::Status::Ok: break;
    }
    std::vector<uint8_t> loader(kHexLoaderSize, 0);
    size_t size = 0;
    for (const auto& record : file.Records()) {
        if (record.type != 0x00) continue;
        if (size + record.data.size() > kHexLoaderSize) return kHexLoaderCorrupt;
        std::copy(record.data.begin(), record.data.end(), loader.begin() + long(size));
        size += record.data.size();
    }
    SetPosition(ResetStep::HexLoader, 2);
    for (uint8_t byte : loader) {
        if (Error e = WriteByte(byte)) return e;
        Advance(ResetStep::HexLoader, 1);
    }
    observer_.StepDone(ResetStep::HexLoader);
    return 0;
}

CResetWizard::Error CResetWizard::SendMonitor(const FirstAidPackage& package) {
    EnterStep(ResetStep::Monitor);
    WizardHexFile file;
    if (file.Read(package.monitor) != WizardHexFile::Status::Ok) return kUnexpected;
    SetRange(ResetStep::Monitor, long(file.Length() * 38 / 100));
    SetPosition(ResetStep::Monitor, 0);
    uint16_t segment = 0;
    uint8_t sum = 0;
    for (const auto& record : file.Records()) {
        if (record.type == 0x04 && record.data.size() >= 2) {
            segment = uint16_t(record.data[0] << 8 | record.data[1]);
        } else if (record.type == 0x00) {
            uint16_t address = record.address;
            for (uint8_t data : record.data) {
                const uint8_t command[6] = {'p',
                                            uint8_t(segment >> 8),
                                            uint8_t(segment & 0xFF),
                                            uint8_t(address >> 8),
                                            uint8_t(address & 0xFF),
                                            data};
                if (Error e = WriteBytes(command, sizeof command, false)) return e;
                sum = uint8_t(sum + data);
                ++address;
                Advance(ResetStep::Monitor, 1);
            }
        }
    }
    if (Error e = Drain()) return e;
    if (Error e = WriteByte('e')) return e;
    Pause(kSettle);
    Advance(ResetStep::Monitor, kMonitorSettle);
    std::optional<uint8_t> answer;
    if (Error e = ReadByte(kAnswerRead, answer)) return e;
    if (!answer || *answer != sum) return kMonitorChecksum;
    if (Error e = WriteByte(kEsc)) return e;
    Pause(kSettle);
    Advance(ResetStep::Monitor, kMonitorSettle);
    if (Error e = ReadByte(kDrainRead, answer)) return e;
    if (!answer) return kReadFailed;
    if (Error e = Drain()) return e;
    Advance(ResetStep::Monitor, kMonitorFinish);
    observer_.StepDone(ResetStep::Monitor);
    return 0;
}

CResetWizard::Error CResetWizard::SendCpuProgram(const FirstAidPackage& package) {
    EnterStep(ResetStep::CpuProgram);
    WizardHexFile file;
    if (file.Read(package.cpuFile) != WizardHexFile::Status::Ok) return kUnexpected;
    // Checked before anything goes out: an end beyond the image would send bytes that are
    // not the CPU program.
    const uint32_t end = package.maxAddress;
    if (end > kImageSize) return kUnexpected;
    SetRange(ResetStep::CpuProgram, long(file.Length() * 60 / 100));
    SetPosition(ResetStep::CpuProgram, kCpuStart);
    std::vector<uint8_t> image(kImageSize, 0);
    uint32_t upper = 0;
    for (const auto& record : file.Records()) {
        if (record.type == 0x04 && record.data.size() >= 2) {
            upper = uint32_t(record.data[0] << 8 | record.data[1]);
        } else if (record.type == 0x00) {
            const size_t at = size_t(upper) * 65536 + record.address;
            if (at + record.data.size() > kImageSize) return kUnexpected;
            std::copy(record.data.begin(), record.data.end(), image.begin() + long(at));
        }
        Advance(ResetStep::CpuProgram, kCpuPerLine);
    }
    if (Error e = Drain()) return e;
    if (Error e = WriteByte('P')) return e;
    std::optional<uint8_t> answer;
    if (Error e = ReadByte(kFlashStartRead, answer)) return e;
    if (answer != uint8_t('P')) return kReadFailed;
    for (uint32_t a = 0; a < end; a += kBlock) {
        if (a >= kSkipStart && a < kSkipEnd) a = kSkipEnd;
        if (a >= end) break;
        char header[10];
        std::snprintf(header, sizeof header, "WC80%05x", unsigned(a));
        if (Error e = WriteBytes(reinterpret_cast<const uint8_t*>(header), 9, false)) return e;
        if (Error e = WriteBytes(image.data() + a, kBlock, true)) return e;
        if (Error e = ReadByte(kAnswerRead, answer)) return e;
        // A block the monitor did not take must not end the download as if it had succeeded.
        if (!answer) return kReadFailed;
        if (*answer != 'o') return kWriteFailed;
    }
    if (Error e = WriteByte('c')) return e;
    if (Error e = Drain()) return e;
    Advance(ResetStep::CpuProgram, kCpuFinish);
    observer_.StepDone(ResetStep::CpuProgram);
    return 0;
}

CResetWizard::Error CResetWizard::RestartLogger() {
    EnterStep(ResetStep::Restart);
    SetRange(ResetStep::Restart, kRestartRange);
    SetPosition(ResetStep::Restart, 0);
    ClosePort();
    if (!OpenPort(false)) return kWriteFailed;
    if (Error e = WriteByte('R')) return e;
    Advance(ResetStep::Restart, 1);
    for (int i = 0; i < kRestartPauses; ++i) {
        Pause(kSettle);
        Advance(ResetStep::Restart, 1);
    }
    if (Error e = Drain()) return e;
    if (Error e = WriteByte(kEsc)) return e;
    std::optional<uint8_t> answer;
    if (Error e = ReadByte(kAnswerRead, answer)) return e;
    if (answer != uint8_t('+')) return kReadFailed;
    ClosePort();
    {
        CLoggerProtocol protocol(link_, settings_);
        protocol.UsePort(portNumber_);
        CLoggerInfo info;
        if (protocol.Connect(info, 0) != CLoggerProtocol::kConnected) {
            protocol.EndConnection();
            link_.Ui().ShowMessage(kCannotConnect, Str(kCannotConnect), MessageIcon::Warning);
            return kWriteFailed;
        }
        protocol.Restart();  // its answer says nothing more than the check above
    }
    Advance(ResetStep::Restart, kRestartFinish);
    observer_.StepDone(ResetStep::Restart);
    return 0;
}

bool CResetWizard::OpenPort(bool dtr) {
    return link_.Open(portName_, kBootBaud, dtr);
}

void CResetWizard::ClosePort() {
    link_.Close();
}

CResetWizard::Error CResetWizard::Drain() {
    uint8_t byte = 0;
    for (size_t drained = 0; drained < kDrainLimit; ++drained) {
        size_t received = 0;
        OsError error;
        if (!link_.Port().ReadRaw(&byte, 1, kDrainRead, received, error)) return kReadFailed;
        if (received == 0) return 0;
    }
    return 0;
}

CResetWizard::Error CResetWizard::WriteByte(uint8_t byte) {
    return link_.Port().Transmit(&byte, 1).Failed() ? kWriteFailed : 0;
}

// One byte at a time: the bootstrap loader and the monitor take no faster input.
CResetWizard::Error CResetWizard::WriteBytes(const uint8_t* bytes, size_t count, bool advanceBar) {
    for (size_t i = 0; i < count; ++i) {
        if (Error e = WriteByte(bytes[i])) return e;
        if (advanceBar) Advance(step_, 1);
    }
    return 0;
}

CResetWizard::Error CResetWizard::ReadByte(uint32_t timeoutMs, std::optional<uint8_t>& byte) {
    byte.reset();
    uint8_t value = 0;
    size_t received = 0;
    OsError error;
    if (!link_.Port().ReadRaw(&value, 1, timeoutMs, received, error)) return kReadFailed;
    if (received == 1) byte = value;
    return 0;
}

void CResetWizard::Pause(uint32_t ms) {
    link_.GetClock().Sleep(ms);
}

void CResetWizard::EnterStep(ResetStep step) {
    step_ = step;
    observer_.StepEntered(step);
}

void CResetWizard::SetRange(ResetStep step, long range) {
    range_ = std::max(range, 0L);
    position_ = 0;
    observer_.BarRange(step, range_);
}

void CResetWizard::SetPosition(ResetStep step, long position) {
    position_ = std::clamp(position, 0L, range_);
    observer_.BarPosition(step, position_);
}

void CResetWizard::Advance(ResetStep step, long by) {
    SetPosition(step, position_ + by);
}

}  // namespace varelo
