#include "sim/ByteText.h"

#include <charconv>
#include <cstdio>

namespace varelo::sim {

namespace {

bool IsPrintable(uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F;
}

}  // namespace

bool ParseByte(std::string_view text, uint8_t& byte) {
    if (text.size() == 1) {
        byte = static_cast<uint8_t>(text[0]);
        return true;
    }
    if (text.size() != 4 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return false;
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data() + 2, text.data() + 4, value, 16);
    if (ec != std::errc() || end != text.data() + 4)
        return false;
    byte = static_cast<uint8_t>(value);
    return true;
}

bool ParseCount(std::string_view text, int& count) {
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    count = value;
    return true;
}

std::string HexBytes(std::span<const uint8_t> bytes) {
    std::string out;
    char hex[4];
    for (uint8_t b : bytes) {
        if (!out.empty())
            out += ' ';
        std::snprintf(hex, sizeof hex, "%02X", b);
        out += hex;
    }
    return out;
}

std::string PrintableBytes(std::span<const uint8_t> bytes) {
    std::string out;
    for (uint8_t b : bytes)
        out += IsPrintable(b) ? static_cast<char>(b) : '.';
    return out;
}

std::string ByteName(uint8_t byte) {
    char text[16];
    if (IsPrintable(byte))
        std::snprintf(text, sizeof text, "'%c' (0x%02X)", byte, byte);
    else
        std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

}  // namespace varelo::sim
