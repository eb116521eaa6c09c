#include "sim/RawEncoding.h"

#include <algorithm>
#include <cmath>

namespace varelo::sim {

namespace {

constexpr double kFullScale = 17600;
constexpr double kFundamentalFullScale = 23800;
constexpr double kEventFullScale = 2200;

}  // namespace

RawUnits RawUnits::For(double voltageRange, double phaseRange, double neutralRange) {
    RawUnits u;
    u.voltage = voltageRange / kFullScale;
    u.fundamentalVoltage = voltageRange / kFundamentalFullScale;
    u.current = phaseRange / kFullScale;
    u.fundamentalCurrent = phaseRange / kFundamentalFullScale;
    u.neutral = neutralRange / kFullScale;
    u.fundamentalNeutral = neutralRange / kFundamentalFullScale;
    u.power = voltageRange * phaseRange / kFullScale;
    u.eventVoltage = voltageRange / kEventFullScale;
    return u;
}

int16_t ToRaw(double value, double unit) {
    if (!(unit > 0) || !(value > 0)) return 0;
    return int16_t(std::min(32767.0, std::round(value / unit)));
}

int16_t ToSignedRaw(double value, double unit) {
    if (!(unit > 0) || !std::isfinite(value)) return 0;
    return int16_t(std::clamp(std::round(value / unit), -32768.0, 32767.0));
}

uint16_t ToUnsignedRaw(double value, double unit) {
    if (!(unit > 0) || !(value > 0)) return 0;
    return uint16_t(std::min(65535.0, std::round(value / unit)));
}

int LevelOfCode(uint8_t k) {
    if (k <= 130) return 5 * k;
    if (k <= 165) return 10 * k - 650;
    return 100 * k - 15500;
}

uint8_t LevelCode(double percent) {
    const int v = int(std::clamp(percent * 100, 0.0, 10000.0) + 0.5);
    // Nearest code; halfway between two ranges the lower one.
    if (v <= 655) return uint8_t(std::min(130, (v + 2) / 5));
    if (v <= 1050) return uint8_t(std::min(165, (v + 655) / 10));
    return uint8_t(std::min(255, (v + 15550) / 100));
}

int16_t HarmonicFromCode(int16_t rmsRaw, uint8_t code) {
    if (rmsRaw <= 0) return 0;
    const int64_t raw = int64_t(rmsRaw) * LevelOfCode(code) * 238 / 1760000;
    return int16_t(std::min<int64_t>(raw, 32767));
}

}  // namespace varelo::sim
