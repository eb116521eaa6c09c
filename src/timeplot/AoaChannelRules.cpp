#include "timeplot/AoaChannelRules.h"

#include <algorithm>
#include <cmath>

#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"
#include "timeplot/ChannelSelection.h"
#include "timeplot/NiceScale.h"

namespace varelo {

namespace {

constexpr int kInterharmonicOfDefinition = 400;
constexpr double kOrderTolerance = 0.0005;

enum ScalingType : uint8_t {
    kMinimal = 1,
    kMaximal = 2,
    kNominal = 3,
    kRangeBegin = 4,
    kRangeEnd = 5,
    kValue = 6,
};

bool IsSingle(int quantity) {
    const QuantityRow* row = FindQuantity(quantity);
    return row && row->single;
}

// One end of a range: a reference of the channel, changed by p percent when p is not 0.
double RangeEnd(uint8_t type, float value, bool upper, int channelId,
                const AoaRangeSources& sources) {
    double result = 0;
    switch (type) {
        case kMinimal:
        case kMaximal: {
            double minimum = 0, maximum = 0;
            if (sources.extremes && sources.extremes(channelId, minimum, maximum))
                result = type == kMinimal ? minimum : maximum;
            break;
        }
        case kNominal: result = sources.nominal ? sources.nominal(channelId) : 0; break;
        case kRangeBegin:
        case kRangeEnd: {
            double begin = 0, end = 0;
            if (sources.measuringRange) sources.measuringRange(channelId, begin, end);
            result = type == kRangeBegin ? begin : end;
            break;
        }
        case kValue: return value;
        default: return upper ? 1 : 0;
    }
    if (value != 0) result *= 1 + double(value) / 100;
    return result;
}

}  // namespace

bool AoaModeFits(uint8_t phaseMode, int phaseChoice) {
    if (phaseChoice >= 1 && phaseChoice <= 3) return phaseMode == CAOAApplication::kOne;
    if (phaseChoice == kAoaPhaseMixed) return phaseMode == CAOAApplication::kMixed;
    return phaseMode == CAOAApplication::kAll;
}

std::vector<int> AoaApplicationsFor(const CAOAAppGroup& group, int phaseChoice) {
    std::vector<int> indexes;
    for (size_t i = 0; i < group.Applications.size(); ++i) {
        if (AoaModeFits(group.Applications[i].Mode, phaseChoice)) indexes.push_back(int(i));
    }
    return indexes;
}

int AoaInterharmonicQuantity(const CAOAChannelInfo& channel, const CMeasurementJob& job) {
    const bool relative = channel.FreqMeasurement == 1;
    const int count = std::clamp(int(job.NrInterHarm), 0, kInterharmonicCount);
    for (int i = 0; i < count; ++i) {
        const size_t j = size_t(i);
        if (job.HarmMeasPrinciple[j] != channel.MeasPrinciple) continue;
        const double order = job.HarmOrder[j] * 0.01;
        const bool match =
            relative ? job.HarmFreqSync[j] == 1 &&
                           std::fabs(order - double(channel.FreqOrOrder)) <= kOrderTolerance
                     : job.HarmFreqSync[j] == 0 && std::trunc(order * job.PowSysNomFreq) ==
                                                       std::round(double(channel.FreqOrOrder));
        if (match) return kVoltageInterharmonicFirst + i;
    }
    return 0;
}

std::vector<AoaCurve> AoaCurves(const CAOAApplication& application, int phaseChoice,
                                const CMeasurementJob& job,
                                const AvailabilityContext& availability) {
    const std::vector<int> offered = OfferedQuantities(availability, job);
    std::vector<AoaCurve> curves;
    auto add = [&](int channelId, const CAOAChannelInfo& info) {
        if (curves.size() >= size_t(kMaxCurves)) return;
        if (std::any_of(curves.begin(), curves.end(),
                        [&](const AoaCurve& c) { return c.channelId == channelId; }))
            return;
        // A phase the measurement did not record would draw a flat line of nothing.
        CMeasurementChannel channel;
        if (!channel.SetupChannel(channelId) || !channel.IsAvailable(availability)) return;
        curves.push_back({channelId, info});
    };
    for (const CAOAChannelInfo& info : application.Channels) {
        if (curves.size() >= size_t(kMaxCurves)) break;
        int quantity = info.Quantity;
        if (quantity == kInterharmonicOfDefinition) {
            quantity = AoaInterharmonicQuantity(info, job);
            if (quantity == 0) continue;
        }
        if (std::find(offered.begin(), offered.end(), quantity) == offered.end()) continue;
        if (IsSingle(quantity)) {
            add(quantity, info);
        } else if (phaseChoice >= 1 && phaseChoice <= 3) {
            add(ChannelIdOf(phaseChoice - 1, quantity), info);
        } else if (phaseChoice == kAoaPhaseMixed) {
            // A channel without a phase of its own stands for L1, as the editor shows it.
            const int phase = info.Phase >= 1 && info.Phase <= 3 ? info.Phase : 1;
            add(ChannelIdOf(phase - 1, quantity), info);
        } else {
            for (int phase = 0; phase < 3; ++phase)
                add(ChannelIdOf(phase, quantity), info);
        }
    }
    return curves;
}

YRange AoaRange(const AoaCurve& curve, const AoaRangeSources& sources) {
    const CAOAChannelInfo& info = curve.info;
    double lower = RangeEnd(info.BeginType, info.BeginValue, false, curve.channelId, sources);
    double upper = RangeEnd(info.EndType, info.EndValue, true, curve.channelId, sources);
    const bool limited = IsRangeLimited(curve.channelId % 1000);
    if (limited) {
        // The diagram keeps folded values. The measuring range is given as drawn already (its
        // -1 .. 1 is the whole folded scale); every other end is a value and is folded, which
        // reverses the order of positive values.
        auto drawn = [&](uint8_t type, double end) {
            const bool measuringRange = type == kRangeBegin || type == kRangeEnd;
            return measuringRange ? std::clamp(end, -1.0, 1.0) : FoldEntered(end);
        };
        const double a = drawn(info.BeginType, lower), b = drawn(info.EndType, upper);
        lower = std::min(a, b);
        upper = std::max(a, b);
    }
    YRange range{lower, upper};
    if (info.Rounding != 0) {
        double begin = 0, end = 0;
        if (sources.measuringRange) sources.measuringRange(curve.channelId, begin, end);
        const ScaleRange rounded = NiceScale(range.bottom, range.top, begin, limited);
        range = {rounded.minimum, rounded.maximum};
    }
    return range;
}

}  // namespace varelo
