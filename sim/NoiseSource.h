#pragma once

#include <cstdint>

namespace varelo::sim {

// Random numbers addressed by (stream, index) rather than drawn in sequence: the same seed,
// stream and index always give the same number. Any interval, statistic segment or event can
// so be produced on its own, in any order, without generating what comes before it. The
// arithmetic is integer hashing and plain doubles, so a seed gives the same data on every run.
class NoiseSource {
public:
    explicit NoiseSource(uint64_t seed) : seed_(seed) {}

    uint64_t Bits(uint32_t stream, int64_t index) const;
    // Uniform in [0, 1).
    double Uniform(uint32_t stream, int64_t index) const;
    // Uniform in [low, high).
    double Between(uint32_t stream, int64_t index, double low, double high) const;
    // Mean 0, standard deviation 1, bounded to about +-3.5 (a sum of four uniforms): close
    // enough to normal for measurement noise and never a wild outlier.
    double Normal(uint32_t stream, int64_t index) const;
    // A smoothly varying value of the same spread along t (seconds), with knots `period`
    // seconds apart: slow drifts such as the load's day-to-day variation.
    double Smooth(uint32_t stream, double t, double period) const;

private:
    uint64_t seed_;
};

}  // namespace varelo::sim
