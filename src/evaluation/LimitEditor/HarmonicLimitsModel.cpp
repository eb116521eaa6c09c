#include "evaluation/LimitEditor/HarmonicLimitsModel.h"

#include <cmath>

#include "app/StringTable.h"
#include "evaluation/LimitValues.h"

namespace varelo {

CHarmonicLimitsModel::CHarmonicLimitsModel(Mode mode, const CLimitValues& limits, bool changed)
    : mode_(mode) {
    const bool voltage = mode == Mode::Voltage;
    CLimitValues defaults;
    if (voltage) defaults.SetDefaults(limits.NominalFrequency());
    thd_ = voltage ? limits.THD : limits.CurrTHD;
    vse_ = {limits.RatedCurrent, limits.RatedPower, limits.ShortCircuitPower, limits.ParameterN};
    for (int n = kFirstOrder; n <= kLastOrder; ++n) {
        const float value = voltage ? limits.HarmonicLimit(n) : limits.CurrHarm[size_t(n - 1)];
        if (value > 0) {
            lists_.Right().push_back({n, value});
            continue;
        }
        const float offered =
            !changed ? (voltage ? defaults.HarmonicLimit(n) : DefaultCurrentHarmonicLimit(n))
                     : std::fabs(value);
        lists_.Left().push_back({n, offered});
    }
}

LimitCheck CHarmonicLimitsModel::Set(const std::string& order, const std::string& value) {
    long long n = 0;
    if (!ParseInteger(order, n) || n < kFirstOrder || n > kLastOrder)
        return {171, Msg(171, {std::to_string(kFirstOrder), std::to_string(kLastOrder)}), kOrder};
    double v = 0;
    const bool number = ParseDecimal(value, v);
    v = RoundTo2(v);
    if (!number || (mode_ == Mode::Voltage && (v < 0 || v > 100)))
        return {166, Msg(166, {"0", "100"}), kValue};
    lists_.SetSelected({int(n), float(v)});
    return {};
}

LimitCheck CHarmonicLimitsModel::Accept(const std::string& thd) {
    double v = 0;
    if (!ParseDecimal(thd, v)) return {166, Msg(166, {"0", "100"}), kThd};
    thd_ = float(RoundTo2(v));
    limits_.fill(0);
    for (const LimitItem& item : lists_.Right())
        limits_[size_t(item.key - kFirstOrder)] = item.value;
    // A 0 stays 0: a negated 0 would be written as "-0".
    for (const LimitItem& item : lists_.Left())
        limits_[size_t(item.key - kFirstOrder)] = item.value > 0 ? -item.value : 0.0f;
    return {};
}

void CHarmonicLimitsModel::TakeVse(const CVseModel& vse) {
    vse_ = vse.Inputs();
    const double k = vse.K();
    auto recompute = [&](std::vector<LimitItem>& list) {
        for (LimitItem& item : list)
            item.value = float(RoundTo2(vse_.parameters[size_t(item.key - 1)] * k));
    };
    recompute(lists_.Left());
    recompute(lists_.Right());
    thd_ = float(RoundTo2(vse.Thd()));
}

}  // namespace varelo
