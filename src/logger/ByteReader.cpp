#include "logger/ByteReader.h"

namespace varelo {

std::string ByteReader::Text(size_t offset, size_t width) const {
    std::string text;
    for (size_t i = 0; i < width && offset + i < bytes_.size(); ++i) {
        char c = static_cast<char>(bytes_[offset + i]);
        if (c == '\0') break;
        text += c;
    }
    return text;
}

int ByteReader::TwoDigits(size_t offset) const {
    uint8_t hi = U8(offset), lo = U8(offset + 1);
    if (offset + 2 > bytes_.size() || hi < '0' || hi > '9' || lo < '0' || lo > '9') return -1;
    return (hi - '0') * 10 + (lo - '0');
}

std::span<const uint8_t> ByteReader::Bytes(size_t offset, size_t count) const {
    if (offset >= bytes_.size()) return {};
    return bytes_.subspan(offset, std::min(count, bytes_.size() - offset));
}

}  // namespace varelo
