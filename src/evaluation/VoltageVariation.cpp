#include "evaluation/VoltageVariation.h"

#include <algorithm>
#include <cmath>

#include "evaluation/EvaluationMath.h"
#include "evaluation/LimitValues.h"
#include "measurement/RawScaling.h"

namespace varelo {

namespace {

// Raw voltages are 16-bit: a counting sort over the occurring span beats a comparison sort by
// far and gives the same order.
void CountingSort(std::vector<int16_t>& values) {
    if (values.size() < 2) return;
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    const int low = *lo;
    std::vector<uint32_t> counts(size_t(*hi - low + 1), 0);
    for (int16_t v : values)
        ++counts[size_t(v - low)];
    size_t out = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        std::fill_n(values.begin() + std::ptrdiff_t(out), counts[i], int16_t(low + int(i)));
        out += counts[i];
    }
}

}  // namespace

void CVoltageVariation::Configure(const CLimitValues& limits, const CRawScaling& scaling,
                                  PhasePresence presence, size_t expectedCount) {
    *this = CVoltageVariation();
    presence_ = presence;
    // Without a voltage scale (no range, or a transformer with secondary 0) there is no nominal
    // raw voltage to measure deviations from.
    const double nominal = scaling.VoltScale > 0 ? scaling.NomVolt / scaling.VoltScale : 0.0;
    hasNominal_ = scaling.VoltScale > 0 && std::isfinite(nominal) && std::fabs(nominal) < 1e9;
    u0_ = hasNominal_ ? TruncToInt64(nominal) : 0;

    const std::array<std::array<float, 2>, kSets> tolerances{{
        {limits.NplusTol95, limits.NminusTol95},
        {limits.NplusTol100, limits.NminusTol100},
    }};
    for (int k = 0; k < kSets; ++k) {
        const double plus = tolerances[size_t(k)][0], minus = tolerances[size_t(k)][1];
        ToleranceSet& set = sets_[size_t(k)];
        set.tplus = TruncToInt64(plus * 0.01 * double(u0_));
        set.tminus = TruncToInt64(minus * 0.01 * double(u0_));
        // The wider side is scaled down to the narrower one.
        if (minus > plus) {
            set.wplus = 1;
            set.wminus = minus != 0 ? plus / minus : 0;
        } else if (minus < plus) {
            set.wminus = 1;
            set.wplus = plus != 0 ? minus / plus : 0;
        }
        // A zero tolerance on one side leaves that side without weight: the range search would
        // divide by it.
        set.weighted = hasNominal_ && set.wplus != 0 && set.wminus != 0 &&
                       std::isfinite(set.wplus / set.wminus);
    }
    for (int p = 0; p < 3; ++p) {
        if (presence_.Has(p)) values_[size_t(p)].reserve(expectedCount);
    }
}

double CVoltageVariation::Normalized(const ToleranceSet& set, long long v) const {
    return v >= u0_ ? double(v - u0_) * set.wplus : double(u0_ - v) * set.wminus;
}

void CVoltageVariation::Add(int phase, int16_t value, const CTimeStamp& time) {
    values_[size_t(phase)].push_back(value);
    for (int k = 0; k < kSets; ++k) {
        const ToleranceSet& set = sets_[size_t(k)];
        if (u0_ - set.tminus <= value && value <= u0_ + set.tplus)
            ++within_[size_t(k)][size_t(phase)];
        const double d = Normalized(set, value);
        CTopFive<Deviation>& top = top_[size_t(k)][size_t(phase)];
        if (top.Enters(d)) top.Insert({d, time, phase, value >= u0_, value});
    }
}

void CVoltageVariation::Finish() {
    for (auto& values : values_)
        CountingSort(values);
}

double CVoltageVariation::WithinPercent(int set, int phase) const {
    const size_t n = Count(phase);
    return n == 0 ? 0.0 : double(within_[size_t(set)][size_t(phase)]) / double(n) * 100;
}

int CVoltageVariation::Maximum(int phase) const {
    const auto& v = values_[size_t(phase)];
    return v.empty() ? 0 : v.back();
}

int CVoltageVariation::Minimum(int phase) const {
    const auto& v = values_[size_t(phase)];
    return v.empty() ? 0 : v.front();
}

bool CVoltageVariation::Range(int setIndex, int phase, double x, long long& lower,
                              long long& upper) const {
    const ToleranceSet& set = sets_[size_t(setIndex)];
    const std::vector<int16_t>& v = values_[size_t(phase)];
    const size_t n = v.size();
    if (!set.weighted || n == 0) return false;
    // A share of 0 (an empty limit block) or above 100 would discard every value or a
    // negative number of them.
    const double discard = std::trunc(double(n) * (100 - x) / 100);
    if (!(discard >= 0) || discard >= double(n)) return false;
    const size_t d = size_t(discard);
    const size_t kept = n - d;
    const double ratio = set.wplus / set.wminus;
    const long long u0 = u0_;
    const auto top = [&](size_t m) -> long long { return v[m + kept - 1]; };

    size_t lo = 0, hi = d;
    while (hi - lo > 1) {
        const size_t mid = (lo + hi) / 2;
        const long long a = v[mid], b = top(mid);
        if (a < u0 && u0 < b && double(u0 - a) <= ratio * double(b - u0))
            hi = mid;
        else if (a < u0)
            lo = mid;
        else
            hi = mid;
    }
    const auto imbalance = [&](size_t m) {
        return std::fabs(double(u0 - v[m]) - ratio * double(top(m) - u0));
    };
    const size_t m = imbalance(lo) < imbalance(hi) ? lo : hi;
    lower = v[m] - u0;
    upper = top(m) - u0;
    return true;
}

double CVoltageVariation::PercentValue(int setIndex, int phase, double x) const {
    long long lower = 0, upper = 0;
    if (!Range(setIndex, phase, x, lower, upper)) return 0;
    const ToleranceSet& set = sets_[size_t(setIndex)];
    return std::max(Normalized(set, u0_ + lower), Normalized(set, u0_ + upper));
}

TopFiveEntry CVoltageVariation::ReadBack(int setIndex, const Deviation& d) const {
    const ToleranceSet& set = sets_[size_t(setIndex)];
    const double w = d.above ? set.wplus : set.wminus;
    // A side without weight has lost its deviation; its measured value still stands.
    double voltage = d.raw;
    if (w != 0) voltage = d.above ? double(u0_) + d.value / w : double(u0_) - d.value / w;
    return {voltage, d.time, d.phase, d.above};
}

std::vector<TopFiveEntry> CVoltageVariation::TopFive(int setIndex, int phase) const {
    std::vector<TopFiveEntry> out;
    for (const Deviation& d : top_[size_t(setIndex)][size_t(phase)])
        out.push_back(ReadBack(setIndex, d));
    return out;
}

std::vector<TopFiveEntry> CVoltageVariation::TopFive(int setIndex) const {
    std::array<const CTopFive<Deviation>*, 3> lists{};
    size_t count = 0;
    for (int p = 0; p < 3; ++p) {
        if (presence_.Has(p)) lists[count++] = &top_[size_t(setIndex)][size_t(p)];
    }
    const CTopFive<Deviation> merged = CTopFive<Deviation>::Merge(
        std::span<const CTopFive<Deviation>* const>(lists.data(), count));
    std::vector<TopFiveEntry> out;
    for (const Deviation& d : merged)
        out.push_back(ReadBack(setIndex, d));
    return out;
}

}  // namespace varelo
