#pragma once

#include <array>
#include <cstdint>

#include "measurement/TimeStamp.h"

namespace varelo {

inline constexpr int kFrequencyClasses = 42;
inline constexpr int kSignallingFrequencies = 5;
inline constexpr int kSignallingClasses = 20;

// One statistic segment: the histogram of the 10-second frequency values and the
// mains-signalling voltage histograms, as counted by the Logger. All zero when new.
class CStatisticSegment {
  public:
    int16_t Status = 0;  // 0x40 line interruption, 0x20 sync error, 0x10 voltage overflow
    CTimeStamp DateTime;
    std::array<uint32_t, kFrequencyClasses> Freq10sec{};
    // Phase L1-L3 x signalling frequency of the job x level class.
    std::array<std::array<std::array<uint16_t, kSignallingClasses>, kSignallingFrequencies>, 3>
        SignalVal{};
    uint32_t NrSignalVoltInterval = 0;

    // Adds the other segment's frequency counters; the signalling histogram is not summed.
    void Accumulate(const CStatisticSegment& other);
    // Number of 10-second values whose class limit lies within [lowHz, highHz], both rounded
    // to 0.01 Hz. The 60 Hz classes apply when nominalFrequency is 60.
    uint64_t CountFrequencyRange(double lowHz, double highHz, int nominalFrequency) const;

    // Class limit in 0.01 Hz of class 0-41; 0 outside.
    static int FrequencyClassLimit(int index, int nominalFrequency);
};

}  // namespace varelo
