#include <gtest/gtest.h>

#include <cmath>

#include "measurement/StatisticSegment.h"

namespace varelo {
namespace {

TEST(StatisticSegment, FrequencyClassLimitsOfBothSystems) {
    struct Case {
        int index, limit50;
    };
    const Case cases[] = {{0, 4100},  {7, 4800},  {8, 4820},  {14, 4940}, {15, 4950}, {25, 5050},
                          {26, 5060}, {27, 5080}, {33, 5200}, {34, 5300}, {41, 6000}};
    for (const Case& c : cases) {
        EXPECT_EQ(CStatisticSegment::FrequencyClassLimit(c.index, 50), c.limit50) << c.index;
        EXPECT_EQ(CStatisticSegment::FrequencyClassLimit(c.index, 60), c.limit50 + 1000);
    }
    for (int i = 1; i < kFrequencyClasses; ++i)
        EXPECT_LT(CStatisticSegment::FrequencyClassLimit(i - 1, 50),
                  CStatisticSegment::FrequencyClassLimit(i, 50));
    EXPECT_EQ(CStatisticSegment::FrequencyClassLimit(42, 50), 0);
    EXPECT_EQ(CStatisticSegment::FrequencyClassLimit(-1, 50), 0);
}

TEST(StatisticSegment, AccumulateAddsOnlyTheFrequencyCounters) {
    CStatisticSegment a, b;
    a.Freq10sec[0] = 5;
    b.Freq10sec[0] = 7;
    b.Freq10sec[41] = 3;
    a.SignalVal[0][0][0] = 2;
    b.SignalVal[0][0][0] = 9;
    b.NrSignalVoltInterval = 100;
    a.Accumulate(b);
    EXPECT_EQ(a.Freq10sec[0], 12u);
    EXPECT_EQ(a.Freq10sec[41], 3u);
    EXPECT_EQ(a.SignalVal[0][0][0], 2);
    EXPECT_EQ(a.NrSignalVoltInterval, 0u);
}

TEST(StatisticSegment, CountFrequencyRangeSumsClassesWithinRoundedBounds) {
    CStatisticSegment s;
    for (int i = 0; i < kFrequencyClasses; ++i)
        s.Freq10sec[size_t(i)] = uint32_t(i + 1);
    struct Case {
        double low, high;
        int nominal;
        uint64_t count;
    };
    const Case cases[] = {
        {49.5, 50.5, 50, 231},     // classes 15-25: 16 + ... + 26
        {59.5, 60.5, 60, 231},     // the same classes 10 Hz higher
        {49.5, 50.5, 60, 0},       // no 60 Hz class so low
        {49.994, 50.004, 50, 21},  // both bounds round to 50.00: class 20
        {49.991, 49.996, 50, 21},  // the high bound rounds up to class 20
        {50.004, 50.1, 50, 43},    // the low bound rounds down to class 20, plus class 21
        {41, 60, 50, 903},         // all: 42 x 43 / 2
        {50.5, 49.5, 50, 0},       // reversed bounds
        {NAN, 50, 50, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.CountFrequencyRange(c.low, c.high, c.nominal), c.count)
            << c.low << ".." << c.high << " @" << c.nominal;
}

}  // namespace
}  // namespace varelo
