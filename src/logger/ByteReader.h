#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varelo {

// Fixed-position fields of a Logger answer. Every read checks its range against the buffer;
// a field outside the buffer reads as zero bytes, never past the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    uint8_t U8(size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }
    // Big-endian numbers.
    uint16_t U16(size_t offset) const { return uint16_t(U8(offset) << 8 | U8(offset + 1)); }
    int16_t I16(size_t offset) const { return static_cast<int16_t>(U16(offset)); }
    uint32_t U24(size_t offset) const {
        return uint32_t(U8(offset)) << 16 | uint32_t(U8(offset + 1)) << 8 | U8(offset + 2);
    }
    uint32_t U32(size_t offset) const { return uint32_t(U16(offset)) << 16 | U16(offset + 2); }
    int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
    // An 8-bit text field of fixed width, up to its first zero byte.
    std::string Text(size_t offset, size_t width) const;
    // A field of two ASCII digits; -1 when either is not a digit.
    int TwoDigits(size_t offset) const;
    std::span<const uint8_t> Bytes(size_t offset, size_t count) const;

private:
    std::span<const uint8_t> bytes_;
};

}  // namespace varelo
