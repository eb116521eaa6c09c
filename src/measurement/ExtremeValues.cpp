#include "measurement/ExtremeValues.h"

#include <algorithm>
#include <array>

#include "measurement/IntervalList.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/QuantityValues.h"

namespace varelo {

namespace {

// The harmonic orders of one conductor, voltage or current, in one reference: computed for all
// orders together once per interval, then handed to each channel of the family.
struct HarmonicFamily {
    bool voltage = false;
    int phase = 0;
    bool relative = true;
    std::vector<std::pair<size_t, int>> members;  // slot of the channel, its order

    bool Holds(bool v, int p, bool r) const { return voltage == v && phase == p && relative == r; }
};

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

void Update(ExtremeValue& e, double v, const CTimeStamp& time) {
    if (v < e.minimum) {
        e.minimum = v;
        e.minimumTime = time;
    }
    if (v > e.maximum) {
        e.maximum = v;
        e.maximumTime = time;
    }
}

}  // namespace

void ExtremeValueTable::Compute(const CIntervalList& intervals,
                                const std::vector<CMeasurementChannel>& channels) {
    values_.clear();
    if (intervals.empty() || channels.empty()) return;
    const QuantitySettings settings = QuantitySettings::Current();
    const CRawScaling& scaling = intervals.Scaling();

    std::vector<HarmonicFamily> families;
    std::vector<size_t> others;
    for (size_t c = 0; c < channels.size(); ++c) {
        const int q = channels[c].QuantityId();
        const bool v = InRange(q, kVoltageHarmonicFirst, kVoltageHarmonicLast);
        if (!v && !InRange(q, kCurrentHarmonicFirst, kCurrentHarmonicLast)) {
            others.push_back(c);
            continue;
        }
        const int phase = channels[c].PhaseIndex();
        const bool relative = channels[c].relative;
        auto family = std::find_if(families.begin(), families.end(),
                                   [&](const auto& f) { return f.Holds(v, phase, relative); });
        if (family == families.end())
            family = families.insert(families.end(), HarmonicFamily{v, phase, relative, {}});
        family->members.push_back({c, channels[c].HarmonicIndex()});
    }

    // Record by record, every channel at once: a year of records is read from memory once
    // instead of once per channel.
    std::array<double, kHarmonicOrders> orders{};
    auto visit = [&](const CIntervalRecord& record, auto&& take) {
        for (const HarmonicFamily& f : families) {
            if (f.voltage)
                VoltageHarmonics(record, scaling, f.phase,
                                 VoltageHarmonicReference(f.relative, settings), orders);
            else
                CurrentHarmonics(record, scaling, f.phase, f.relative, settings.currentReference,
                                 orders);
            for (auto [c, order] : f.members)
                take(c, orders[size_t(order - 1)]);
        }
        for (size_t c : others)
            take(c, channels[c].ChannelValue(record, scaling, settings));
    };
    std::vector<ExtremeValue> extremes(channels.size());
    auto record = intervals.begin();
    visit(*record, [&](size_t c, double v) {
        extremes[c] = {v, record->DateTime, v, record->DateTime};
    });
    for (++record; record != intervals.end(); ++record) {
        // Strict comparisons: a tie keeps the earliest interval.
        visit(*record, [&](size_t c, double v) { Update(extremes[c], v, record->DateTime); });
    }
    for (size_t c = 0; c < channels.size(); ++c)
        values_[channels[c].ChannelId()] = extremes[c];
}

const ExtremeValue* ExtremeValueTable::Find(int channelId) const {
    auto it = values_.find(channelId);
    return it == values_.end() ? nullptr : &it->second;
}

}  // namespace varelo
