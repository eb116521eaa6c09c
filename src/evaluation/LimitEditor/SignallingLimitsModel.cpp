#include "evaluation/LimitEditor/SignallingLimitsModel.h"

#include "app/StringTable.h"
#include "evaluation/LimitValues.h"

namespace varelo {

CSignallingLimitsModel::CSignallingLimitsModel(const CLimitValues& limits) {
    CLimitValues defaults;
    defaults.SetDefaults(50);  // the curve does not depend on the nominal frequency
    for (int f = kLowest; f <= kHighest; f += 5) {
        const float value = limits.SignallingLimit(f);
        if (value > 0)
            lists_.Right().push_back({f, value});
        else
            lists_.Left().push_back({f, defaults.SignallingLimit(f)});
    }
}

LimitCheck CSignallingLimitsModel::Set(std::string& frequency, const std::string& value) {
    long long f = 0;
    double typed = 0;
    // A decimal frequency is rounded down like the rest.
    if (!ParseInteger(frequency, f) && ParseDecimal(frequency, typed))
        f = (long long)typed;
    else if (!ParseInteger(frequency, f))
        f = -1;
    if (f >= 0) {
        f -= f % 5;
        frequency = std::to_string(f);
    }
    if (f < kLowest || f > kHighest)
        return {164, Msg(164, {std::to_string(kLowest), std::to_string(kHighest)}), kFrequency};
    double v = 0;
    const bool number = ParseDecimal(value, v);
    v = RoundTo2(v);
    if (!number || v < 0 || v > 100) return {166, Msg(166, {"0", "100"}), kValue};
    lists_.SetSelected({int(f), float(v)});
    return {};
}

std::array<float, 600> CSignallingLimitsModel::Limits() const {
    CLimitValues result;
    for (const LimitItem& item : lists_.Right())
        result.SetSignallingLimit(item.key, item.value);
    return result.SignallingVolt;
}

}  // namespace varelo
