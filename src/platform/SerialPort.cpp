#include "platform/SerialPort.h"

#include <vector>

namespace varelo {

namespace {

constexpr uint32_t kQueueSize = 4096;
constexpr uint32_t kWaitAfterOpenMs = 5000;

SerialFailure Failure(SerialStep step, const OsError& os = {}) {
    return {step, os};
}

}  // namespace

CSerialPort::CSerialPort(SerialDevice& device, Clock& clock, PortResolver resolver)
    : device_(device), clock_(clock), resolver_(std::move(resolver)) {}

CSerialPort::~CSerialPort() {
    Close();
}

uint32_t CSerialPort::BaudFromText(const std::string& baudText) {
    for (uint32_t rate : {9600u, 19200u, 38400u, 57600u, 115200u}) {
        if (baudText == std::to_string(rate)) return rate;
    }
    return 38400;
}

SerialFailure CSerialPort::OpenDevice(const std::string& portName) {
    portName_ = portName;  // the label every message names
    if (OsError e = device_.Open(resolver_(portName)); e.Failed())
        return Failure(SerialStep::Open, e);
    if (OsError e = device_.SetQueueSizes(kQueueSize, kQueueSize); e.Failed())
        return Failure(SerialStep::QueueSizes, e);
    if (OsError e = device_.GetTimeouts(savedTimeouts_); e.Failed())
        return Failure(SerialStep::Timeouts, e);
    timeouts_ = {0, 1, 5000, 1, 5000};
    if (OsError e = device_.SetTimeouts(timeouts_); e.Failed())
        return Failure(SerialStep::Timeouts, e);
    baudText_.clear();
    openedTick_ = clock_.TickCount();
    return {};
}

SerialFailure CSerialPort::ApplyLineSettings(const std::string& baudText, bool dtrEnable) {
    SerialLineSettings line;
    if (OsError e = device_.GetLineSettings(line); e.Failed())
        return Failure(SerialStep::GetLineSettings, e);
    line.baudRate = BaudFromText(baudText);
    line.dataBits = 8;
    line.parity = false;
    line.stopBits = 1;
    line.ctsFlowControl = false;
    line.dsrFlowControl = false;
    line.dtr = dtrEnable;
    line.rts = true;
    line.xonXoff = false;
    if (OsError e = device_.SetLineSettings(line); e.Failed())
        return Failure(SerialStep::SetLineSettings, e);
    baudText_ = baudText;
    return {};
}

SerialFailure CSerialPort::Open(const std::string& portName, const std::string& baudText,
                                bool dtrEnable) {
    bool reuse = device_.IsOpen() && portName == portName_;
    if (!reuse) {
        if (device_.IsOpen()) Close();
        if (SerialFailure f = OpenDevice(portName); f.Failed()) return f;
    }
    if (baudText_ != baudText) return ApplyLineSettings(baudText, dtrEnable);
    return {};
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

SerialFailure CSerialPort::Transmit(const uint8_t* data, size_t count) {
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
    if (error.Failed()) return Failure(SerialStep::Write, error);
    if (written < count) {
        SerialFailure f = Failure(SerialStep::ShortWrite);
        f.expected = count;
        f.actual = written;
        return f;
    }
    return {};
}

SerialFailure CSerialPort::ReceiveExact(uint8_t* buffer, size_t count, uint32_t timeoutMs) {
    size_t received = 0;
    OsError error;
    bool readOk = ReadRaw(buffer, count, timeoutMs, received, error);
    lastReceived_ = received;
    if (!readOk) return Failure(SerialStep::Read, error);
    if (received < count) {
        SerialFailure f = Failure(SerialStep::ShortRead);
        f.expected = count;
        f.actual = received;
        return f;
    }
    uint32_t flags = 0;
    size_t waiting = 0;
    if (!ClearErrors(flags, waiting, error)) return Failure(SerialStep::ClearErrors, error);
    if (flags == 0) return {};
    SerialFailure f = Failure(SerialStep::LineError);
    f.lineErrors = flags;
    return f;
}

}  // namespace varelo
