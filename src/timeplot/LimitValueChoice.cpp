#include "timeplot/LimitValueChoice.h"

#include <cstdio>

#include "evaluation/LimitValues.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"
#include "timeplot/ChannelFormat.h"
#include "timeplot/ReferenceRanges.h"

namespace varelo {

namespace {

// A tolerance in percent without trailing zeros: "10", "0.5".
std::string Tolerance(double percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", percent);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string BandText(int quantity, int band, const CLimitValues& l) {
    const bool frequency = quantity == 2;
    const char* label = band == 1 ? "[100%] " : frequency ? "[99.5%] " : "[95%]   ";
    double plus = 0, minus = 0;
    if (frequency) {
        plus = band == 1 ? l.FplusTol100 : l.FplusTol95;
        minus = band == 1 ? l.FminusTol100 : l.FminusTol95;
    } else {
        plus = band == 1 ? l.NplusTol100 : l.NplusTol95;
        minus = band == 1 ? l.NminusTol100 : l.NminusTol95;
    }
    return std::string(label) + "+" + Tolerance(plus) + "/ -" + Tolerance(minus) + " %";
}

std::string ValueText(double value, const std::string& unit, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return unit.empty() ? text : std::string(text) + " " + unit;
}

}  // namespace

LimitValueChoice::LimitValueChoice(const std::vector<int>& curves, const LimitLineInputs& in,
                                   PhaseLabels labels, int currentCurve, int currentBand) {
    for (int curve = 0; curve < int(curves.size()); ++curve) {
        const int channelId = curves[size_t(curve)];
        CMeasurementChannel channel;
        if (!channel.SetupChannel(channelId)) continue;
        const std::string name = channel.ChannelName(in.job, labels) + "\t";
        const int q = channelId % 1000;
        if (LimitLine::IsBanded(q)) {
            for (int band = 0; band < 2; ++band) {
                if (LimitLine::For(channelId, band, in).defined)
                    entries_.push_back({curve, band, name + BandText(q, band, in.limits)});
            }
            continue;
        }
        const LimitLine line = LimitLine::For(channelId, 0, in);
        if (!line.defined) continue;
        // The current harmonics' limits read with two decimals whatever their range.
        const bool currentHarmonic = q >= kCurrentHarmonicFirst && q <= kCurrentHarmonicLast;
        const int decimals =
            currentHarmonic
                ? 2
                : ChannelDecimals(channelId, ReferenceInputs{in.job, in.settings.voltageReference,
                                                             in.settings.currentReference});
        entries_.push_back(
            {curve, 0,
             name + ValueText(line.upper, ChannelUnit(channelId, in.settings), decimals)});
    }
    selection_ = entries_.empty() ? -1 : 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        // A curve with a single limit has one entry, whatever band was kept.
        const bool banded = LimitLine::IsBanded(curves[size_t(e.curve)] % 1000);
        if (e.curve == currentCurve && (e.band == currentBand || !banded)) {
            selection_ = int(i);
            break;
        }
    }
}

void LimitValueChoice::Select(int index) {
    selection_ = index >= 0 && index < int(entries_.size()) ? index : -1;
}

}  // namespace varelo
