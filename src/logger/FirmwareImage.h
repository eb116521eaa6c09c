#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varelo {

class UserInterface;

// A firmware image as the Logger's memory sees it: zero-filled, and the used size is one past
// the highest byte written.
struct FirmwareImage {
    static constexpr size_t kSize = 0x44000;

    std::vector<uint8_t> bytes = std::vector<uint8_t>(kSize, 0);
    size_t usedSize = 0;
};

// Reads an Intel-Hex file into the image (data, end-of-file, extended segment and extended
// linear address records). A malformed record, a wrong checksum or an address beyond the image
// is shown as message 359 and fails; an unknown record type fails quietly.
bool ReadHexImage(const std::string& path, FirmwareImage& image, UserInterface& ui);

}  // namespace varelo
