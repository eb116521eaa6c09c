#include "evaluation/LimitEditor/VseModel.h"

#include <cmath>

#include "app/StringTable.h"

namespace varelo {

namespace {

constexpr int kFirstOrder = 2;
constexpr int kLastOrder = 50;

}  // namespace

float CVseModel::StandardParameter(int order) {
    switch (order) {
        case 1: return 0;
        case 3: return 6;
        case 5: return 15;
        case 7: return 10;
        case 11: return 5;
        case 13: return 4;
        case 17: return 2;
        case 19: return 1.5f;
        default: return order >= kFirstOrder && order <= kLastOrder ? 1.0f : 0.0f;
    }
}

CVseModel::CVseModel(const VseInputs& inputs) : inputs_(inputs) {
    bool allZero = true;
    for (float p : inputs.parameters)
        allZero = allZero && p == 0;
    for (int n = kFirstOrder; n <= kLastOrder; ++n)
        parameters_.push_back(
            {n, allZero ? StandardParameter(n) : inputs.parameters[size_t(n - 1)]});
}

std::string CVseModel::FieldText(Field field) const {
    switch (field) {
        case kRatedCurrent: return FormatFixed2(inputs_.ratedCurrent);
        case kRatedPower: return FormatFixed2(inputs_.ratedPower);
        case kShortCircuitPower: return FormatFixed2(inputs_.shortCircuitPower);
        default: return {};
    }
}

void CVseModel::Standard() {
    for (LimitItem& item : parameters_)
        item.value = StandardParameter(item.key);
}

LimitCheck CVseModel::Set(const std::string& order, const std::string& value, int& row) {
    long long n = 0;
    if (!ParseInteger(order, n) || n < kFirstOrder || n > kLastOrder)
        return {171, Msg(171, {std::to_string(kFirstOrder), std::to_string(kLastOrder)}), kOrder};
    double v = 0;
    if (!ParseDecimal(value, v)) v = 0;
    v = std::max(RoundTo2(v), 0.0);
    row = int(n) - kFirstOrder;
    parameters_[size_t(row)].value = float(v);
    return {};
}

LimitCheck CVseModel::Accept(const std::string& ratedCurrent, const std::string& ratedPower,
                             const std::string& shortCircuitPower) {
    const std::string* texts[3] = {&ratedCurrent, &ratedPower, &shortCircuitPower};
    double values[3] = {};
    for (int i = 0; i < 3; ++i) {
        double v = 0;
        if (!ParseDecimal(*texts[i], v)) v = 0;
        values[i] = RoundTo2(v);
        if (!(values[i] > 0)) return {1378, Msg(1378, {kLabels[i], "0.0"}), i};
    }
    inputs_.ratedCurrent = float(values[0]);
    inputs_.ratedPower = float(values[1]);
    inputs_.shortCircuitPower = float(values[2]);
    inputs_.parameters.fill(0);
    for (const LimitItem& item : parameters_)
        inputs_.parameters[size_t(item.key - 1)] = item.value;
    return {};
}

double CVseModel::K() const {
    if (!(inputs_.ratedPower > 0)) return 0;
    return std::sqrt(double(inputs_.shortCircuitPower) / inputs_.ratedPower) *
           inputs_.ratedCurrent * 0.001;
}

double CVseModel::Thd() const {
    if (!(inputs_.ratedPower > 0)) return 0;
    return 2 * std::sqrt(double(inputs_.shortCircuitPower) / inputs_.ratedPower);
}

}  // namespace varelo
