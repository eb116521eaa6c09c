#include "sim/WireWriter.h"

#include <bit>

namespace varelo::sim {

void WireWriter::U8(size_t offset, uint32_t value) {
    if (offset < bytes_.size()) bytes_[offset] = uint8_t(value & 0xFF);
}

void WireWriter::U16(size_t offset, uint32_t value) {
    U8(offset, value >> 8);
    U8(offset + 1, value);
}

void WireWriter::U24(size_t offset, uint32_t value) {
    U8(offset, value >> 16);
    U16(offset + 1, value);
}

void WireWriter::U32(size_t offset, uint32_t value) {
    U16(offset, value >> 16);
    U16(offset + 2, value);
}

void WireWriter::Text(size_t offset, size_t width, std::string_view text) {
    for (size_t i = 0; i < width; ++i)
        U8(offset + i, i < text.size() ? uint8_t(text[i]) : 0);
}

void WireWriter::TwoDigits(size_t offset, int value) {
    value = ((value % 100) + 100) % 100;
    U8(offset, uint32_t('0' + value / 10));
    U8(offset + 1, uint32_t('0' + value % 10));
}

void WireWriter::DigitDate(size_t offset, const SimDateTime& t) {
    const int fields[] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
    for (size_t i = 0; i < 6; ++i)
        TwoDigits(offset + 2 * i, fields[i]);
}

void WireWriter::BinaryDate(size_t offset, const SimDateTime* t) {
    if (!t) {
        Text(offset, 6, {});
        return;
    }
    const int fields[] = {t->year % 100, t->month, t->day, t->hour, t->minute, t->second};
    for (size_t i = 0; i < 6; ++i)
        U8(offset + i, uint32_t(fields[i]));
}

void WireWriter::FloatLittleEndian(size_t offset, float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        U8(offset + i, bits >> (8 * i));
}

void WireWriter::Bytes(size_t offset, std::span<const uint8_t> bytes) {
    for (size_t i = 0; i < bytes.size(); ++i)
        U8(offset + i, bytes[i]);
}

void WireWriter::EndWithCrLf() {
    if (bytes_.size() < 2) return;
    bytes_[bytes_.size() - 2] = 0x0D;
    bytes_.back() = 0x0A;
}

uint8_t XorOf(std::span<const uint8_t> bytes) {
    uint8_t x = 0;
    for (uint8_t b : bytes)
        x ^= b;
    return x;
}

uint8_t SumOf(std::span<const uint8_t> bytes) {
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return uint8_t(sum & 0xFF);
}

}  // namespace varelo::sim
