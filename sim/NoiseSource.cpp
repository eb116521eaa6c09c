#include "sim/NoiseSource.h"

#include <cmath>

namespace varelo::sim {

namespace {

// SplitMix64's finaliser: every input bit affects every output bit.
uint64_t Mix(uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x;
}

}  // namespace

uint64_t NoiseSource::Bits(uint32_t stream, int64_t index) const {
    return Mix(Mix(seed_ + 0x9E3779B97F4A7C15ull * (uint64_t(stream) + 1)) ^
               (uint64_t(index) * 0xD1B54A32D192ED03ull));
}

double NoiseSource::Uniform(uint32_t stream, int64_t index) const {
    return double(Bits(stream, index) >> 11) * 0x1.0p-53;
}

double NoiseSource::Between(uint32_t stream, int64_t index, double low, double high) const {
    return low + (high - low) * Uniform(stream, index);
}

double NoiseSource::Normal(uint32_t stream, int64_t index) const {
    const uint64_t bits = Bits(stream, index);
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += double((bits >> (16 * i)) & 0xFFFF) / 65536.0;
    // Four uniforms have mean 2 and variance 1/3.
    return (sum - 2.0) * 1.7320508075688772;
}

double NoiseSource::Smooth(uint32_t stream, double t, double period) const {
    const double position = t / period;
    const double knot = std::floor(position);
    const double f = position - knot;
    const double a = Normal(stream, int64_t(knot));
    const double b = Normal(stream, int64_t(knot) + 1);
    const double s = f * f * (3 - 2 * f);
    return a + (b - a) * s;
}

}  // namespace varelo::sim
