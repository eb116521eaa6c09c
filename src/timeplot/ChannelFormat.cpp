#include "timeplot/ChannelFormat.h"

#include <algorithm>
#include <initializer_list>

#include "app/AppOptions.h"
#include "measurement/MeasurementJob.h"
#include "measurement/QuantityCatalogue.h"
#include "timeplot/ReferenceRanges.h"

namespace varelo {

namespace {

bool In(int q, std::initializer_list<int> list) {
    return std::find(list.begin(), list.end(), q) != list.end();
}
bool Between(int q, int first, int last) {
    return q >= first && q <= last;
}

bool VoltageHarmonic(int q) {
    return Between(q, kVoltageHarmonicFirst, kVoltageHarmonicLast) ||
           Between(q, kVoltageInterharmonicFirst, kVoltageInterharmonicLast);
}
bool CurrentHarmonic(int q) {
    return Between(q, kCurrentHarmonicFirst, kCurrentHarmonicLast) ||
           Between(q, kCurrentInterharmonicFirst, kCurrentInterharmonicLast);
}

const std::initializer_list<int> kVoltages = {11, 12, 13, 20, 90, 91, 95, 102};
const std::initializer_list<int> kCurrents = {31, 32, 33, 38, 41, 42, 43, 48, 92, 93, 94, 109};
const std::initializer_list<int> kPhasePowers = {60, 61, 62, 66, 67, 68,  72,  73,  74, 78,
                                                 79, 80, 88, 96, 97, 103, 104, 105, 106};
const std::initializer_list<int> kTotalPowers = {63, 64, 65, 69, 70, 71, 75, 76,
                                                 77, 81, 82, 83, 89, 99, 100};

int CurrentDecimals(double v) {
    return v < 80 ? 3 : v < 500 ? 2 : 1;
}

// Powers get more decimals the smaller the power of the phase's full scale.
int PowerDecimals(const CMeasurementJob& job, double v, double threshold) {
    const double ratio = job.PhCurrSecondaryRawVal != 0
                             ? (job.PhCurrPrimaryRawVal * 0.01) / (job.PhCurrSecondaryRawVal * 0.01)
                             : 0.0;
    const double scale = ratio * job.PhCurrClampRawVal * job.NomVoltRawVal * 0.0001;
    if (scale <= 0 || 17600 / scale >= 10) return 4;
    return v < threshold ? 3 : 2;
}

}  // namespace

std::string ChannelUnit(int channelId, const QuantitySettings& settings, bool watts) {
    const int q = channelId % 1000;
    const std::string kilo = watts ? "" : "k";
    if (VoltageHarmonic(q)) return settings.voltageReference == kHarmonicsAbsolute ? "V" : "%";
    if (CurrentHarmonic(q)) return settings.currentReference == kHarmonicsAbsolute ? "A" : "%";
    if (In(q, kVoltages)) return "V";
    if (In(q, kCurrents)) return "A";
    if (q == 2) return "Hz";
    if (In(q, {1, 21, 22, 39, 40, 49, 50, 110, 111, 112})) return "%";
    if (Between(q, 60, 65)) return kilo + "VA";
    if (Between(q, 66, 77) || q == 103 || q == 105) return kilo + "W";
    if (Between(q, 78, 83) || q == 104 || q == 106 || Between(q, 96, 100)) return kilo + "var";
    if (q == 88 || q == 89) return kilo + "Wh";
    return "";  // flicker, crest factors, power factors, tan
}

int ChannelDecimals(int channelId, const ReferenceInputs& in) {
    double begin = 0, end = 0;
    MeasuringRange(in, channelId, begin, end);
    return ChannelDecimals(channelId, in.job, end);
}

int ValueDecimals(int channelId, const ReferenceInputs& in) {
    const int decimals = ChannelDecimals(channelId, in);
    const int q = channelId % 1000;
    const bool fundamental = q == kVoltageHarmonicFirst || q == kCurrentHarmonicFirst;
    return (VoltageHarmonic(q) || CurrentHarmonic(q)) && !fundamental ? std::max(decimals, 2)
                                                                      : decimals;
}

int ChannelDecimals(int channelId, const CMeasurementJob& job, double v) {
    const int q = channelId % 1000;
    if (q == kVoltageHarmonicFirst || In(q, kVoltages)) return v < 1000 ? 2 : 0;
    if (q == kCurrentHarmonicFirst || In(q, kCurrents)) return CurrentDecimals(v);
    if (In(q, {17, 18, 84, 85, 86, 87, 107, 108})) return 3;
    if (In(q, kPhasePowers)) return PowerDecimals(job, v, 58.8235294117647);
    if (In(q, kTotalPowers)) return PowerDecimals(job, v, 176.4705882352941);
    if (VoltageHarmonic(q) || CurrentHarmonic(q)) {
        if (v == 0) return 2;
        return v < 1 ? 3 : v < 10 ? 2 : v < 100 ? 1 : 0;
    }
    return 2;
}

}  // namespace varelo
