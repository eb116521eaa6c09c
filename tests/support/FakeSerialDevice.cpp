#include "support/FakeSerialDevice.h"

#include <algorithm>

#include "support/SimulatedClock.h"

namespace varelo::test {

OsError FakeSerialDevice::Open(const std::string& path) {
    openedPaths.push_back(path);
    if (failOpen.Failed()) return failOpen;
    open_ = true;
    return {};
}

OsError FakeSerialDevice::GetTimeouts(SerialTimeouts& t) {
    if (failGetTimeouts.Failed()) return failGetTimeouts;
    t = timeouts;
    return {};
}

OsError FakeSerialDevice::SetTimeouts(const SerialTimeouts& t) {
    if (failSetTimeouts.Failed()) return failSetTimeouts;
    timeouts = t;
    return {};
}

OsError FakeSerialDevice::GetLineSettings(SerialLineSettings& s) {
    if (failGetLine.Failed()) return failGetLine;
    s = lineSettings;
    return {};
}

OsError FakeSerialDevice::SetLineSettings(const SerialLineSettings& s) {
    if (failSetLine.Failed()) return failSetLine;
    lineSettings = s;
    ++lineSettingsWrites;
    return {};
}

OsError FakeSerialDevice::Read(uint8_t* buffer, size_t count, size_t& received) {
    reads.push_back({count, timeouts.readTotalConstant});
    received = 0;
    if (failRead.Failed()) return failRead;
    while (received < count && !input.empty()) {
        buffer[received++] = input.front();
        input.pop_front();
    }
    if (received < count && clock_)
        clock_->Advance(uint32_t(count) * timeouts.readTotalMultiplier + timeouts.readTotalConstant);
    return {};
}

OsError FakeSerialDevice::Write(const uint8_t* data, size_t count, size_t& written) {
    if (failWrite.Failed()) return failWrite;
    written = std::min(count, shortWrite);
    writes.emplace_back(data, data + written);
    if (responder) responder(*this, std::span<const uint8_t>(data, written));
    return {};
}

OsError FakeSerialDevice::ClearErrors(uint32_t& errorFlags, size_t& bytesWaiting) {
    if (failClearErrors.Failed()) return failClearErrors;
    errorFlags = pendingErrorFlags;
    pendingErrorFlags = 0;
    bytesWaiting = input.size();
    return {};
}

std::vector<uint32_t> FakeSerialDevice::ReadTimeouts(size_t count) const {
    std::vector<uint32_t> result;
    for (const auto& r : reads) {
        if (r.count == count) result.push_back(r.timeout);
    }
    return result;
}

std::string FakeSerialDevice::WrittenBytes() const {
    std::string all;
    for (const auto& w : writes) all.append(w.begin(), w.end());
    return all;
}

}  // namespace varelo::test
