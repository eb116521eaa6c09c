#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "sim/SimDateTime.h"

namespace varelo::sim {

// Builds a Logger answer of fixed length field by field: numbers big-endian, texts of fixed
// width padded with zero bytes. Written from the Logger's byte layouts on its own, so that a
// layout the client misreads shows up as a failing test. A field reaching past the answer is
// cut at its end.
class WireWriter {
public:
    explicit WireWriter(size_t length) : bytes_(length, 0) {}

    void U8(size_t offset, uint32_t value);
    void U16(size_t offset, uint32_t value);
    void U24(size_t offset, uint32_t value);
    void U32(size_t offset, uint32_t value);
    // The text cut to the width, the rest zero.
    void Text(size_t offset, size_t width, std::string_view text);
    // Two ASCII characters of a decimal number 0 to 99, with a leading zero.
    void TwoDigits(size_t offset, int value);
    // Six ASCII two-digit fields: year modulo 100, month, day, hour, minute, second.
    void DigitDate(size_t offset, const SimDateTime& t);
    // Six binary bytes in the same order; none gives six zero bytes.
    void BinaryDate(size_t offset, const SimDateTime* t);
    // An IEEE single-precision number, least significant byte first.
    void FloatLittleEndian(size_t offset, float value);
    void Bytes(size_t offset, std::span<const uint8_t> bytes);
    // CR LF in the last two bytes, as the configuration paragraphs end.
    void EndWithCrLf();

    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

// The exclusive-or of all bytes.
uint8_t XorOf(std::span<const uint8_t> bytes);
// The sum of all bytes modulo 256.
uint8_t SumOf(std::span<const uint8_t> bytes);

}  // namespace varelo::sim
