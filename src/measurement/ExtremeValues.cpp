#include "measurement/ExtremeValues.h"

#include "measurement/IntervalList.h"
#include "measurement/MeasurementChannel.h"

namespace varelo {

void ExtremeValueTable::Compute(const CIntervalList& intervals,
                                const std::vector<CMeasurementChannel>& channels) {
    values_.clear();
    if (intervals.empty()) return;
    const QuantitySettings settings = QuantitySettings::Current();
    for (const CMeasurementChannel& channel : channels) {
        ExtremeValue extreme;
        bool first = true;
        for (const CIntervalRecord& record : intervals) {
            double v = channel.ChannelValue(record, intervals.Scaling(), settings);
            if (first || v < extreme.minimum) {
                extreme.minimum = v;
                extreme.minimumTime = record.DateTime;
            }
            if (first || v > extreme.maximum) {
                extreme.maximum = v;
                extreme.maximumTime = record.DateTime;
            }
            first = false;
        }
        values_[channel.ChannelId()] = extreme;
    }
}

const ExtremeValue* ExtremeValueTable::Find(int channelId) const {
    auto it = values_.find(channelId);
    return it == values_.end() ? nullptr : &it->second;
}

}  // namespace varelo
