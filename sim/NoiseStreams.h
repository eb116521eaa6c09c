#pragma once

#include <cstdint>

namespace varelo::sim {

// The streams of the generator's NoiseSource, one per independent quantity. Per-phase streams
// add the phase or conductor (0-3) to their base; the bases are far enough apart for that.
enum NoiseStream : uint32_t {
    // The schedule of disturbances and episodes, indexed by event number and parameter.
    kStreamDisturbance = 100,  // + kind
    kStreamEpisode = 110,      // + kind
    kStreamOpenEvent = 120,
    // The feeder's undisturbed state.
    kStreamLoadSlow = 200,  // + phase
    kStreamLoadFast = 210,
    kStreamLoadSpread = 220,
    kStreamSource = 230,
    kStreamVoltagePhase = 240,
    kStreamVoltageSample = 250,
    kStreamVoltageSpread = 260,
    kStreamFrequencySlow = 300,
    kStreamFrequencyMid = 301,
    kStreamFrequencyValue = 302,
    kStreamFrequencyHour = 303,
    kStreamPst = 310,  // + phase
    kStreamPstSlow = 320,
    kStreamPowerFactor = 330,
    kStreamAngle = 340,  // + 0 for L1-L2, 1 for L1-L3
    kStreamAngleSample = 345,
    kStreamCrest = 350,
    kStreamTelegram = 400,   // + channel
    kStreamResonance = 410,  // + channel
    kStreamSignalValue = 420,
    kStreamVoltageHarmonicSlow = 500,  // + phase
    kStreamVoltageHarmonicSample = 510,
    kStreamCurrentHarmonicSlow = 520,
    kStreamCurrentHarmonicSample = 530,
    kStreamCurrentInterharmonic = 540,  // + 8 x conductor + channel
};

}  // namespace varelo::sim
