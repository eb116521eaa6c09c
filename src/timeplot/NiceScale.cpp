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
