#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/OsError.h"

namespace varelo {

// Time-outs of a serial device, in milliseconds. A read of n bytes waits at most
// n * readTotalMultiplier + readTotalConstant in total; likewise for writes.
struct SerialTimeouts {
    uint32_t readInterval = 0;
    uint32_t readTotalMultiplier = 0;
    uint32_t readTotalConstant = 0;
    uint32_t writeTotalMultiplier = 0;
    uint32_t writeTotalConstant = 0;

    bool operator==(const SerialTimeouts&) const = default;
};

// Line settings of a serial device.
struct SerialLineSettings {
    uint32_t baudRate = 9600;
    uint8_t dataBits = 8;
    bool parity = false;
    uint8_t stopBits = 1;
    bool dtr = false;
    bool rts = true;
    bool ctsFlowControl = false;
    bool dsrFlowControl = false;
    bool xonXoff = false;

    bool operator==(const SerialLineSettings&) const = default;
};

// Line error flags as the driver reports them; the values are the conventional
// communication-error bits, shown to the user as one number.
namespace line_error {
inline constexpr uint32_t kInputQueueOverflow = 0x0001;
inline constexpr uint32_t kOverrun = 0x0002;
inline constexpr uint32_t kParity = 0x0004;
inline constexpr uint32_t kFraming = 0x0008;
inline constexpr uint32_t kBreak = 0x0010;
inline constexpr uint32_t kOutputQueueFull = 0x0100;
inline constexpr uint32_t kIo = 0x0400;
inline constexpr uint32_t kMode = 0x8000;
}  // namespace line_error

// The operating system's side of a serial port. CSerialPort drives it; a pseudo-terminal,
// a real port and test doubles implement it.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device for exclusive use.
    virtual OsError Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    virtual OsError SetQueueSizes(uint32_t input, uint32_t output) = 0;
    virtual OsError GetTimeouts(SerialTimeouts& timeouts) = 0;
    virtual OsError SetTimeouts(const SerialTimeouts& timeouts) = 0;
    virtual OsError GetLineSettings(SerialLineSettings& settings) = 0;
    virtual OsError SetLineSettings(const SerialLineSettings& settings) = 0;

    // Blocks until count bytes arrived or the read time-out expired.
    virtual OsError Read(uint8_t* buffer, size_t count, size_t& received) = 0;
    // Blocks until all bytes are written or the write time-out expired.
    virtual OsError Write(const uint8_t* data, size_t count, size_t& written) = 0;
    // Reports and resets the line error flags raised since the last call, and the number of
    // bytes waiting in the input queue.
    virtual OsError ClearErrors(uint32_t& errorFlags, size_t& bytesWaiting) = 0;
};

}  // namespace varelo
