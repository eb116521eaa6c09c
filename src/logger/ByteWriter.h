#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace varelo {

// Fixed-position fields of a block sent to the Logger. Every write checks its range against
// the block; bytes that would fall outside it are dropped.
class ByteWriter {
  public:
    explicit ByteWriter(std::span<uint8_t> bytes) : bytes_(bytes) {}

    void U8(size_t offset, uint32_t value) {
        if (offset < bytes_.size())
            bytes_[offset] = uint8_t(value);
    }
    // Big-endian numbers; signed values go out in two's complement.
    void U16(size_t offset, uint32_t value) {
        U8(offset, value >> 8);
        U8(offset + 1, value);
    }
    void U32(size_t offset, uint32_t value) {
        U16(offset, value >> 16);
        U16(offset + 2, value);
    }
    // An 8-bit text field of fixed width: the text cut to the width, the rest zero.
    void Text(size_t offset, size_t width, std::string_view text) {
        for (size_t i = 0; i < width; ++i)
            U8(offset + i, i < text.size() ? uint8_t(text[i]) : 0);
    }

  private:
    std::span<uint8_t> bytes_;
};

}  // namespace varelo
