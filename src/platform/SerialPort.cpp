#include "platform/SerialPort.h"

#include <vector>

#include "app/StringTable.h"
#include "app/UserInterface.h"

namespace varelo {

namespace {

constexpr uint32_t kQueueSize = 4096;
constexpr uint32_t kWaitAfterOpenMs = 5000;

}  // namespace

CSerialPort::CSerialPort(SerialDevice& device, Clock& clock, UserInterface& ui,
                         PortResolver resolver)
    : device_(device), clock_(clock), ui_(ui), resolver_(std::move(resolver)) {}

CSerialPort::~CSerialPort() { Close(); }

uint32_t CSerialPort::BaudFromText(const std::string& baudText) {
    for (uint32_t rate : {9600u, 19200u, 38400u, 57600u, 115200u}) {
        if (baudText == std::to_string(rate)) return rate;
    }
    return 38400;
}

std::string CSerialPort::LineErrorTexts(uint32_t errorFlags) {
    if (errorFlags & line_error::kMode) return Str(725) + "\n";
    const std::pair<uint32_t, int> kTexts[] = {
        {line_error::kBreak, 726},   {line_error::kFraming, 727},
        {line_error::kIo, 728},      {line_error::kOverrun, 729},
        {line_error::kInputQueueOverflow, 730}, {line_error::kParity, 731},
        {line_error::kOutputQueueFull, 732},
    };
    std::string texts;
    for (auto [flag, id] : kTexts) {
        if (errorFlags & flag) texts += Str(id) + "\n";
    }
    return texts;
}

void CSerialPort::ShowOsError(int id, const OsError& error) {
    ui_.ShowMessage(id, Msg(id, {portName_, std::to_string(error.code), error.text}),
                    MessageIcon::Stop);
}

bool CSerialPort::OpenDevice(const std::string& portName) {
    portName_ = portName;  // the label every message names
    if (OsError e = device_.Open(resolver_(portName)); e.Failed()) {
        ShowOsError(718, e);
        return false;
    }
    if (OsError e = device_.SetQueueSizes(kQueueSize, kQueueSize); e.Failed()) {
        ShowOsError(719, e);
        return false;
    }
    auto timeoutFailure = [&](const OsError& e) {
        ui_.ShowMessage(736,
                        FormatPrintf(Str(736), {portName_, static_cast<unsigned long long>(e.code),
                                                e.text}),
                        MessageIcon::Stop);
        return false;
    };
    if (OsError e = device_.GetTimeouts(savedTimeouts_); e.Failed()) return timeoutFailure(e);
    timeouts_ = {0, 1, 5000, 1, 5000};
    if (OsError e = device_.SetTimeouts(timeouts_); e.Failed()) return timeoutFailure(e);
    baudText_.clear();
    openedTick_ = clock_.TickCount();
    return true;
}

bool CSerialPort::ApplyLineSettings(const std::string& baudText, bool dtrEnable) {
    SerialLineSettings line;
    if (OsError e = device_.GetLineSettings(line); e.Failed()) {
        ShowOsError(720, e);
        return false;
    }
    line.baudRate = BaudFromText(baudText);
    line.dataBits = 8;
    line.parity = false;
    line.stopBits = 1;
    line.ctsFlowControl = false;
    line.dsrFlowControl = false;
    line.dtr = dtrEnable;
    line.rts = true;
    line.xonXoff = false;
    if (OsError e = device_.SetLineSettings(line); e.Failed()) {
        ShowOsError(721, e);
        return false;
    }
    baudText_ = baudText;
    return true;
}

bool CSerialPort::Open(const std::string& portName, const std::string& baudText, bool dtrEnable) {
    bool reuse = device_.IsOpen() && portName == portName_;
    if (!reuse) {
        if (device_.IsOpen()) Close();
        if (!OpenDevice(portName)) return false;
    }
    if (baudText_ != baudText && !ApplyLineSettings(baudText, dtrEnable)) return false;
    return true;
}

void CSerialPort::Close() {
    if (!device_.IsOpen()) return;
    device_.SetTimeouts(savedTimeouts_);
    uint32_t flags = 0;
    size_t waiting = 0;
    device_.ClearErrors(flags, waiting);
    device_.Close();
    portName_.clear();
    baudText_.clear();
}

void CSerialPort::WaitAfterOpen() {
    uint32_t now = clock_.TickCount();
    uint32_t elapsed = now - openedTick_;  // unsigned: a wrapped tick counter still subtracts right
    if (elapsed < kWaitAfterOpenMs) clock_.Sleep(kWaitAfterOpenMs - elapsed);
    openedTick_ = now - kWaitAfterOpenMs;
}

bool CSerialPort::ReadRaw(uint8_t* buffer, size_t count, uint32_t timeoutMs, size_t& received,
                          OsError& error) {
    received = 0;
    if (timeouts_.readTotalConstant != timeoutMs) {
        timeouts_.readTotalConstant = timeoutMs;
        error = device_.SetTimeouts(timeouts_);
        if (error.Failed()) return false;
    }
    error = device_.Read(buffer, count, received);
    return !error.Failed();
}

bool CSerialPort::ClearErrors(uint32_t& errorFlags, size_t& bytesWaiting, OsError& error) {
    error = device_.ClearErrors(errorFlags, bytesWaiting);
    return !error.Failed();
}

int CSerialPort::Transmit(const uint8_t* data, size_t count, uint32_t preDelayMs) {
    if (preDelayMs != 0) {
        WaitCursor wait(ui_);
        clock_.Sleep(preDelayMs);
    }
    uint32_t flags = 0;
    size_t waiting = 0;
    OsError error;
    if (ClearErrors(flags, waiting, error) && waiting > 0) {
        // Stale bytes of an earlier, aborted exchange must never be taken for this answer.
        std::vector<uint8_t> stale(waiting);
        size_t discarded = 0;
        ReadRaw(stale.data(), stale.size(), timeouts_.readTotalConstant, discarded, error);
    }
    size_t written = 0;
    error = device_.Write(data, count, written);
    if (error.Failed()) {
        ShowOsError(722, error);
        return -1;
    }
    if (written < count) {
        ui_.ShowMessage(723, Msg(723, {portName_, std::to_string(written), std::to_string(count)}),
                        MessageIcon::Stop);
        return -1;
    }
    return 1;
}

void CSerialPort::Report(int id, const std::string& text, bool quiet, int& errorCounter) {
    if (quiet) {
        ++errorCounter;
    } else {
        ui_.ShowMessage(id, text, MessageIcon::Stop);
    }
}

int CSerialPort::ReceiveExact(uint8_t* buffer, size_t count, uint32_t timeoutMs, bool quiet,
                              int& errorCounter) {
    size_t received = 0;
    OsError error;
    bool readOk = ReadRaw(buffer, count, timeoutMs, received, error);
    lastReceived_ = received;
    if (!readOk) {
        Report(735, Msg(735, {portName_, std::to_string(error.code), error.text}), quiet,
               errorCounter);
        return -1;
    }
    if (received < count) {
        Report(733, Msg(733, {portName_, std::to_string(count), std::to_string(received)}), quiet,
               errorCounter);
        return -1;
    }
    uint32_t flags = 0;
    size_t waiting = 0;
    if (!ClearErrors(flags, waiting, error)) {
        Report(724, Msg(724, {portName_, std::to_string(error.code), error.text}), quiet,
               errorCounter);
        return -1;
    }
    if (flags == 0) return static_cast<int>(count);
    Report(734, Msg(734, {portName_, LineErrorTexts(flags), std::to_string(flags)}), quiet,
           errorCounter);
    return -1;
}

}  // namespace varelo
