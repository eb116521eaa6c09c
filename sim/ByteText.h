#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varelo::sim {

// A command byte as people type it: one character ("y", "+") or "0xHH" ("0x1B").
bool ParseByte(std::string_view text, uint8_t& byte);
// A non-negative decimal count, digits only.
bool ParseCount(std::string_view text, int& count);

// "1B 78" for a log line.
std::string HexBytes(std::span<const uint8_t> bytes);
// The bytes as characters, '.' for anything not printable.
std::string PrintableBytes(std::span<const uint8_t> bytes);
// "'y' (0x79)" or "0x1B" for messages.
std::string ByteName(uint8_t byte);

}  // namespace varelo::sim
