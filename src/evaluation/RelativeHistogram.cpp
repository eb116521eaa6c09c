#include "evaluation/RelativeHistogram.h"

#include <cmath>

#include "evaluation/EvaluationMath.h"

namespace varelo {

int CRelativeHistogram::ClassOf(double value, double maximum) const {
    const bool smallMaximumOnTop =
        rule_ == HistogramRule::kUnbalance || rule_ == HistogramRule::kFlicker;
    if (smallMaximumOnTop && maximum < 0.0001) return kClasses - 1;
    if (maximum == 0) return 0;
    const double q = value / (maximum * 0.01);
    if (!(q > 0)) return 0;
    return q >= kClasses - 1 ? kClasses - 1 : int(q);
}

double CRelativeHistogram::PercentValue(int phase, double x) const {
    if (x == 0) return 0;
    const Phase& ph = phases_[size_t(phase)];
    const double share = double(ph.count) * x * 0.01;
    long long rank;
    if (rule_ == HistogramRule::kFlicker) {
        rank = TruncToInt64(share);
        if (share - double(rank) > 0.5) ++rank;
    } else {
        rank = TruncToInt64(share + 0.5);
    }
    int j = 0;
    long long sum = 0;
    for (; j < kClasses - 1; ++j) {
        sum += ph.classes[size_t(j)];
        if (sum >= rank) break;
    }
    const double maximum = ph.top.First();
    const double value = maximum * (j + 1) * 0.01;
    return rule_ == HistogramRule::kHarmonic ? std::trunc(value + 0.5) : value;
}

double CRelativeHistogram::WithinPercent(int phase) const {
    const Phase& ph = phases_[size_t(phase)];
    if (ph.count == 0 || !(limit_ > 0)) return 0;
    const double maximum = ph.top.First();
    size_t within = 0;
    for (int j = 0; j < kClasses; ++j) {
        if (j * maximum * 0.01 <= limit_) within += ph.classes[size_t(j)];
    }
    return double(within) / double(ph.count) * 100;
}

}  // namespace varelo
