#include "evaluation/CumulativeFrequency.h"

#include <algorithm>
#include <cmath>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "evaluation/EvaluationMath.h"
#include "evaluation/LimitValues.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr int kVoltageParameters[] = {11, 13, 12, 18, 1, 2};
constexpr int kCurrentParameters[] = {31, 32, 33, 37};
constexpr int kNeutralParameters[] = {41, 42, 43, 47};
constexpr int kOnce[] = {1, 2};  // one value per measurement: listed with L1 only

const SettingKey& ScaleModeKey(CumulativeView view) {
    return view == CumulativeView::kVoltage ? setting::Scalemode : setting::ScalemodeAmpere;
}

bool Offered(int channelId, const AvailabilityContext& availability) {
    CMeasurementChannel channel;
    return channel.SetupChannel(channelId) && channel.IsAvailable(availability);
}

void AddPhase(CumulativeView view, const CumulativeInput& in, int phase, std::vector<int>& ids) {
    const bool voltage = view == CumulativeView::kVoltage;
    const int orders = in.job.MeasFunc == kMeasFuncA ? 50 : 40;
    auto add = [&](int quantity) {
        // Only the harmonics have neutral channels; the neutral's other quantities exist once.
        const bool harmonic = quantity >= kCurrentHarmonicFirst && quantity <= kCurrentHarmonicLast;
        const int id = ChannelIdOf(phase == kNeutral && !harmonic ? 0 : phase, quantity);
        if (Offered(id, in.availability)) ids.push_back(id);
    };
    const int firstOrder = voltage ? kVoltageHarmonicFirst : kCurrentHarmonicFirst;
    for (int n = 0; n < orders; ++n)
        add(firstOrder + n);
    const int firstChannel = voltage ? kVoltageInterharmonicFirst : kCurrentInterharmonicFirst;
    for (int j = 0; j < std::clamp<int>(in.job.NrInterHarm, 0, 5); ++j)
        add(firstChannel + j);
    add(voltage ? 22 : (phase == kNeutral ? 50 : 40));
    if (voltage) {
        for (int q : kVoltageParameters) {
            const bool once = std::find(std::begin(kOnce), std::end(kOnce), q) != std::end(kOnce);
            if (!once || phase == 0) add(q);
        }
    } else if (phase == kNeutral) {
        for (int q : kNeutralParameters)
            add(q);
    } else {
        for (int q : kCurrentParameters)
            add(q);
    }
}

// The limit of a channel in its own unit; 0 where none applies. Voltages and the frequency take
// the upper end of their tolerance band, harmonics their order's limit (voltage harmonics in
// volts when shown absolute; current harmonic limits are amperes and apply only then).
double LimitOf(const CumulativeInput& in, int channelId) {
    const int q = channelId % 1000;
    const CLimitValues& l = in.limits;
    const double un = in.job.NomVoltRawVal * 0.01;
    const double voltageUnit = in.settings.voltageReference == kHarmonicsAbsolute ? un / 100 : 1.0;
    const bool currentAbsolute = in.settings.currentReference == kHarmonicsAbsolute;
    if (q >= kVoltageHarmonicFirst && q <= kVoltageHarmonicLast)
        return l.HarmonicLimit(q - kVoltageHarmonicFirst + 1) * voltageUnit;
    if (q >= kVoltageInterharmonicFirst && q <= kVoltageInterharmonicLast) {
        const int hz = ChannelFrequency(in.job, q - kVoltageInterharmonicFirst);
        return std::max(l.InterharmonicLimit(hz), l.SignallingLimit(hz)) * voltageUnit;
    }
    if (q >= kCurrentHarmonicFirst && q <= kCurrentHarmonicLast)
        return currentAbsolute ? l.CurrentHarmonicLimit(q - kCurrentHarmonicFirst + 1) : 0.0;
    switch (q) {
        case 22: return l.THD;
        case 40:
        case 50: return l.CurrTHD;
        case 18: return l.FlickPlt;
        case 1: return l.VoltUnbal;
        case 2: return JobNominalFrequency(in.job) * (100.0 + l.FplusTol95) / 100;
        case 11:
        case 12:
        case 13: return un * (100.0 + l.NplusTol95) / 100;
        default: return 0;
    }
}

void Extremes(const CIntervalList& intervals, const CMeasurementChannel& channel,
              const QuantitySettings& settings, CumulativeChannel& out,
              std::vector<double>& values) {
    values.clear();
    for (const CIntervalRecord& r : intervals) {
        const double v = channel.ChannelValue(r, intervals.Scaling(), settings);
        // Strict comparisons: a tie keeps the earliest interval.
        if (values.empty() || v < out.minimum) {
            out.minimum = v;
            out.minimumTime = r.DateTime;
        }
        if (values.empty() || v > out.maximum) {
            out.maximum = v;
            out.maximumTime = r.DateTime;
        }
        values.push_back(v);
    }
    out.hasValues = !values.empty();
}

struct Caption {
    int quantity;
    const char* text;
};

constexpr Caption kCaptions[] = {
    {11, "Voltage average value"},
    {13, "Voltage Min value"},
    {12, "Voltage Max value"},
    {18, "Flicker Plt"},
    {1, "Unbalance V"},
    {2, "frequency"},
    {31, "Phase current average value"},
    {32, "Phase current Max value"},
    {33, "Phase current peak value"},
    {37, "Phase current crest factor"},
    {41, "Neutral average value"},
    {42, "Neutral max value"},
    {43, "Neutral peak value"},
    {47, "Neutral crest factor"},
};

}  // namespace

std::string CumulativeCaption(int channelId, const CMeasurementJob& job) {
    const int q = channelId % 1000;
    for (const Caption& c : kCaptions) {
        if (c.quantity == q) return c.text;
    }
    if (q >= kVoltageInterharmonicFirst && q <= kVoltageInterharmonicLast)
        return job.HarmText[size_t(q - kVoltageInterharmonicFirst)];
    if (q >= kCurrentInterharmonicFirst && q <= kCurrentInterharmonicLast)
        return job.HarmText[size_t(q - kCurrentInterharmonicFirst)];
    CMeasurementChannel channel;
    if (!channel.SetupChannel(channelId)) return {};
    const std::string name = channel.QuantityName(job);
    const bool harmonic = (q >= kVoltageHarmonicFirst && q <= kVoltageHarmonicLast) ||
                          (q >= kCurrentHarmonicFirst && q <= kCurrentHarmonicLast);
    return harmonic ? name + " (relative), average value" : name;
}

CumulativeSettings CumulativeSettings::Read(Settings& settings, CumulativeView view) {
    CumulativeSettings s;
    s.scaleMode = settings.ReadInt(ScaleModeKey(view)) == 1 ? 1 : 0;
    const int upper = settings.ReadInt(setting::UpperClassLimit);
    if (upper >= 1 && upper <= 100) s.upperClassLimit = upper;
    const int lower = settings.ReadInt(setting::LowerClassLimit);
    if (lower >= 0 && lower <= s.upperClassLimit - 1) {
        s.lowerClassLimit = lower;
    } else if (s.upperClassLimit <= 5) {
        s.upperClassLimit = 95;  // the default lower limit needs room below the upper one
    }
    s.newPageForPhase = settings.ReadInt(setting::NewPageForPhase) == 1;
    return s;
}

void CumulativeSettings::WriteScaleMode(Settings& settings, CumulativeView view) const {
    settings.Write(ScaleModeKey(view), scaleMode);
}

void CumulativeSettings::WriteClassLimits(Settings& settings) const {
    settings.Write(setting::UpperClassLimit, upperClassLimit);
    settings.Write(setting::LowerClassLimit, lowerClassLimit);
}

void CumulativeSettings::WriteNewPageForPhase(Settings& settings) const {
    settings.Write(setting::NewPageForPhase, newPageForPhase ? 1 : 0);
}

std::vector<int> CumulativeChannelIds(CumulativeView view, const CumulativeInput& in) {
    std::vector<int> ids;
    for (int p = 0; p < 3; ++p) {
        if (in.presence.Has(p)) AddPhase(view, in, p, ids);
    }
    if (view == CumulativeView::kCurrent && in.availability.neutral)
        AddPhase(view, in, kNeutral, ids);
    return ids;
}

void ClassValues(std::vector<double>& values, int lowerClassLimit, int upperClassLimit,
                 double& lower, double& upper) {
    const long long n = static_cast<long long>(values.size());
    if (n == 0) return;
    auto rank = [n](int limit) {
        // Truncation toward zero: a negative intermediate becomes 0.
        const auto i = static_cast<long long>(double(n) * limit * 0.01 - 0.5);
        return std::clamp<long long>(i, 0, n - 1);
    };
    const long long lo = rank(lowerClassLimit), hi = rank(upperClassLimit);
    const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
    if (*smallest == *largest) {
        lower = upper = *smallest;
        return;
    }
    // Only the two ranks are needed, not the whole order.
    std::nth_element(values.begin(), values.begin() + lo, values.end());
    lower = values[size_t(lo)];
    if (hi > lo) std::nth_element(values.begin() + lo + 1, values.begin() + hi, values.end());
    upper = values[size_t(hi)];
}

std::vector<CumulativeChannel> ComputeCumulativeFrequency(CumulativeView view,
                                                          const CumulativeInput& in,
                                                          int lowerClassLimit,
                                                          int upperClassLimit) {
    std::vector<CumulativeChannel> channels;
    std::vector<double> values;
    values.reserve(in.intervals.size());
    for (int id : CumulativeChannelIds(view, in)) {
        CMeasurementChannel channel;
        channel.SetupChannel(id);
        channel.plt = in.plt;
        CumulativeChannel c;
        c.channelId = id;
        c.limit = LimitOf(in, id);
        c.nominal = in.nominalValue ? in.nominalValue(id) : 0.0;
        Extremes(in.intervals, channel, in.settings, c, values);
        ClassValues(values, lowerClassLimit, upperClassLimit, c.lower, c.upper);
        channels.push_back(c);
    }
    return channels;
}

}  // namespace varelo
