#include "logger/TestSum.h"

namespace varelo {

uint8_t XorTestSum(std::span<const uint8_t> bytes) {
    uint8_t sum = 0;
    for (uint8_t b : bytes) sum ^= b;
    return sum;
}

uint8_t SumTestSum(std::span<const uint8_t> bytes) {
    uint8_t sum = 0;
    for (uint8_t b : bytes) sum = uint8_t(sum + b);
    return sum;
}

}  // namespace varelo
