#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "document/IntervalAggregation.h"
#include "measurement/IntervalList.h"

namespace varelo {
namespace {

// A 5-minute record ending at day/hour/minute; its status bit tells which input it was.
CIntervalRecord At(int day, int hour, int minute, int index) {
    CIntervalRecord r;
    r.DateTime = CTimeStamp(2026, 3, day, hour, minute, 0);
    r.Status = int16_t(1 << index);
    r.VoltMaxPhaseLxRawVal = {int16_t(100 + index), 0, 0};
    return r;
}

struct Written {
    CTimeStamp end;
    int16_t members;  // OR of the members' status bits
    int number;
};

std::vector<Written> Group(const std::vector<CIntervalRecord>& records, int target) {
    CIntervalList list;
    for (const auto& r : records)
        list.Add(r);
    std::vector<Written> out;
    const size_t count =
        AggregateIntervals(list, 300, target, [&out](const CIntervalRecord& r, int number) {
            out.push_back({r.DateTime, r.Status, number});
            return true;
        });
    EXPECT_EQ(count, out.size());
    EXPECT_EQ(AggregateIntervals(list, 300, target, nullptr), count) << "the counting run";
    return out;
}

TEST(IntervalAggregationTest, GroupsEndOnTheTargetBoundaries) {
    struct Case {
        const char* what;
        std::vector<CIntervalRecord> records;
        int target;
        std::vector<std::pair<CTimeStamp, int16_t>> expected;  // end, members
    } cases[] = {
        {"00:05 00:10 00:15 to 10 min: 00:15 alone never completes its slot",
         {At(2, 0, 5, 0), At(2, 0, 10, 1), At(2, 0, 15, 2)},
         600,
         {{CTimeStamp(2026, 3, 2, 0, 10, 0), 0b11}}},
        {"00:05 00:10 00:15 to 15 min: one record of all three",
         {At(2, 0, 5, 0), At(2, 0, 10, 1), At(2, 0, 15, 2)},
         900,
         {{CTimeStamp(2026, 3, 2, 0, 15, 0), 0b111}}},
        {"00:20 completes the slot that 00:15 began",
         {At(2, 0, 5, 0), At(2, 0, 10, 1), At(2, 0, 15, 2), At(2, 0, 20, 3)},
         600,
         {{CTimeStamp(2026, 3, 2, 0, 10, 0), 0b11}, {CTimeStamp(2026, 3, 2, 0, 20, 0), 0b1100}}},
        {"a lone boundary record is written as it is",
         {At(2, 0, 5, 0), At(2, 0, 10, 1), At(2, 0, 20, 2)},
         600,
         {{CTimeStamp(2026, 3, 2, 0, 10, 0), 0b11}, {CTimeStamp(2026, 3, 2, 0, 20, 0), 0b100}}},
        {"a gap inside the slot drops the records before it",
         {At(2, 0, 5, 0), At(2, 0, 15, 1)},
         900,
         {{CTimeStamp(2026, 3, 2, 0, 15, 0), 0b10}}},
        {"midnight (86400) belongs to the last slot of the day that ends",
         {At(2, 23, 55, 0), At(3, 0, 0, 1)},
         600,
         {{CTimeStamp(2026, 3, 3, 0, 0, 0), 0b11}}},
        {"midnight closes the last quarter hour too",
         {At(2, 23, 50, 0), At(2, 23, 55, 1), At(3, 0, 0, 2)},
         900,
         {{CTimeStamp(2026, 3, 3, 0, 0, 0), 0b111}}},
        {"the same time of another day is no neighbour",
         {At(2, 0, 5, 0), At(3, 0, 10, 1)},
         600,
         {{CTimeStamp(2026, 3, 3, 0, 10, 0), 0b10}}},
        {"a full group starts anew",
         {At(2, 0, 5, 0), At(2, 0, 5, 1), At(2, 0, 10, 2)},
         600,
         {{CTimeStamp(2026, 3, 2, 0, 10, 0), 0b100}}},
    };
    for (const Case& c : cases) {
        const std::vector<Written> out = Group(c.records, c.target);
        ASSERT_EQ(out.size(), c.expected.size()) << c.what;
        for (size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].end, c.expected[i].first) << c.what;
            EXPECT_EQ(out[i].members, c.expected[i].second) << c.what;
            EXPECT_EQ(out[i].number, int(i)) << c.what;
        }
    }
}

TEST(IntervalAggregationTest, ALoneRecordIsWrittenUnchangedAndTargetsMustBeMultiples) {
    CIntervalList list;
    CIntervalRecord lone = At(2, 0, 10, 3);
    lone.CurrHarmPhaseLxRawVal[0][4] = 32767;  // would change through the scaled RMS
    lone.VoltTHDAvgCalc[0] = 2.5;
    list.Add(lone);
    std::vector<CIntervalRecord> out;
    AggregateIntervals(list, 300, 600, [&out](const CIntervalRecord& r, int) {
        out.push_back(r);
        return true;
    });
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].CurrHarmPhaseLxRawVal, lone.CurrHarmPhaseLxRawVal);
    EXPECT_EQ(out[0].VoltMaxPhaseLxRawVal, lone.VoltMaxPhaseLxRawVal);
    EXPECT_EQ(out[0].VoltTHDAvgCalc[0], 2.5);
    // 700 s is no whole number of 300-s intervals; a refusing sink stops with 0.
    EXPECT_EQ(AggregateIntervals(list, 300, 700, nullptr), 0u);
    EXPECT_EQ(AggregateIntervals(list, 300, 600, [](const CIntervalRecord&, int) { return false; }),
              0u);
}

// Two or three records and the aggregated record they give.
CIntervalRecord Aggregate(std::vector<CIntervalRecord> records, bool phaseToPhase = false) {
    CRawScaling scaling;
    scaling.VoltScale = 0.02;
    scaling.IsPhaseToPhase = phaseToPhase;
    std::vector<const CIntervalRecord*> pointers;
    for (const auto& r : records)
        pointers.push_back(&r);
    return AggregateRecords(pointers.data(), pointers.size(), scaling);
}

TEST(IntervalAggregationTest, FieldRules) {
    CIntervalRecord a, b, c;
    a.Status = 0x0040;
    b.Status = 0x0081;
    c.Status = 0x2000;
    a.DateTime = CTimeStamp(2026, 3, 2, 0, 5, 0);
    c.DateTime = CTimeStamp(2026, 3, 2, 0, 15, 0);
    // Means round by adding 0.5 and truncating toward zero: (-3 - 3 - 2) / 3 = -2.67 -> -2.
    a.Freq10min = -3, b.Freq10min = -3, c.Freq10min = -2;
    a.RealPowAvgPhaseLxRawVal = {5000, 1, 0}, b.RealPowAvgPhaseLxRawVal = {5001, 2, 0};
    c.RealPowAvgPhaseLxRawVal = {5001, 2, 0};  // 5000.67 -> 5001; 1.67 -> 2
    a.VoltMaxPhaseLxRawVal = {-5, 7, 0}, b.VoltMaxPhaseLxRawVal = {-9, 3, 0};
    a.RealPowMinPhaseLxRawVal = {-5, 3, 0}, b.RealPowMinPhaseLxRawVal = {3, -1, 0};
    // RMS: sqrt((3^2 + 4^2 + 0) / 3) = 2.89 -> 3; three times -32768 would be 32768.
    a.VoltAvgPhaseLxRawVal = {3, -32768, 1000}, b.VoltAvgPhaseLxRawVal = {4, -32768, 1000};
    c.VoltAvgPhaseLxRawVal = {0, -32768, 1000};
    // Cubic mean: cbrt((1000^3 + 2000^3 + 0) / 3) = 1442.2 -> 1442.
    a.FlickPstPhaseLxRawVal = {1000, 0, 0}, b.FlickPstPhaseLxRawVal = {2000, 0, 0};
    // Unsigned RMS: 40000 stays 40000.
    a.VoltUDeltaRmsPhaseLxRawVal = {40000, 0, 0}, b.VoltUDeltaRmsPhaseLxRawVal = {40000, 0, 0};
    c.VoltUDeltaRmsPhaseLxRawVal = {40000, 0, 0};
    // The half-period extremes bring their partners; on equal values the earlier record.
    a.VoltHalfpMaxPhaseLxRaw = {50000, 7, 0}, a.CurrHalfpToVoltMaxPhaseLxRaw = {11, 12, 0};
    b.VoltHalfpMaxPhaseLxRaw = {40000, 7, 0}, b.CurrHalfpToVoltMaxPhaseLxRaw = {21, 22, 0};
    a.VoltHalfpMinPhaseLxRaw = {5, 0, 0}, a.CurrHalfpToVoltMinPhaseLxRaw = {31, 0, 0};
    b.VoltHalfpMinPhaseLxRaw = {4, 0, 0}, b.CurrHalfpToVoltMinPhaseLxRaw = {41, 0, 0};
    c.VoltHalfpMinPhaseLxRaw = {4, 0, 0}, c.CurrHalfpToVoltMinPhaseLxRaw = {51, 0, 0};
    a.VoltTHDAvgCalc = {3, 3, 3};

    const CIntervalRecord r = Aggregate({a, b, c});
    EXPECT_EQ(r.Status, 0x20C1);
    EXPECT_EQ(r.DateTime, c.DateTime);
    EXPECT_EQ(r.Freq10min, -2);
    EXPECT_EQ(r.RealPowAvgPhaseLxRawVal, (PhaseRaw{5001, 2, 0}));
    EXPECT_EQ(r.VoltMaxPhaseLxRawVal, (PhaseRaw{0, 7, 0}));  // c's 0 is the largest of L1
    EXPECT_EQ(r.RealPowMinPhaseLxRawVal, (PhaseRaw{-5, -1, 0}));
    EXPECT_EQ(r.VoltAvgPhaseLxRawVal, (PhaseRaw{3, 32767, 1000}));
    EXPECT_EQ(r.FlickPstPhaseLxRawVal[0], 1442);
    EXPECT_EQ(r.VoltUDeltaRmsPhaseLxRawVal[0], 40000);
    EXPECT_EQ(r.VoltHalfpMaxPhaseLxRaw, (PhaseRawU{50000, 7, 0}));
    EXPECT_EQ(r.CurrHalfpToVoltMaxPhaseLxRaw, (PhaseRawU{11, 12, 0}));
    EXPECT_EQ(r.VoltHalfpMinPhaseLxRaw[0], 4);
    EXPECT_EQ(r.CurrHalfpToVoltMinPhaseLxRaw[0], 41);
    EXPECT_EQ(r.VoltTHDAvgCalc[0], 0.0) << "derived fields are computed on load";
}

TEST(IntervalAggregationTest, AnglesAreAveragedAsPhasors) {
    auto angles = [](double first, double second, bool phaseToPhase = false) {
        CIntervalRecord a, b;
        a.VoltAvgPhaseLxRawVal = {1000, 1000, 1000};
        b.VoltAvgPhaseLxRawVal = {1000, 1000, 1000};
        const auto raw = [](double degrees) { return int16_t(std::lround(degrees / 0.0125)); };
        a.UnbalAngleL1L2 = raw(first), b.UnbalAngleL1L2 = raw(second);
        a.UnbalAngleL1L3 = raw(first), b.UnbalAngleL1L3 = raw(second);
        const CIntervalRecord r = Aggregate({a, b}, phaseToPhase);
        EXPECT_EQ(r.UnbalAngleL1L2, r.UnbalAngleL1L3);
        return r.UnbalAngleL1L2 * 0.0125;
    };
    EXPECT_DOUBLE_EQ(angles(359, 1), 0.0) << "not 180";
    EXPECT_DOUBLE_EQ(angles(1, 359), 0.0);
    EXPECT_DOUBLE_EQ(angles(120, 240), 180.0);
    EXPECT_DOUBLE_EQ(angles(10, 20), 15.0);
    EXPECT_DOUBLE_EQ(angles(10, 20, true), 0.0) << "phase-to-phase systems have no angle";

    // Unequal voltages pull the mean toward the larger phasor: 0 and 90 degrees with 1:3 give
    // atan(3) = 71.565 degrees, 5725.2 units -> 5725.
    CIntervalRecord a, b;
    a.VoltAvgPhaseLxRawVal = {0, 1000, 0};
    b.VoltAvgPhaseLxRawVal = {0, 3000, 0};
    b.UnbalAngleL1L2 = 7200;
    EXPECT_EQ(Aggregate({a, b}).UnbalAngleL1L2, 5725);
}

TEST(IntervalAggregationTest, CurrentHarmonicsScaleByTheFundamentalAndSaturate) {
    CIntervalRecord a, b;
    // L1: v = I1 x H / H1 = 100 and 200; RMS sqrt(25000) = 158.1 -> 158.
    a.CurrIh1AvgPhaseLxRawVal[0] = 1000, a.CurrHarmPhaseLxRawVal[0][0] = 1000;
    a.CurrHarmPhaseLxRawVal[0][2] = 100;
    b.CurrIh1AvgPhaseLxRawVal[0] = 2000, b.CurrHarmPhaseLxRawVal[0][0] = 1000;
    b.CurrHarmPhaseLxRawVal[0][2] = 100;
    // L2: H1 = 0 counts as 1.39 x I1 = 41700 for every order; beyond the field, so 32767.
    a.CurrIh1AvgPhaseLxRawVal[1] = 30000, b.CurrIh1AvgPhaseLxRawVal[1] = 30000;
    // L3: H[3] three times H[1] with I1 = 20000 gives 60000 -> 32767; the overflow marker
    // 32767 in H[5] counts as 1.39 x 100 = 139.
    a.CurrIh1AvgPhaseLxRawVal[2] = 20000, a.CurrHarmPhaseLxRawVal[2][0] = 100;
    a.CurrHarmPhaseLxRawVal[2][2] = 300;
    b.CurrIh1AvgPhaseLxRawVal[2] = 100, b.CurrHarmPhaseLxRawVal[2][0] = 100;
    b.CurrHarmPhaseLxRawVal[2][4] = 32767;
    a.CurrHarmPhaseLxRawVal[2][4] = 32767;
    // N: the neutral's own fundamental and an interharmonic channel: v = 50, 150 -> 111.8.
    a.NeutralCurrIh1AvgRawVal = 500, a.CurrHarmPhaseLxRawVal[3][0] = 1000;
    a.CurrZHarmPhaseLxRawVal[3][1] = 100;
    b.NeutralCurrIh1AvgRawVal = 1500, b.CurrHarmPhaseLxRawVal[3][0] = 1000;
    b.CurrZHarmPhaseLxRawVal[3][1] = 100;

    const CIntervalRecord r = Aggregate({a, b});
    EXPECT_EQ(r.CurrHarm(0, 3), 158);
    EXPECT_EQ(r.CurrHarm(0, 1), 1581);  // v = I1: sqrt((1000^2 + 2000^2) / 2)
    EXPECT_EQ(r.CurrHarm(1, 1), 32767);
    EXPECT_EQ(r.CurrHarm(1, 50), 32767);
    EXPECT_EQ(r.CurrHarm(2, 3), 32767);  // sqrt((60000^2 + 0) / 2) = 42426
    // sqrt(((20000 x 1.39)^2 + 139^2) / 2) = 19657.5 -> 19658
    EXPECT_EQ(r.CurrHarm(2, 5), 19658);
    EXPECT_EQ(r.CurrInterharm(3, 1), 112);
    EXPECT_EQ(r.CurrIh1Avg(3), 1118);  // RMS of 500 and 1500
}

}  // namespace
}  // namespace varelo
