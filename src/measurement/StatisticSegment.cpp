#include "measurement/StatisticSegment.h"

#include <cmath>

namespace varelo {

namespace {

// Class limits of 50 Hz systems in 0.01 Hz; those of 60 Hz systems lie 10 Hz higher.
constexpr std::array<int, kFrequencyClasses> kLimits50Hz = {
    4100, 4200, 4300, 4400, 4500, 4600, 4700, 4800,                    //
    4820, 4840, 4860, 4880, 4900, 4920, 4940,                          //
    4950, 4960, 4970, 4980, 4990, 5000, 5010, 5020, 5030, 5040, 5050,  //
    5060, 5080, 5100, 5120, 5140, 5160, 5180, 5200,                    //
    5300, 5400, 5500, 5600, 5700, 5800, 5900, 6000,
};
constexpr int k60HzOffset = 1000;

// hz x 100 + 0.5, truncated; clamped so that no bound overflows the conversion.
long long Hundredths(double hz) {
    double v = std::trunc(hz * 100 + 0.5);
    if (v < -1e12)
        return -1000000000000LL;
    if (v > 1e12)
        return 1000000000000LL;
    return (long long)v;
}

}  // namespace

void CStatisticSegment::Accumulate(const CStatisticSegment& other) {
    for (size_t i = 0; i < Freq10sec.size(); ++i)
        Freq10sec[i] += other.Freq10sec[i];
}

int CStatisticSegment::FrequencyClassLimit(int index, int nominalFrequency) {
    if (index < 0 || index >= kFrequencyClasses)
        return 0;
    return kLimits50Hz[size_t(index)] + (nominalFrequency == 60 ? k60HzOffset : 0);
}

uint64_t CStatisticSegment::CountFrequencyRange(double lowHz, double highHz,
                                                int nominalFrequency) const {
    if (std::isnan(lowHz) || std::isnan(highHz))
        return 0;
    const long long low = Hundredths(lowHz);
    const long long high = Hundredths(highHz);
    uint64_t count = 0;
    for (int i = 0; i < kFrequencyClasses; ++i) {
        const int limit = FrequencyClassLimit(i, nominalFrequency);
        if (limit >= low && limit <= high)
            count += Freq10sec[size_t(i)];
    }
    return count;
}

}  // namespace varelo
