#include "support/SerialClient.h"

namespace varelo::test {

bool SerialClient::Send(std::string_view bytes) {
    size_t written = 0;
    device_.SetTimeouts({0, 0, 0, 1, 2000});
    OsError error =
        device_.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), written);
    return !error.Failed() && written == bytes.size();
}

std::string SerialClient::Read(size_t count, uint32_t timeoutMs) {
    std::string bytes(count, '\0');
    size_t received = 0;
    device_.SetTimeouts({0, 0, timeoutMs, 1, 2000});
    if (device_.Read(reinterpret_cast<uint8_t*>(bytes.data()), count, received).Failed())
        return {};
    bytes.resize(received);
    return bytes;
}

}  // namespace varelo::test
