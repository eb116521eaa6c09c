#include "evaluation/FrequencyStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "evaluation/EvaluationMath.h"
#include "evaluation/LimitValues.h"
#include "measurement/StatisticSegment.h"

namespace varelo {

namespace {

// Outer edges of the Logger's frequency classes on either side of the nominal frequency, in
// 0.1 Hz, counted outward: class a spans edge(a - 1) to edge(a).
constexpr int kClassEdges[] = {1,  2,  3,  4,  5,  6,  8,  10, 12, 14, 16,
                               18, 20, 30, 40, 50, 60, 70, 80, 90, 100};
constexpr int kClassesPerSide = int(std::size(kClassEdges));
static_assert(kClassesPerSide * 2 == kFrequencyClasses);
static_assert(kClassEdges[kClassesPerSide - 1] == CFrequencyStatistics::kBins);

constexpr double kInfinity = std::numeric_limits<double>::infinity();

int HighestUsed(const std::array<uint64_t, CFrequencyStatistics::kBins>& bins) {
    for (int b = CFrequencyStatistics::kBins - 1; b >= 0; --b) {
        if (bins[size_t(b)] != 0) return b;
    }
    return -1;
}

int LowestUsed(const std::array<uint64_t, CFrequencyStatistics::kBins>& bins) {
    for (int b = 0; b < CFrequencyStatistics::kBins; ++b) {
        if (bins[size_t(b)] != 0) return b;
    }
    return -1;
}

}  // namespace

void CFrequencyStatistics::Configure(int nominalFrequency, const CLimitValues& limits) {
    *this = CFrequencyStatistics();
    f0_ = nominalFrequency > 0 ? nominalFrequency : 50;
    const std::array<std::array<int, 2>, kSets> tolerances{{
        {limits.FplusTol95, limits.FminusTol95},
        {limits.FplusTol100, limits.FminusTol100},
    }};
    for (int k = 0; k < kSets; ++k) {
        const double plus = tolerances[size_t(k)][0], minus = tolerances[size_t(k)][1];
        ToleranceSet& set = sets_[size_t(k)];
        set.limit = std::max(minus, plus) * f0_ / 100;
        // The narrower side is scaled up; a side without tolerance is infinitely narrow.
        if (plus < minus) {
            set.wabove = plus != 0 ? minus / plus : kInfinity;
            set.wbelow = 1;
        } else {
            set.wbelow = plus == minus ? 1 : minus != 0 ? plus / minus : kInfinity;
            set.wabove = 1;
        }
    }
}

void CFrequencyStatistics::Spread(uint64_t count, std::span<uint64_t> bins) {
    const uint64_t n = bins.size();
    if (n == 0) return;
    for (uint64_t& bin : bins)
        bin += count / n;
    const uint64_t remainder = count % n;
    if (remainder == 0) return;
    const float step = float(n) / float(remainder);
    for (uint64_t i = 1; i <= remainder; ++i) {
        // Kept in single precision, step by step, as the bins have always been filled.
        float position = step * float(i);
        position = position - 1.0f;
        const long long index = std::clamp<long long>((long long)position, 0, (long long)n - 1);
        ++bins[size_t(index)];
    }
}

void CFrequencyStatistics::Add(const CStatisticSegment& segment) {
    for (int a = 0; a < kClassesPerSide; ++a) {
        const int first = a == 0 ? 0 : kClassEdges[a - 1];
        const size_t n = size_t(kClassEdges[a] - first);
        const uint32_t below = segment.Freq10sec[size_t(kClassesPerSide - 1 - a)];
        const uint32_t above = segment.Freq10sec[size_t(kClassesPerSide + a)];
        Spread(below, std::span<uint64_t>(below_.data() + first, n));
        Spread(above, std::span<uint64_t>(above_.data() + first, n));
        count_ += uint64_t(below) + above;
    }
}

bool CFrequencyStatistics::Finite(const ToleranceSet& set) const {
    return std::isfinite(set.wabove) && std::isfinite(set.wbelow) && set.wbelow != 0;
}

double CFrequencyStatistics::WithinPercent(int setIndex) const {
    if (count_ == 0) return 0;
    const ToleranceSet& set = sets_[size_t(setIndex)];
    uint64_t within = 0;
    for (int m = 0; m < kBins; ++m) {
        if ((m + 1) * kBinWidth * set.wbelow <= set.limit) within += below_[size_t(m)];
        if ((m + 1) * kBinWidth * set.wabove <= set.limit) within += above_[size_t(m)];
    }
    return double(within) / double(count_) * 100;
}

double CFrequencyStatistics::Maximum() const {
    if (const int b = HighestUsed(above_); b >= 0) return f0_ + (b + 1) * kBinWidth;
    if (const int b = LowestUsed(below_); b >= 0) return f0_ - b * kBinWidth;
    return f0_;
}

double CFrequencyStatistics::Minimum() const {
    if (const int b = HighestUsed(below_); b >= 0) return f0_ - (b + 1) * kBinWidth;
    if (const int b = LowestUsed(above_); b >= 0) return f0_ + b * kBinWidth;
    return f0_;
}

int CFrequencyStatistics::SignedBinAt(uint64_t rank) const {
    uint64_t seen = 0;
    for (int b = kBins - 1; b >= 0; --b) {
        seen += below_[size_t(b)];
        if (seen > rank) return -(b + 1);
    }
    for (int b = 0; b < kBins; ++b) {
        seen += above_[size_t(b)];
        if (seen > rank) return b + 1;
    }
    return kBins;  // not reached for a rank below the count
}

bool CFrequencyStatistics::Range(int setIndex, double x, double& lower, double& upper) const {
    const ToleranceSet& set = sets_[size_t(setIndex)];
    if (count_ == 0 || !Finite(set)) return false;
    const long long d = TruncToInt64((100 - x) * double(count_) * 0.01);
    if (d < 0 || uint64_t(d) >= count_) return false;
    const double ratio = set.wabove / set.wbelow;
    const auto lowest = [&](long long m) { return SignedBinAt(uint64_t(m)); };
    const auto highest = [&](long long m) { return SignedBinAt(count_ - 1 - uint64_t(d - m)); };

    long long lo = 0, hi = d;
    while (hi - lo > 1) {
        const long long mid = (lo + hi) / 2;
        const int e = lowest(mid), g = highest(mid);
        if (e > 0 || (g >= 0 && -e <= ratio * g))
            hi = mid;
        else
            lo = mid;
    }
    const auto imbalance = [&](long long m) { return std::fabs(-lowest(m) - ratio * highest(m)); };
    const long long m = imbalance(lo) < imbalance(hi) ? lo : hi;
    const int e = lowest(m), g = highest(m);
    lower = (e > 0 ? e - 1 : e) * kBinWidth;
    upper = (g < 0 ? g + 1 : g) * kBinWidth;
    return true;
}

double CFrequencyStatistics::PercentValue(int setIndex, double x) const {
    double lower = 0, upper = 0;
    if (!Range(setIndex, x, lower, upper)) return 0;
    const ToleranceSet& set = sets_[size_t(setIndex)];
    const auto weighted = [&](double dev) {
        return std::fabs(dev) * (dev < 0 ? set.wbelow : set.wabove);
    };
    return std::max(weighted(lower), weighted(upper));
}

double CFrequencyStatistics::HundredPercentValue(int setIndex) const {
    const ToleranceSet& set = sets_[size_t(setIndex)];
    if (!Finite(set)) return 0;
    const int below = HighestUsed(below_), above = HighestUsed(above_);
    const double b = below >= 0 ? (below + 1) * set.wbelow : 0.0;
    const double a = above >= 0 ? (above + 1) * set.wabove : 0.0;
    return std::max(b, a) * kBinWidth;
}

std::vector<TopFiveEntry> CFrequencyStatistics::TopFive(int setIndex) const {
    const ToleranceSet& set = sets_[size_t(setIndex)];
    struct Scaled {
        double value = 0;  // (bin + 1) x weight
        int bin = 0;
        bool above = false;
    };
    CTopFive<Scaled> top;
    for (const bool above : {false, true}) {
        const auto& bins = above ? above_ : below_;
        const double w = above ? set.wabove : set.wbelow;
        int taken = 0;
        for (int b = kBins - 1; b >= 0 && taken <= 4; --b) {
            for (uint64_t c = 0; c < bins[size_t(b)] && taken <= 4; ++c, ++taken)
                top.InsertBeforeEqual({(b + 1) * w, b, above});
        }
    }
    std::vector<TopFiveEntry> out;
    for (const Scaled& s : top) {
        const double deviation = (s.bin + 1) * kBinWidth;
        out.push_back({s.above ? f0_ + deviation : f0_ - deviation, CTimeStamp(), 0, s.above});
    }
    return out;
}

}  // namespace varelo
