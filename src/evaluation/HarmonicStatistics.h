#pragma once

#include <array>
#include <vector>

#include "evaluation/PhasePresence.h"
#include "evaluation/RelativeHistogram.h"

namespace varelo {

class CIntervalRecord;
class CLimitValues;
class CMeasurementJob;
class CRawScaling;

// The result of a worst-order search: order 2-50, 0 for THD, -1 when nothing has a limit.
// Values are in the units of the winning object (raw harmonic units, or % for THD).
struct WorstOrderResult {
    int order = -1;
    double ratio = 0;  // x % value / limit
    double percentValue = 0;
    double maximum = 0;
    double limit = 0;
};

// Voltage or current harmonics of orders 1 to 50, for voltages also the job's five
// interharmonic channels, each a relative histogram of raw values over the present phases.
class CHarmonicStatistics {
public:
    enum class Kind { kVoltage, kCurrent };
    static constexpr int kOrders = 50;
    static constexpr int kChannels = 5;

    CHarmonicStatistics(Kind kind, PhasePresence presence);

    Kind GetKind() const { return kind_; }
    // First pass (newest first) and second pass (oldest first) of one interval.
    void AddTop(const CIntervalRecord& record);
    void AddClass(const CIntervalRecord& record);
    // Limits in raw units: voltages by HarmPercentScale, currents by CurrH1Scale; a scale of 0
    // leaves every order without limit.
    void SetLimits(const CLimitValues& limits, const CMeasurementJob& job,
                   const CRawScaling& scaling);

    const CRelativeHistogram& Order(int order) const { return orders_[size_t(order - 1)]; }
    int ChannelCount() const { return int(channels_.size()); }
    const CRelativeHistogram& Channel(int channel) const { return channels_[size_t(channel)]; }

    // Among orders 2 to 50 with a limit: the largest x % value / limit, then the larger
    // maximum, then the lower order.
    WorstOrderResult WorstOrder(int phase, double x) const;

private:
    // Value of one order of one phase in an interval; a current harmonic without fundamental
    // current counts as 0.
    int Value(const CIntervalRecord& record, int phase, int order) const;

    Kind kind_;
    PhasePresence presence_;
    std::array<CRelativeHistogram, kOrders> orders_;
    std::vector<CRelativeHistogram> channels_;
};

// The five largest values of all present phases merged, equal values in phase order.
std::vector<TopFiveEntry> MergedTopFive(const CRelativeHistogram& histogram,
                                        PhasePresence presence);

}  // namespace varelo
