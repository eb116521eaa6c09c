#include <algorithm>

#include "sim/Scenario.h"

namespace varelo::sim {

void SimMemory::Write(uint32_t address, std::span<const uint8_t> data) {
    if (size_t(address) + data.size() > kSize) return;  // the handler refuses such blocks first
    if (bytes.empty()) bytes.assign(kSize, 0);
    std::copy(data.begin(), data.end(), bytes.begin() + address);
    lowest = std::min(lowest.value_or(address), address);
    ++blocks;
}

std::string SimMemory::TextAtStart() const {
    std::string text;
    if (!lowest) return text;
    for (size_t i = *lowest; i < bytes.size() && i < *lowest + 256 && bytes[i] != 0; ++i)
        text += char(bytes[i]);
    return text;
}

}  // namespace varelo::sim
