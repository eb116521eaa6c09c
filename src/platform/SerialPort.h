#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/SerialDevice.h"

namespace varelo {

// Where a port operation failed; the layer above words it as a message.
enum class SerialStep {
    None,
    Open,
    QueueSizes,
    Timeouts,
    GetLineSettings,
    SetLineSettings,
    Write,
    ShortWrite,
    Read,
    ShortRead,
    ClearErrors,
    LineError,
};

struct SerialFailure {
    SerialStep step = SerialStep::None;
    OsError os;               // the system's error, for the steps that have one
    size_t expected = 0;      // ShortWrite, ShortRead: the bytes asked for
    size_t actual = 0;        // and the bytes moved
    uint32_t lineErrors = 0;  // LineError: the driver's error flags
    bool Failed() const { return step != SerialStep::None; }
};

// The one serial port of the process. It opens and configures the port, keeps it open
// between Logger commands, and moves every byte of the Logger protocol.
class CSerialPort {
public:
    // Maps a port label such as "COM1" to the device path to open.
    using PortResolver = std::function<std::string(const std::string& portName)>;

    CSerialPort(SerialDevice& device, Clock& clock, PortResolver resolver);
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens (or re-uses) the port and applies the line settings.
    SerialFailure Open(const std::string& portName, const std::string& baudText, bool dtrEnable);
    void Close();
    bool IsOpen() const { return device_.IsOpen(); }
    const std::string& PortName() const { return portName_; }
    const std::string& BaudText() const { return baudText_; }

    // Blocks until 5000 ms have passed since the port was opened.
    void WaitAfterOpen();

    // One read of up to count bytes, waiting count * 1 ms + timeoutMs at most.
    bool ReadRaw(uint8_t* buffer, size_t count, uint32_t timeoutMs, size_t& received,
                 OsError& error);
    bool ClearErrors(uint32_t& errorFlags, size_t& bytesWaiting, OsError& error);

    // Writes one block; discards unasked input first.
    SerialFailure Transmit(const uint8_t* data, size_t count);
    // Reads exactly count bytes; a short read or a line error fails.
    SerialFailure ReceiveExact(uint8_t* buffer, size_t count, uint32_t timeoutMs);

    // Bytes that arrived in the last ReceiveExact, complete or not.
    size_t LastReceivedCount() const { return lastReceived_; }

    Clock& GetClock() { return clock_; }

    // Baud rate of a baud text; texts not in the list give 38400.
    static uint32_t BaudFromText(const std::string& baudText);

private:
    SerialFailure OpenDevice(const std::string& portName);
    SerialFailure ApplyLineSettings(const std::string& baudText, bool dtrEnable);

    SerialDevice& device_;
    Clock& clock_;
    PortResolver resolver_;
    SerialTimeouts savedTimeouts_{};
    SerialTimeouts timeouts_{};
    std::string portName_;
    std::string baudText_;
    uint32_t openedTick_ = 0;
    size_t lastReceived_ = 0;
};

}  // namespace varelo
