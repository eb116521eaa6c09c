#include "logger/LoggerOperations.h"

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/JobWireFormat.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/SoftwareInformation.h"
#include "logger/TestSum.h"
#include "measurement/MeasurementJob.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

constexpr uint8_t kStopCommand = 'H';
constexpr uint8_t kDateTimeCommand = 'Z';
constexpr uint8_t kDesignationCommand = 'K';
constexpr uint32_t kStopPauseMs = 500;
constexpr size_t kDesignationSize = 20;

bool IsActive(char letter) {
    return letter == 'A' || letter == 'S' || letter == 'a' || letter == 's';
}

// The question before a restart clears the Logger, by its job-state letter; 0 for none.
int ClearQuestion(char letter) {
    if (IsActive(letter)) return 258;
    if (letter == 'F' || letter == 'f') return 1022;
    if (letter == 'V' || letter == 'v') return 272;
    return 0;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A command with its data block and a one-byte test sum: false after the failure's text.
bool SendChecked(CLoggerProtocol& protocol, uint8_t command, std::span<const uint8_t> data,
                 uint8_t expected, int firstTextId) {
    if (!protocol.SendCommand(command, firstTextId)) return false;
    ProtocolDiagnostics& diagnostics = protocol.Diagnostics();
    if (protocol.Send(data, 0) < 0) {
        diagnostics.TransmissionError(Str(firstTextId + 1));
        return false;
    }
    uint8_t answer = 0;
    if (protocol.Receive(&answer, 1, 0, CLoggerProtocol::kSingleAttempt) < 0) {
        diagnostics.DataError(Str(firstTextId + 2));
        return false;
    }
    if (answer == expected) return true;
    diagnostics.DataError(Msg(firstTextId + 3, {std::to_string(answer), std::to_string(expected)}));
    return false;
}

}  // namespace

CTimeStamp EarliestLoggerClock() {
    return CTimeStamp(1982, 1, 1, 0, 0, 0);
}

CTimeStamp LatestLoggerClock() {
    return CTimeStamp::FromCalendarTime(2147381999);
}

std::array<uint8_t, 7> DateTimeBytes(const CTimeStamp& time) {
    const int year = time.year < 2000 ? time.year - 1900 : time.year - 2000;
    return {uint8_t(year),       uint8_t(time.month),
            uint8_t(time.day),   uint8_t(time.ComputeWeekday()),
            uint8_t(time.hour),  uint8_t(time.minute),
            uint8_t(time.second)};
}

std::array<uint8_t, 20> DesignationBytes(const std::string& text) {
    std::array<uint8_t, kDesignationSize> bytes;
    bytes.fill(' ');
    // Character by character, so that a double-byte character is never cut in half.
    size_t used = 0;
    for (size_t count = 1; count <= text.size(); ++count) {
        const std::string_view prefix = Utf8Prefix(text, count);
        const std::string encoded = Utf8ToCodePage(prefix, kDefaultWireCodePage);
        if (encoded.size() > kDesignationSize) break;
        std::copy(encoded.begin() + long(used), encoded.end(), bytes.begin() + long(used));
        used = encoded.size();
        if (prefix.size() == text.size()) break;
    }
    return bytes;
}

bool WriteDateTime(CLoggerProtocol& protocol, const CTimeStamp& time) {
    const std::array<uint8_t, 7> data = DateTimeBytes(time);
    return SendChecked(protocol, kDateTimeCommand, data, SumTestSum(data), 416);
}

bool WriteDesignation(CLoggerProtocol& protocol, const std::string& text) {
    const std::array<uint8_t, 20> data = DesignationBytes(text);
    return SendChecked(protocol, kDesignationCommand, data, XorTestSum(data), 420);
}

CLoggerOperations::CLoggerOperations(CLoggerLink& link, Settings& settings, Configure configure)
    : link_(link),
      settings_(settings),
      configure_(std::move(configure)),
      firmwareFolder_(FirmwareFolder()) {}

std::unique_ptr<CLoggerProtocol> CLoggerOperations::NewProtocol() {
    auto protocol = std::make_unique<CLoggerProtocol>(link_, settings_);
    if (configure_) configure_(*protocol);
    return protocol;
}

std::unique_ptr<CLoggerProtocol> CLoggerOperations::ConnectStep(CLoggerInfo& info, unsigned flags) {
    auto protocol = NewProtocol();
    if (protocol->Connect(info, flags) == CLoggerProtocol::kConnected) return protocol;
    protocol.reset();
    link_.Ui().ShowMessage(322, Str(322), MessageIcon::Warning);
    return nullptr;
}

CTimeStamp CLoggerOperations::NextPcSecond() {
    Clock& clock = link_.GetClock();
    const std::time_t first = clock.Now();
    std::time_t now = first;
    while (now == first) {
        clock.Sleep(1);
        now = clock.Now();
    }
    return CTimeStamp::FromCalendarTime(now);
}

OperationResult CLoggerOperations::StopMeasurement() {
    UserInterface& ui = link_.Ui();
    CLoggerInfo info;
    std::unique_ptr<CLoggerProtocol> protocol;
    {
        WaitCursor wait(ui);
        ui.SetStatusText(Str(280));
        protocol = ConnectStep(info, 0);
    }
    ui.SetStatusText(Str(57345));
    if (!protocol) return OperationResult::Failed;

    OperationResult result = OperationResult::Refused;
    if (!IsActive(info.OperatingState)) {
        ui.ShowMessage(880, Str(880), MessageIcon::None);
    } else if (ui.Ask({257, Str(257), MessageIcon::Warning, true, false}) == Answer::Yes) {
        result = OperationResult::Failed;
        ui.SetStatusText(Str(1199));
        uint8_t answer = 0;
        if (protocol->SendByte(kStopCommand, 0) >= 0) {
            link_.GetClock().Sleep(kStopPauseMs);
            // The Logger's answer to the wake-up after the stop only has to arrive.
            if (protocol->SendByte(cmd::kWakeUp, 0) >= 0 &&
                protocol->Receive(&answer, 1, 0, 0) >= 0) {
                ui.SetStatusText(Str(57345));
                ui.ShowMessage(882, Str(882), MessageIcon::None);
                result = OperationResult::Done;
            }
        }
    }
    protocol->EndConnection();
    ui.SetStatusText(Str(57345));
    return result;
}

CLoggerOperations::Confirmed CLoggerOperations::ConfirmClearLogger(CLoggerInfo& info,
                                                                   bool defaultSecond) {
    UserInterface& ui = link_.Ui();
    Confirmed confirmed;
    {
        WaitCursor wait(ui);
        confirmed.protocol = ConnectStep(info, 0);
        if (!confirmed.protocol) return {nullptr, OperationResult::Failed};
        confirmed.protocol->EndConnection();
    }
    const int question = ClearQuestion(info.OperatingState);
    if (question == 0) return confirmed;
    if (ui.Ask({question, Str(question), MessageIcon::None, defaultSecond, false}) != Answer::Yes)
        return {nullptr, OperationResult::Refused};

    WaitCursor wait(ui);
    CLoggerProtocol& protocol = *confirmed.protocol;
    if (protocol.Connect(0) == CLoggerProtocol::kConnected && protocol.Restart()) return confirmed;
    return {nullptr, OperationResult::Failed};
}

OperationResult CLoggerOperations::SetDesignation() {
    UserInterface& ui = link_.Ui();
    CLoggerInfo info;
    Confirmed confirmed = ConfirmClearLogger(info, false);
    if (!confirmed.protocol) return confirmed.result;
    std::string designation = Trimmed(info.FirmwDescription);
    if (!ui.AskLoggerDesignation(designation)) return OperationResult::Refused;

    WaitCursor wait(ui);
    CLoggerProtocol& protocol = *confirmed.protocol;
    const bool written = protocol.Connect(info, 0) == CLoggerProtocol::kConnected &&
                         WriteDesignation(protocol, designation);
    return written ? OperationResult::Done : OperationResult::Failed;
}

OperationResult CLoggerOperations::SetDateTime() {
    UserInterface& ui = link_.Ui();
    CLoggerInfo info;
    std::unique_ptr<CLoggerProtocol> protocol = ConnectStep(info, 0);
    if (!protocol) return OperationResult::Failed;
    if (IsActive(info.OperatingState)) {
        protocol->EndConnection();
        Confirmed confirmed = ConfirmClearLogger(info, true);
        if (!confirmed.protocol) return confirmed.result;
        protocol = std::move(confirmed.protocol);
    }
    LoggerClockChoice choice;
    choice.loggerTime = info.InstrTime;
    if (!ui.AskLoggerClock(choice)) {
        protocol->EndConnection();
        return OperationResult::Refused;
    }

    // The wait cursor ends however the connection went, a port that did not open included.
    WaitCursor wait(ui);
    if (protocol->Connect(0) != CLoggerProtocol::kConnected) return OperationResult::Failed;
    ui.SetStatusText(Str(1201));
    const CTimeStamp time = choice.usePcClock ? NextPcSecond() : choice.picked;
    const bool written = WriteDateTime(*protocol, time);
    ui.SetStatusText(Str(57345));
    protocol->EndConnection();
    return written ? OperationResult::Done : OperationResult::Failed;
}

OperationResult CLoggerOperations::ShowLoggerInformation() {
    UserInterface& ui = link_.Ui();
    CLoggerInfo info;
    std::unique_ptr<CLoggerProtocol> protocol;
    {
        WaitCursor wait(ui);
        protocol = ConnectStep(info, CLoggerProtocol::kJobFunctionFromJob);
    }
    if (!protocol) return OperationResult::Failed;
    // The connection stays open while the dialog is shown.
    ui.ShowLoggerInformation(info);
    protocol->EndConnection();
    return OperationResult::Done;
}

}  // namespace varelo

namespace varelo {

std::optional<CLoggerOperations::JobIdentity> CLoggerOperations::IdentifyForJob(uint32_t function) {
    JobIdentity identity;
    std::unique_ptr<CLoggerProtocol> protocol =
        ConnectStep(identity.info, CLoggerProtocol::kJobFunctionFromJob);
    if (!protocol) return std::nullopt;
    protocol->EndConnection();
    SoftwareInformation software(identity.info, link_.Ui(), firmwareFolder_);
    identity.supportsFunction = software.SupportsMeasurementFunction(kMeasFuncA, -1, -1);
    if (identity.supportsFunction && identity.info.IsExtendedFamily())
        software.CheckFirmwareCompatibility(function, -1, -1);
    return identity;
}

OperationResult CLoggerOperations::ReadJobForEditor(bool old, const JobRefusal& refusal,
                                                    CMeasurementJob& job, CLoggerInfo& info) {
    WaitCursor wait(link_.Ui());
    std::unique_ptr<CLoggerProtocol> protocol =
        ConnectStep(info, CLoggerProtocol::kJobFunctionFromJob);
    if (!protocol) return OperationResult::Failed;
    if (refusal && refusal(info) != 0) {
        protocol->EndConnection();
        return OperationResult::Refused;
    }
    const bool read = protocol->EnsureJob(old ? 1 : 0) && protocol->ReadMeasurementJob(job) == 1;
    protocol->EndConnection();
    return read ? OperationResult::Done : OperationResult::Failed;
}

}  // namespace varelo
