#include "evaluation/SignallingStatistics.h"

#include <cmath>

#include "evaluation/EvaluationMath.h"
#include "evaluation/LimitValues.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

constexpr double kUpperEdges[CSignallingStatistics::kClasses] = {
    2, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7, 7.5, 8, 8.5, 9, 9.5, 10, 10.5, 11, 11.5, 100};

}  // namespace

double CSignallingStatistics::UpperEdge(int level) {
    return level >= 0 && level < kClasses ? kUpperEdges[level] : 0.0;
}

void CSignallingStatistics::Configure(const CMeasurementJob& job, const CLimitValues& limits,
                                      PhasePresence presence) {
    *this = CSignallingStatistics();
    presence_ = presence;
    for (int j = 0; j < kChannels; ++j) {
        frequency_[size_t(j)] = ChannelFrequency(job, j);
        harmOrder_[size_t(j)] = job.HarmOrder[size_t(j)];
        limit_[size_t(j)] = limits.SignallingLimit(frequency_[size_t(j)]);
    }
}

void CSignallingStatistics::Add(const CStatisticSegment& segment) {
    count_ += segment.NrSignalVoltInterval;
    for (int p = 0; p < 3; ++p) {
        if (!presence_.Has(p)) continue;
        for (int j = 0; j < kChannels; ++j) {
            for (int c = 0; c < kClasses; ++c)
                classes_[size_t(p)][size_t(j)][size_t(c)] +=
                    segment.SignalVal[size_t(p)][size_t(j)][size_t(c)];
        }
    }
}

uint64_t CSignallingStatistics::BelowOnePercent(int phase, int channel) const {
    uint64_t inClasses = 0;
    for (uint64_t c : classes_[size_t(phase)][size_t(channel)])
        inClasses += c;
    // Class counts beyond the number of measurements leave nothing below 1 %.
    return inClasses < count_ ? count_ - inClasses : 0;
}

double CSignallingStatistics::PercentValue(int phase, int channel, double x) const {
    const long long rank = TruncToInt64(double(count_) * x * 0.01 + 0.5);
    uint64_t sum = BelowOnePercent(phase, channel);
    if ((long long)sum >= rank) return 1.0;
    const auto& classes = classes_[size_t(phase)][size_t(channel)];
    for (int c = 0; c < kClasses; ++c) {
        sum += classes[size_t(c)];
        if ((long long)sum >= rank) return UpperEdge(c);
    }
    return UpperEdge(kClasses - 1);
}

double CSignallingStatistics::WithinPercent(int phase, int channel) const {
    const double limit = limit_[size_t(channel)];
    if (!(limit > 0) || count_ == 0) return 100;
    const uint64_t remainder = BelowOnePercent(phase, channel);
    double within = 0;
    if (limit <= 1) {
        within = std::trunc(limit * double(remainder));
    } else {
        within = double(remainder);
        const auto& classes = classes_[size_t(phase)][size_t(channel)];
        for (int c = 0; c < kClasses; ++c) {
            const double lower = LowerEdge(c), upper = UpperEdge(c);
            if (limit >= upper) {
                within += double(classes[size_t(c)]);
                continue;
            }
            if (limit > lower)
                within +=
                    std::trunc((limit - lower) / (upper - lower) * double(classes[size_t(c)]));
            break;
        }
    }
    return within / double(count_) * 100;
}

double CSignallingStatistics::Maximum(int phase, int channel) const {
    return HighestValue(phase, channel, 1);
}

double CSignallingStatistics::HighestValue(int phase, int channel, int rank) const {
    if (rank < 1 || count_ == 0) return 0;
    const auto& classes = classes_[size_t(phase)][size_t(channel)];
    uint64_t seen = 0;
    for (int c = kClasses - 1; c >= 0; --c) {
        seen += classes[size_t(c)];
        if (seen >= uint64_t(rank)) return UpperEdge(c);
    }
    return seen + BelowOnePercent(phase, channel) >= uint64_t(rank) ? 1.0 : 0.0;
}

int CSignallingStatistics::WorstOrder(int phase, double x) const {
    if (!presence_.Has(phase)) return -1;
    int worst = -1;
    double worstRatio = 0, worstMaximum = 0;
    for (int j = 0; j < kChannels; ++j) {
        const double limit = limit_[size_t(j)];
        if (!(limit > 0)) continue;
        const double ratio = count_ == 0 ? 0.0 : PercentValue(phase, j, x) / limit;
        const double maximum = Maximum(phase, j);
        const bool better =
            worst < 0 || ratio > worstRatio ||
            (ratio == worstRatio &&
             (maximum > worstMaximum ||
              (maximum == worstMaximum && harmOrder_[size_t(j)] < harmOrder_[size_t(worst)])));
        if (better) {
            worst = j;
            worstRatio = ratio;
            worstMaximum = maximum;
        }
    }
    return worst;
}

}  // namespace varelo
