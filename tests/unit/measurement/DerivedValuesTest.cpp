#include <gtest/gtest.h>

#include "measurement/DerivedValues.h"
#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/IntervalNormalisation.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticList.h"
#include "measurement/StatusCounts.h"

namespace varelo {
namespace {

// 230 V and 1000 A ranges (400 V between phases).
CRawScaling Scaling(uint32_t measFunc, uint32_t powSys = kPowSysWye) {
    CMeasurementJob job;
    job.MeasFunc = measFunc;
    job.VoltPowSysType = powSys;
    job.VoltInputRangeCode = 6;
    job.PhCurrClampRawVal = 100000;
    job.NeutralClampCurrRawVal = 100000;
    CRawScaling s;
    s.Build(job, 102, 0);
    return s;
}

TEST(DerivedValues, ThdFromMeanHarmonics) {
    struct Case {
        int16_t mean, h1, h2, h3, h5;
        int order;
        double thd;
    };
    const Case cases[] = {
        {17600, 1000, 0, 30, 40, 50, 5},  // sqrt(30^2 + 40^2) / 1000
        {17600, 1000, 0, 30, 40, 4, 3},   // orders 2 to 4 only
        {17600, 1000, 0, 30, 40, 1, 0},   // no order to sum
        {17600, 0, 0, 30, 0, 50, 300},    // content without fundamental
        {17600, 0, 0, 0, 0, 50, 0},       {17600, 10, 1000, 0, 0, 50, 300},  // 10000 % capped
        {0, 1000, 0, 30, 40, 50, 0},                                         // no voltage
        {17600, -1000, 0, 30, 40, 50, 5},  // a negative raw fundamental still gives a ratio
    };
    for (const Case& c : cases) {
        CIntervalRecord r;
        r.VoltAvgPhaseLxRawVal[1] = c.mean;
        r.SetVoltHarm(1, 1, c.h1);
        r.SetVoltHarm(1, 2, c.h2);
        r.SetVoltHarm(1, 3, c.h3);
        r.SetVoltHarm(1, 5, c.h5);
        r.NeutralCurrAvgRawVal = c.mean;
        r.SetCurrHarm(kNeutral, 1, c.h1);
        r.SetCurrHarm(kNeutral, 2, c.h2);
        r.SetCurrHarm(kNeutral, 3, c.h3);
        r.SetCurrHarm(kNeutral, 5, c.h5);
        ComputeThdFromHarmonics(r, c.order);
        EXPECT_DOUBLE_EQ(r.VoltTHDAvgCalc[1], c.thd) << c.h1 << "/" << c.order;
        EXPECT_DOUBLE_EQ(r.CurrTHDAvgCalc[kNeutral], c.thd) << c.h1 << "/" << c.order;
        EXPECT_EQ(r.VoltTHDAvgCalc[0], 0);
    }
}

TEST(DerivedValues, ThdOfFunctionPFromRmsAndFundamental) {
    struct Case {
        int16_t mean, fundamental;
        double thd;
    };
    const Case cases[] = {
        {17600, 23000, 26.603580071},  // 230 V against 222.27 V
        {17600, 1, 300},               // capped
        {17600, 0, 300},
        {17600, 23800, 0},  // fundamental equals the RMS value
        {0, 23000, 0},
        {-17600, -23000, 0},  // garbage: no NaN
    };
    const CRawScaling s = Scaling(kMeasFuncP);
    for (const Case& c : cases) {
        CIntervalRecord r;
        r.VoltAvgPhaseLxRawVal[2] = c.mean;
        r.VoltUh1AvgPhaseLxRawVal[2] = c.fundamental;
        r.CurrAvgPhaseLxRawVal[0] = c.mean;
        r.CurrIh1AvgPhaseLxRawVal[0] = c.fundamental;
        ComputeThdFromFundamentals(r, s);
        EXPECT_NEAR(r.VoltTHDAvgCalc[2], c.thd, 1e-8) << c.mean << "/" << c.fundamental;
        EXPECT_NEAR(r.CurrTHDAvgCalc[0], c.thd, 1e-8) << c.mean << "/" << c.fundamental;
    }
}

TEST(DerivedValues, VoltageUnbalanceOfPhaseToNeutralSystemsFromAnglesAndMeans) {
    struct Case {
        int16_t angle2, angle3;
        int16_t mean3;
        int16_t expected;
    };
    const Case cases[] = {
        {9600, 19200, 17600, 0},      // 120 and 240 degrees, balanced
        {19200, 9600, 17600, 0},      // the other rotation
        {9600, 19200, 0, 5000},       // L3 missing: negative = positive / 2
        {8000, 19200, 17600, 1173},   // 100 degrees is still a phase angle ...
        {7999, 19200, 17600, 10000},  // ... just below it is not
        {9600, 21000, 17600, 10000},  // 262.5 degrees
    };
    const CRawScaling s = Scaling(kMeasFuncA);
    for (const Case& c : cases) {
        CIntervalRecord r;
        r.VoltAvgPhaseLxRawVal = {17600, 17600, c.mean3};
        r.UnbalAngleL1L2 = c.angle2;
        r.UnbalAngleL1L3 = c.angle3;
        EXPECT_EQ(ComputeVoltageUnbalance(r, s), c.expected) << c.angle2 << "/" << c.angle3;
    }
    CIntervalRecord low;
    low.VoltAvgPhaseLxRawVal = {175, 100, 0};
    EXPECT_EQ(ComputeVoltageUnbalance(low, s), 0);
}

TEST(DerivedValues, VoltageUnbalanceBetweenPhasesFromTheFundamentals) {
    const CRawScaling s = Scaling(kMeasFuncA, kPowSysDelta);
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {30000, 30000, 30000};  // above the fundamentals: rule U1 keeps them
    r.VoltUh1AvgPhaseLxRawVal = {10000, 10000, 10000};
    EXPECT_EQ(ComputeVoltageUnbalance(r, s), 0);
    r.VoltUh1AvgPhaseLxRawVal = {10000, 10000, 15000};
    EXPECT_EQ(ComputeVoltageUnbalance(r, s), 3252);  // 32.52 %
    r.VoltUh1AvgPhaseLxRawVal = {10000, 10000, 0};
    EXPECT_EQ(ComputeVoltageUnbalance(r, s), 10000);
    r.VoltUh1AvgPhaseLxRawVal = {0, 0, 0};
    EXPECT_EQ(ComputeVoltageUnbalance(r, s), 0);
}

TEST(DerivedValues, CurrentUnbalance) {
    CIntervalRecord r;
    r.UnbalAngleL1L2 = 9600;
    r.UnbalAngleL1L3 = 19200;
    r.CurrAvgPhaseLxRawVal = {17600, 17600, 17600};
    r.CurrIh1AvgPhaseLxRawVal = {23800, 23800, 23800};
    r.RealPowPh1AvgPhaseLxRawVal = {100, 100, 100};
    const CRawScaling wye = Scaling(kMeasFuncA);
    EXPECT_NEAR(ComputeCurrentUnbalance(r, wye), 0, 1e-9);
    // The same displacement in every phase keeps the currents balanced.
    r.ReactPowPh1AvgPhaseLxRawVal = {100, 100, 100};
    EXPECT_NEAR(ComputeCurrentUnbalance(r, wye), 0, 1e-9);
    r.CurrIh1AvgPhaseLxRawVal[2] = 0;
    EXPECT_NEAR(ComputeCurrentUnbalance(r, wye), 50, 1e-9);

    const CRawScaling delta = Scaling(kMeasFuncA, kPowSysDelta);
    r.CurrIh1AvgPhaseLxRawVal = {23800, 23800, 23800};
    EXPECT_NEAR(ComputeCurrentUnbalance(r, delta), 0, 1e-9);
    r.CurrIh1AvgPhaseLxRawVal = {3000, 4000, 5000};  // a right triangle
    EXPECT_NEAR(ComputeCurrentUnbalance(r, delta), 30.343043401, 1e-8);
    r.CurrIh1AvgPhaseLxRawVal = {23800, 23800, 0};  // L1 and L2 opposite
    EXPECT_NEAR(ComputeCurrentUnbalance(r, delta), 100, 1e-9);
    r.CurrIh1AvgPhaseLxRawVal = {0, 0, 0};
    EXPECT_EQ(ComputeCurrentUnbalance(r, delta), 0);
}

TEST(IntervalNormalisation, SinglePhaseKeepsOnlyL1) {
    CIntervalRecord r;
    r.UnbalAngleL1L2 = 9600;
    r.VoltAvgPhaseLxRawVal = {17600, 17000, 16000};
    r.VoltHalfpMaxPhaseLxRaw = {1, 2, 3};
    r.VoltUDeltaRmsPhaseLxRawVal = {1, 2, 3};
    r.SetCurrHarm(1, 3, 5);
    r.SetCurrHarm(kNeutral, 3, 5);
    r.SetVoltInterharm(2, 0, 5);
    r.NeutralCurrAvgRawVal = 100;
    r.RealPowMaxTotRawVal = 100;
    r.RealPowAvgPhaseLxRawVal = {10, 20, 30};

    CIntervalRecord single = r;
    ClearAbsentConductors(single, kPowSysSinglePhase);
    EXPECT_EQ(single.VoltAvgPhaseLxRawVal, (PhaseRaw{17600, 0, 0}));
    EXPECT_EQ(single.VoltHalfpMaxPhaseLxRaw, (PhaseRawU{1, 0, 0}));
    EXPECT_EQ(single.VoltUDeltaRmsPhaseLxRawVal, (PhaseRawU{1, 0, 0}));
    EXPECT_EQ(single.RealPowAvgPhaseLxRawVal, (PhaseRaw{10, 0, 0}));
    EXPECT_EQ(single.CurrHarm(1, 3), 0);
    EXPECT_EQ(single.CurrHarm(kNeutral, 3), 0);
    EXPECT_EQ(single.VoltInterharm(2, 0), 0);
    EXPECT_EQ(single.NeutralCurrAvgRawVal, 0);
    EXPECT_EQ(single.RealPowMaxTotRawVal, 0);
    EXPECT_EQ(single.UnbalAngleL1L2, 9600);

    CIntervalRecord split = r;
    ClearAbsentConductors(split, kPowSysSplitSinglePhase);
    EXPECT_EQ(split.VoltAvgPhaseLxRawVal, (PhaseRaw{17600, 17000, 0}));
    EXPECT_EQ(split.CurrHarm(1, 3), 5);
    EXPECT_EQ(split.CurrHarm(kNeutral, 3), 5);
    EXPECT_EQ(split.VoltInterharm(2, 0), 0);
    EXPECT_EQ(split.NeutralCurrAvgRawVal, 100);
    EXPECT_EQ(split.RealPowMaxTotRawVal, 100);

    CIntervalRecord wye = r;
    ClearAbsentConductors(wye, kPowSysWye);
    EXPECT_EQ(wye.VoltAvgPhaseLxRawVal, r.VoltAvgPhaseLxRawVal);
}

TEST(IntervalNormalisation, DerivesValuesThenDropsHarmonicsWithoutFundamental) {
    CIntervalList list;
    list.SetScaling(Scaling(kMeasFuncA));
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {17600, 17600, 17600};
    r.UnbalAngleL1L2 = 9600;
    r.UnbalAngleL1L3 = 19200;
    r.SetVoltHarm(0, 1, 1000);
    r.SetVoltHarm(0, 3, 50);
    r.SetVoltHarm(1, 3, 50);  // phase L2 has no fundamental
    r.SetVoltInterharm(1, 0, 7);
    list.Add(r);
    NormaliseIntervals(list, kPowSysWye, 50);
    const CIntervalRecord& n = list[0];
    EXPECT_DOUBLE_EQ(n.VoltTHDAvgCalc[0], 5);
    EXPECT_EQ(n.VoltTHDAvgCalc[1], 300);  // computed before the harmonics were dropped
    EXPECT_EQ(n.VoltHarm(0, 3), 50);
    EXPECT_EQ(n.VoltHarm(1, 3), 0);
    EXPECT_EQ(n.VoltInterharm(1, 0), 7);
    EXPECT_EQ(n.VoltUnbalance, 0);

    RecomputeThd(list, 2);
    EXPECT_EQ(list[0].VoltTHDAvgCalc[0], 0);  // order 3 no longer counts
}

TEST(IntervalNormalisation, FunctionPUsesTheFundamentalsAndOtherFunctionsDeriveNoThd) {
    CIntervalList list;
    list.SetScaling(Scaling(kMeasFuncP));
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {17600, 0, 0};
    r.VoltUh1AvgPhaseLxRawVal = {23000, 0, 0};
    list.Add(r);
    NormaliseIntervals(list, kPowSysWye, 50);
    EXPECT_NEAR(list[0].VoltTHDAvgCalc[0], 26.603580071, 1e-8);
    RecomputeThd(list, 2);  // function A only
    EXPECT_NEAR(list[0].VoltTHDAvgCalc[0], 26.603580071, 1e-8);

    CIntervalList other;
    other.SetScaling(Scaling(0));
    other.Add(r);
    NormaliseIntervals(other, kPowSysWye, 50);
    EXPECT_EQ(other[0].VoltTHDAvgCalc[0], 0);
    EXPECT_EQ(other[0].VoltUnbalance, 0);
}

TEST(StatusCounts, CountsConditionsOfEveryRecordType) {
    CIntervalList intervals;
    for (int status : {0x0040, 0x0060, 0x0008, 0x0010, 0x0090, 0x80C0}) {
        CIntervalRecord r;
        r.Status = int16_t(status);
        intervals.Add(r);
    }
    CStatisticList statistics;
    for (int status : {0x0040, 0x0030, 0x0008}) {
        CStatisticSegment s;
        s.Status = int16_t(status);
        statistics.Add(s);
    }
    const CTimeStamp stop(2024, 1, 1, 12, 0, 0);
    CEventList events;
    CEventRecord finished, open, late;
    finished.EndDateTime = stop;
    open.EndDateTime = stop;
    open.Status = kEventStatusOpen;
    late.EndDateTime = CTimeStamp(2024, 1, 1, 12, 0, 1);
    events.Add(finished);
    events.Add(open);
    events.Add(late);

    const MeasurementStatusCounts n = CountStatusConditions(intervals, statistics, events, stop);
    EXPECT_EQ(n.intervalLineInterruptions, 3u);
    EXPECT_EQ(n.intervalSyncErrors, 1u);
    EXPECT_EQ(n.intervalUnbalanceErrors, 1u);
    EXPECT_EQ(n.intervalVoltageOverflows, 2u);
    EXPECT_EQ(n.intervalCurrentOverflows, 2u);
    EXPECT_EQ(n.statisticLineInterruptions, 1u);
    EXPECT_EQ(n.statisticSyncErrors, 1u);
    EXPECT_EQ(n.statisticVoltageOverflows, 1u);
    EXPECT_EQ(n.finishedEvents, 1u);
    EXPECT_EQ(n.unfinishedEvents, 2u);
}

}  // namespace
}  // namespace varelo
