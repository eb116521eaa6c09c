#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/SerialDevice.h"

namespace varelo {

class UserInterface;

// The one serial port of the process. It opens and configures the port, keeps it open
// between Logger commands, and moves every byte of the Logger protocol.
class CSerialPort {
public:
    // Maps a port label such as "COM1" to the device path to open.
    using PortResolver = std::function<std::string(const std::string& portName)>;

    CSerialPort(SerialDevice& device, Clock& clock, UserInterface& ui, PortResolver resolver);
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens (or re-uses) the port and applies the line settings; failures are shown.
    bool Open(const std::string& portName, const std::string& baudText, bool dtrEnable);
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

    // Writes one block after an optional pause; discards unasked input first. 1 or -1.
    int Transmit(const uint8_t* data, size_t count, uint32_t preDelayMs);
    // Reads exactly count bytes: count, or -1 on a failure, a short read or a line error.
    // Quiet failures are counted in errorCounter instead of being shown.
    int ReceiveExact(uint8_t* buffer, size_t count, uint32_t timeoutMs, bool quiet,
                     int& errorCounter);

    // Bytes that arrived in the last ReceiveExact, complete or not.
    size_t LastReceivedCount() const { return lastReceived_; }

    Clock& GetClock() { return clock_; }
    UserInterface& Ui() { return ui_; }

    // Baud rate of a baud text; texts not in the list give 38400.
    static uint32_t BaudFromText(const std::string& baudText);
    // The joined line-error texts of driver error flags.
    static std::string LineErrorTexts(uint32_t errorFlags);

private:
    bool OpenDevice(const std::string& portName);
    bool ApplyLineSettings(const std::string& baudText, bool dtrEnable);
    void Report(int id, const std::string& text, bool quiet, int& errorCounter);
    void ShowOsError(int id, const OsError& error);

    SerialDevice& device_;
    Clock& clock_;
    UserInterface& ui_;
    PortResolver resolver_;
    SerialTimeouts savedTimeouts_{};
    SerialTimeouts timeouts_{};
    std::string portName_;
    std::string baudText_;
    uint32_t openedTick_ = 0;
    size_t lastReceived_ = 0;
};

}  // namespace varelo
