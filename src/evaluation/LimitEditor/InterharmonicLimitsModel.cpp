#include "evaluation/LimitEditor/InterharmonicLimitsModel.h"

#include <algorithm>
#include <cstdio>

#include "app/StringTable.h"
#include "evaluation/LimitValues.h"

namespace varelo {

CInterharmonicLimitsModel::CInterharmonicLimitsModel(const CLimitValues& limits)
    : nominal_(limits.NominalFrequency()) {
    for (size_t k = 0; k < CLimitValues::kBins; ++k) {
        if (!limits.IsHarmonicEntry(k) && limits.Harm[k] > 0)
            items_.push_back({int(k + 1) * 5, limits.Harm[k]});
    }
}

std::string CInterharmonicLimitsModel::BinText(int start, int nominalFrequency) {
    int end = start + 4;
    if ((start + 5) % nominalFrequency == 0) end = start + 9;
    if (start == 2995) end = 3000;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%04d", start, end);
    return text;
}

std::string CInterharmonicLimitsModel::ItemText(const LimitItem& item) const {
    return BinText(item.key, nominal_) + "\t" + FormatFixed2(item.value);
}

LimitCheck CInterharmonicLimitsModel::Set(std::string& frequency, const std::string& value) {
    long long f = 0;
    double typed = 0;
    if (!ParseInteger(frequency, f) && ParseDecimal(frequency, typed))
        f = (long long)typed;
    else if (!ParseInteger(frequency, f))
        f = -1;
    if (f >= 0) {
        f -= f % 5;
        if (f > 0 && f % nominal_ == 0) f -= 5;  // a harmonic frequency: the bin below
        frequency = std::to_string(f);
    }
    if (f < 5 || f > 3000) return {164, Msg(164, {"5", "3000"}), kFrequency};
    double v = 0;
    const bool number = ParseDecimal(value, v);
    v = RoundTo2(v);
    if (!number || v < 0 || v > 100) return {166, Msg(166, {"0", "100"}), kValue};
    const std::string bin = BinText(int(f), nominal_);
    auto same = std::find_if(items_.begin(), items_.end(), [&](const LimitItem& item) {
        return BinText(item.key, nominal_) == bin;
    });
    if (same != items_.end()) {
        *same = {int(f), float(v)};
        return {};
    }
    if (items_.size() >= kMaxItems) return {169, Str(169), kFrequency};
    CLimitItemLists::Insert(items_, {int(f), float(v)});
    return {};
}

int CInterharmonicLimitsModel::Delete(int row) {
    if (row < 0 || row >= int(items_.size())) return items_.empty() ? -1 : row;
    items_.erase(items_.begin() + row);
    if (items_.empty()) return -1;
    return std::min(row, int(items_.size()) - 1);
}

std::array<float, 600> CInterharmonicLimitsModel::Apply(const std::array<float, 600>& harm) const {
    CLimitValues result;
    result.PowSysNomFreq = int16_t(nominal_);
    result.Harm = harm;
    result.ClearInterharmonics();
    for (const LimitItem& item : items_) {
        const int entry = item.key / 5 - 1;
        if (entry >= 0 && entry < int(CLimitValues::kBins) &&
            !result.IsHarmonicEntry(size_t(entry)))
            result.Harm[size_t(entry)] = item.value;
    }
    return result.Harm;
}

}  // namespace varelo
