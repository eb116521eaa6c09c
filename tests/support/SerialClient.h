#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/PosixSerialDevice.h"

namespace varelo::test {

// The PC's end of a port for tests that talk to a Logger byte by byte: open, write a command,
// read an answer with a time-out. Bytes travel as std::string for easy comparison.
class SerialClient {
public:
    explicit SerialClient(const std::string& path) { error_ = device_.Open(path); }

    bool IsOpen() const { return device_.IsOpen(); }
    const OsError& OpenError() const { return error_; }
    void Close() { device_.Close(); }

    bool Send(std::string_view bytes);
    // Up to count bytes: fewer when the time-out passed first.
    std::string Read(size_t count, uint32_t timeoutMs = 2000);

private:
    PosixSerialDevice device_;
    OsError error_;
};

}  // namespace varelo::test
