#include "timeplot/NiceScale.h"

#include <algorithm>
#include <cmath>

namespace varelo {

namespace {

constexpr int kDivisions = 10;

struct Candidate {
    double start = 0;
    double step = 0;
    int spare = -1;
};

Candidate Divide(double m, double M, double lowerBound, double step) {
    Candidate c;
    c.step = step;
    c.start = std::floor(m / step) * step;
    int n = int(std::ceil((M - c.start) / step));
    // Room below a minimum that sits close to a division, where the quantity allows it.
    if (m - c.start < step / 2 && c.start - step >= lowerBound) {
        c.start -= step;
        ++n;
    }
    c.spare = kDivisions - n;
    if (c.start + n * step - M < step / 2) --c.spare;
    return c;
}

}  // namespace

double Fold(double v) {
    if (v >= 0) return std::max(1 - v, 0.0);
    return std::min(-1 - v, 0.0);
}

double FoldEntered(double value) {
    return std::signbit(value) ? std::min(-1 - value, 0.0) : std::max(1 - value, 0.0);
}

ScaleRange OnlineMargin(double m, double M, int quantity) {
    if (IsRangeLimited(quantity)) return NiceScale(m, M, -1, true);
    const bool signalling = quantity >= 401 && quantity <= 405;
    if (signalling && 1.05 * M < 3) M = 2.8544243577545196;
    if (std::fabs(m) < 0.07 && std::fabs(M) < 0.07) return {quantity >= 300 ? 0.0 : -0.1, 0.1};
    double r = 0.1;
    if (quantity >= 300)
        r = 0.05;
    else if ((quantity >= 31 && quantity <= 33) || (quantity >= 38 && quantity <= 43) ||
             (quantity >= 48 && quantity <= 50) || (quantity >= 60 && quantity <= 83))
        r = 0.2;
    M *= M < 0 ? 1 - r : 1 + r;
    m *= m <= 0 ? 1 + r : 1 - r;
    const double magnitude = std::max(std::fabs(M), std::fabs(m));
    const double unit = magnitude >= 100 ? 10 : magnitude >= 10 ? 1 : 0.1;
    return {std::floor(m / unit) * unit, std::ceil(M / unit) * unit};
}

bool IsRangeLimited(int quantity) {
    return quantity == 84 || quantity == 85 || quantity == 107 || quantity == 108;
}

ScaleRange NiceScale(double m, double M, double lowerBound, bool rangeLimited) {
    const double c = std::max(std::fabs(m), std::fabs(M));
    const int e = c <= 1 ? 1 : int(std::ceil(std::log10(c)));
    const int g = M - m < 0.01 ? -2 : int(std::ceil(std::log10((M - m) * 0.1)));
    const double base = std::pow(10.0, std::max(g, e - 2));

    Candidate best;
    for (double k : {10.0, 5.0, 2.0, 1.0, 0.5}) {
        const Candidate candidate = Divide(m, M, lowerBound, base / k);
        if (candidate.spare >= 0 && (best.spare < 0 || candidate.spare < best.spare))
            best = candidate;
    }
    if (best.spare > 0 && best.start - best.step >= lowerBound)
        best.start -= best.step * (best.spare / 2);
    ScaleRange r{best.start, best.start + kDivisions * best.step};
    if (rangeLimited) {
        if (r.minimum < -1) {
            r.maximum += -1 - r.minimum;
            r.minimum = -1;
        }
        if (r.maximum > 1) {
            const double over = r.maximum - 1;
            r.maximum = 1;
            if (r.minimum > -1) r.minimum -= over;
        }
    }
    return r;
}

}  // namespace varelo
