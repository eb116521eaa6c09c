#pragma once

#include <vector>

#include "platform/SerialDevice.h"

namespace varelo::test {

// Passes everything to a real device but waits only 1/divisor of each read time-out, and
// records the time-outs asked for, so that tests of multi-second retries run quickly.
class TimeScaledDevice : public SerialDevice {
public:
    TimeScaledDevice(SerialDevice& inner, uint32_t divisor) : inner_(inner), divisor_(divisor) {}

    OsError Open(const std::string& path) override { return inner_.Open(path); }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    OsError SetQueueSizes(uint32_t in, uint32_t out) override {
        return inner_.SetQueueSizes(in, out);
    }
    OsError GetTimeouts(SerialTimeouts& t) override {
        t = asked_;
        return inner_.IsOpen() ? OsError{} : inner_.GetTimeouts(t);
    }
    OsError SetTimeouts(const SerialTimeouts& t) override {
        asked_ = t;
        SerialTimeouts scaled = t;
        scaled.readTotalConstant = t.readTotalConstant / divisor_;
        return inner_.SetTimeouts(scaled);
    }
    OsError GetLineSettings(SerialLineSettings& s) override { return inner_.GetLineSettings(s); }
    OsError SetLineSettings(const SerialLineSettings& s) override {
        return inner_.SetLineSettings(s);
    }
    OsError Read(uint8_t* buffer, size_t count, size_t& received) override {
        readTimeouts.push_back({count, asked_.readTotalConstant});
        return inner_.Read(buffer, count, received);
    }
    OsError Write(const uint8_t* data, size_t count, size_t& written) override {
        return inner_.Write(data, count, written);
    }
    OsError ClearErrors(uint32_t& flags, size_t& waiting) override {
        return inner_.ClearErrors(flags, waiting);
    }

    // Time-outs asked for by the reads of count bytes.
    std::vector<uint32_t> ReadTimeouts(size_t count) const {
        std::vector<uint32_t> result;
        for (const auto& [n, timeout] : readTimeouts) {
            if (n == count) result.push_back(timeout);
        }
        return result;
    }

    std::vector<std::pair<size_t, uint32_t>> readTimeouts;

private:
    SerialDevice& inner_;
    uint32_t divisor_;
    SerialTimeouts asked_{};
};

}  // namespace varelo::test
