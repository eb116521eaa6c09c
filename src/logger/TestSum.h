#pragma once

#include <cstdint>
#include <span>

namespace varelo {

// Bitwise exclusive-or of all bytes.
uint8_t XorTestSum(std::span<const uint8_t> bytes);
// Sum of all bytes modulo 256.
uint8_t SumTestSum(std::span<const uint8_t> bytes);

}  // namespace varelo
