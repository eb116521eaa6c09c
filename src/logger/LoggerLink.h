#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SerialPort.h"

namespace varelo {

class UserInterface;

// The serial port as the Logger commands use it: every port failure becomes its message,
// shown to the person or, on quiet reads, only counted.
class CLoggerLink {
public:
    CLoggerLink(CSerialPort& port, UserInterface& ui) : port_(port), ui_(ui) {}

    // Opens (or re-uses) the port; a failure shows 718-721 or 736.
    bool Open(const std::string& portName, const std::string& baudText, bool dtrEnable);
    void Close() { port_.Close(); }
    bool IsOpen() const { return port_.IsOpen(); }
    void WaitAfterOpen() { port_.WaitAfterOpen(); }

    // Writes one block after an optional pause (under the wait cursor). 1, or -1 after 722/723.
    int Transmit(const uint8_t* data, size_t count, uint32_t preDelayMs);
    // Reads exactly count bytes: count, or -1 after 724, 733, 734 or 735. Quiet failures are
    // counted in errorCounter instead of being shown.
    int ReceiveExact(uint8_t* buffer, size_t count, uint32_t timeoutMs, bool quiet,
                     int& errorCounter);
    size_t LastReceivedCount() const { return port_.LastReceivedCount(); }

    Clock& GetClock() { return port_.GetClock(); }
    UserInterface& Ui() { return ui_; }
    CSerialPort& Port() { return port_; }

    // The message number and text of a port failure on the named port.
    static int MessageId(const SerialFailure& failure);
    static std::string MessageText(const SerialFailure& failure, const std::string& portName);
    // The joined line-error texts of driver error flags.
    static std::string LineErrorTexts(uint32_t errorFlags);

private:
    void Show(const SerialFailure& failure);

    CSerialPort& port_;
    UserInterface& ui_;
};

}  // namespace varelo
