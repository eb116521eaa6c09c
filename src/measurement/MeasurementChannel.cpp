#include "measurement/MeasurementChannel.h"

#include "app/StringTable.h"
#include "measurement/IntervalRecord.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

constexpr int kVoltageHarmonicName = 333;        // "V h"
constexpr int kCurrentHarmonicName = 905;        // "I h"
constexpr int kVoltageInterharmonicName = 1524;  // "V %s Hz"
constexpr int kCurrentInterharmonicName = 1523;  // "I %s Hz"

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}
bool IsVoltageHarmonic(int id) {
    return InRange(id, kVoltageHarmonicFirst, kVoltageHarmonicLast) ||
           InRange(id, kVoltageInterharmonicFirst, kVoltageInterharmonicLast);
}
bool IsCurrentHarmonic(int id) {
    return InRange(id, kCurrentHarmonicFirst, kCurrentHarmonicLast) ||
           InRange(id, kCurrentInterharmonicFirst, kCurrentInterharmonicLast);
}

// Indexed by label style, set - 1 and phase index.
const char* const kLabels[2][3][4] = {
    {{"L1", "L2", "L3", "N"}, {"L1L2", "L2L3", "L3L1", "N"}, {"L1L2", "L2", "L3L2", "N"}},
    {{"A", "B", "C", "N"}, {"AB", "BC", "CA", "N"}, {"AB", "B", "CB", "N"}},
};

}  // namespace

std::string PhaseLabel(int labelSet, int phaseIndex, PhaseLabels labels) {
    if (labelSet < 1 || labelSet > 3 || phaseIndex < 0 || phaseIndex > 3) return {};
    return kLabels[labels == PhaseLabels::ABC ? 1 : 0][labelSet - 1][phaseIndex];
}

bool CMeasurementChannel::SetupChannel(int channelId) {
    if (channelId <= 0) return false;
    const bool bare = channelId < 1000;
    const int phase = bare ? 0 : channelId / 1000 - 1;
    const int quantity = channelId % 1000;
    const QuantityValueFn value = ValueFunctionOf(quantity);
    // N exists for the current harmonics only.
    if (!value || phase > kNeutral || (phase == kNeutral && !IsCurrentHarmonic(quantity)))
        return false;

    channelId_ = channelId;
    phase_ = phase;
    quantity_ = quantity;
    bare_ = bare;
    value_ = value;
    const QuantityRow* row = FindQuantity(quantity);
    single_ = row && row->single;
    harmonic_ = -1;
    if (InRange(quantity, kCurrentHarmonicFirst, kCurrentHarmonicLast))
        harmonic_ = quantity - (kCurrentHarmonicFirst - 1);
    else if (InRange(quantity, kCurrentInterharmonicFirst, kCurrentInterharmonicLast))
        harmonic_ = quantity - kCurrentInterharmonicFirst;
    else if (InRange(quantity, kVoltageHarmonicFirst, kVoltageHarmonicLast))
        harmonic_ = quantity - (kVoltageHarmonicFirst - 1);
    else if (InRange(quantity, kVoltageInterharmonicFirst, kVoltageInterharmonicLast))
        harmonic_ = quantity - kVoltageInterharmonicFirst;

    if (IsVoltageHarmonic(quantity))
        kind_ = kVoltageHarmonic;
    else if (IsCurrentHarmonic(quantity))
        kind_ = kCurrentHarmonic;
    else if (quantity == 21 || quantity == 22)
        kind_ = kVoltageThd;
    else if (quantity == 39 || quantity == 40 || quantity == 49 || quantity == 50)
        kind_ = kCurrentThd;
    else
        kind_ = kPlain;
    return true;
}

double CMeasurementChannel::ChannelValue(const CIntervalRecord& record,
                                         const CRawScaling& scaling) const {
    return ChannelValue(record, scaling, QuantitySettings::Current());
}

double CMeasurementChannel::ChannelValue(const CIntervalRecord& record, const CRawScaling& scaling,
                                         const QuantitySettings& settings) const {
    if (!value_) return 0;
    const int seconds = fixedIntervalSeconds > 0 ? fixedIntervalSeconds : scaling.IntervalSeconds;
    const QuantityArgs args{record, scaling, phase_,   harmonic_, relative,
                            watts,  seconds, settings, &plt};
    return value_(args);
}

int CMeasurementChannel::LabelSet(const CMeasurementJob& job) const {
    const bool phaseToPhase = job.IsPhaseToPhase();
    if (IsVoltageHarmonic(quantity_)) return phaseToPhase ? 2 : 1;
    if (IsCurrentHarmonic(quantity_)) return 1;
    const QuantityRow* row = FindQuantity(quantity_);
    if (!row || row->single) return 0;
    if (phaseToPhase) return row->group;
    return quantity_ == 102 ? 2 : 1;
}

std::string CMeasurementChannel::ChannelName(const CMeasurementJob& job) const {
    return ChannelName(job, AppOptions::Instance().PhaseLabeling());
}

std::string CMeasurementChannel::ChannelName(const CMeasurementJob& job, PhaseLabels labels) const {
    const std::string name = QuantityName(job);
    if (name.empty()) return name;
    const std::string label = PhaseLabel(LabelSet(job), phase_, labels);
    return label.empty() ? name : name + " " + label;
}

std::string CMeasurementChannel::QuantityName(const CMeasurementJob& job) const {
    if (!value_) return {};
    const auto interharmonicFrequency = [&] {
        const double hz = job.HarmOrder[size_t(harmonic_)] * 0.01 * job.PowSysNomFreq;
        return FormatPrintf("%.1f", {hz});
    };
    if (InRange(quantity_, kVoltageHarmonicFirst, kVoltageHarmonicLast))
        return Str(kVoltageHarmonicName) + std::to_string(harmonic_);
    if (InRange(quantity_, kCurrentHarmonicFirst, kCurrentHarmonicLast))
        return Str(kCurrentHarmonicName) + std::to_string(harmonic_);
    if (InRange(quantity_, kVoltageInterharmonicFirst, kVoltageInterharmonicLast))
        return FormatPrintf(Str(kVoltageInterharmonicName), {interharmonicFrequency()});
    if (InRange(quantity_, kCurrentInterharmonicFirst, kCurrentInterharmonicLast))
        return FormatPrintf(Str(kCurrentInterharmonicName), {interharmonicFrequency()});
    return Str(FindQuantity(quantity_)->nameId);
}

bool CMeasurementChannel::IsAvailable(const AvailabilityContext& context) const {
    if (!value_ || !varelo::IsAvailable(quantity_, context)) return false;
    if (single_) return phase_ == 0;
    if (bare_) return false;
    if (phase_ == kNeutral) return context.neutral;
    return context.phases[size_t(phase_)];
}

}  // namespace varelo
