#pragma once

#include <cstdint>

namespace varelo::sim {

// Physical value of one raw unit of the Logger's fields, from the job's input ranges, worked
// out here from the Logger's own full scales rather than taken from the client's scaling, so
// that a wrong client factor shows up as a wrong value instead of cancelling out.
struct RawUnits {
    double voltage = 0;             // V: voltage range / 17600
    double fundamentalVoltage = 0;  // V: range / 23800; also the unit of voltage harmonics
    double current = 0;             // A: phase range / 17600
    double fundamentalCurrent = 0;  // A: phase range / 23800; also the current harmonics
    double neutral = 0;
    double fundamentalNeutral = 0;
    double power = 0;         // W per phase: voltage range x phase range / 17600
    double eventVoltage = 0;  // V: voltage range / 2200

    static RawUnits For(double voltageRange, double phaseRange, double neutralRange);
};

// A raw 16-bit measured value: rounded, never negative, at most the Logger's 32767.
int16_t ToRaw(double value, double unit);
// A signed raw value (powers), limited to the 16-bit range.
int16_t ToSignedRaw(double value, double unit);
// An unsigned raw value (half-period fields), at most 65535.
uint16_t ToUnsignedRaw(double value, double unit);

// The Logger's one-byte code of a harmonic level relative to the RMS value: 0.05 % steps up to
// 6.5 %, 0.1 % steps up to 10 %, then 1 % steps up to 100 %.
uint8_t LevelCode(double percent);
// The level of a code in 0.01 %.
int LevelOfCode(uint8_t code);
// The raw harmonic the PC computes from a code and the raw RMS value of the same channel.
// Worked in integers: R x v x 0.0001 x 23800 / 17600 truncated is R x v x 238 / 1760000.
int16_t HarmonicFromCode(int16_t rmsRaw, uint8_t code);

}  // namespace varelo::sim
