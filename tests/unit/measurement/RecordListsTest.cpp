#include <gtest/gtest.h>

#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementJob.h"
#include "measurement/StatisticList.h"

namespace varelo {
namespace {

CTimeStamp At(int minute) {
    return CTimeStamp(2024, 3, 1, 10, minute, 0);
}

CEventRecord Event(int phase, int startMinute, int endMinute, int32_t kind = kEventOther) {
    CEventRecord e;
    e.Phase = int16_t(phase);
    e.StartDateTime = At(startMinute);
    e.EndDateTime = At(endMinute);
    e.Kind = kind;
    return e;
}

TEST(IntervalList, OnlineVariantKeepsTheLatestThousandRecords) {
    CIntervalList list;
    for (int i = 0; i < 1005; ++i) {
        CIntervalRecord r;
        r.Freq10min = int16_t(i);
        ASSERT_TRUE(list.AddOnline(r));
    }
    EXPECT_EQ(list.size(), 1000u);
    EXPECT_EQ(list.front().Freq10min, 5);
    EXPECT_EQ(list.back().Freq10min, 1004);
    list.RemoveFirst();
    EXPECT_EQ(list.front().Freq10min, 6);
}

TEST(IntervalList, PeriodKeepsIntervalsEndingAfterStartUpToEnd) {
    CIntervalList list;
    for (int minute : {0, 10, 20, 30}) {
        CIntervalRecord r;
        r.DateTime = At(minute);
        list.Add(r);
    }
    EXPECT_EQ(list.RemoveOutside(At(0), At(20)), 2u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.FirstTimeStamp(), At(10));
    EXPECT_EQ(list.LastTimeStamp(), At(20));
}

TEST(IntervalList, EmptyListReportsFixedTimestampsAndDropsNothing) {
    CIntervalList list;
    list.RemoveFirst();
    EXPECT_EQ(list.FirstTimeStamp().FileText(), "1970-12-31 11:59:59.0");
    EXPECT_EQ(list.LastTimeStamp().FileText(), "1970-12-31 12:59:59.0");
}

TEST(StatisticList, PeriodIncludesBothEnds) {
    CStatisticList list;
    for (int minute : {0, 10, 20, 30}) {
        CStatisticSegment s;
        s.DateTime = At(minute);
        list.Add(s);
    }
    EXPECT_EQ(list.RemoveOutside(At(10), At(20)), 2u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].DateTime, At(10));
    EXPECT_EQ(list[1].DateTime, At(20));
}

TEST(EventList, PeriodKeepsEventsThatOverlapIt) {
    struct Case {
        int start, end;
        bool kept;
    };
    const Case cases[] = {{0, 5, false},  {0, 10, true},  {5, 15, true},  {12, 18, true},
                          {15, 25, true}, {20, 30, true}, {21, 30, false}};
    CEventList list;
    for (const Case& c : cases)
        list.Add(Event(1, c.start, c.end));
    list.RemoveOutside(At(10), At(20));
    size_t i = 0;
    for (const Case& c : cases) {
        if (!c.kept) continue;
        ASSERT_LT(i, list.size());
        EXPECT_EQ(list[i].StartDateTime, At(c.start));
        ++i;
    }
    EXPECT_EQ(list.size(), i);
}

TEST(EventList, PowerSystemFilterRemovesOnlyAbsentPhases) {
    struct Case {
        uint32_t powSys;
        std::vector<int> kept;
    };
    const Case cases[] = {
        {kPowSysSinglePhase, {0, 1, 4}},
        {kPowSysSplitSinglePhase, {0, 1, 2, 4}},
        {kPowSysWye, {0, 1, 2, 3, 4}},
        {kPowSysDelta, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        CEventList list;
        for (int phase : {0, 1, 2, 3, 4})
            list.Add(Event(phase, 0, 1));
        list.RemoveAbsentPhases(c.powSys);
        std::vector<int> kept;
        for (const CEventRecord& e : list)
            kept.push_back(e.Phase);
        EXPECT_EQ(kept, c.kept) << c.powSys;
    }
}

TEST(EventList, CountKindCountsEventsCompletelyWithinThePeriod) {
    CEventList list;
    list.Add(Event(1, 10, 12, kEventShortInterruption));
    list.Add(Event(1, 15, 20, kEventShortInterruption));
    list.Add(Event(2, 5, 12, kEventShortInterruption));   // starts before
    list.Add(Event(2, 18, 21, kEventShortInterruption));  // ends after
    list.Add(Event(3, 11, 12, kEventLongInterruption));
    EXPECT_EQ(list.CountKind(kEventShortInterruption, At(10), At(20)), 2u);
    EXPECT_EQ(list.CountKind(kEventLongInterruption, At(10), At(20)), 1u);
    EXPECT_EQ(list.CountKind(kEventOther, At(10), At(20)), 0u);
}

TEST(EventRecord, ValueScalesThroughTheRangeAndDeltaSystemsReportPhaseToNeutral) {
    EXPECT_DOUBLE_EQ(CEventRecord::EventVoltage(2200, 230, kPowSysWye), 230);
    EXPECT_DOUBLE_EQ(CEventRecord::EventVoltage(1100, 400, kPowSysDelta), 200 * 0.5773502692);
    EXPECT_DOUBLE_EQ(CEventRecord::EventVoltage(1100, 400, kPowSysTwoElementDelta),
                     200 * 0.5773502692);
    EXPECT_DOUBLE_EQ(CEventRecord::EventVoltage(1100, 230, kPowSysSplitSinglePhase), 115);

    CMeasurementJob job;
    job.VoltPowSysType = kPowSysDelta;
    job.VoltInputRangeCode = 6;  // 400 V between phases
    job.VoltTransformer = 1;
    job.VoltPrimaryRawVal = 2000000;
    job.VoltSecondaryRawVal = 0;  // broken: the range is 0, the value too
    CEventRecord e;
    e.Val = 1100;
    e.ComputeValue(job);
    EXPECT_EQ(e.Value, 0);
    job.VoltSecondaryRawVal = 2000000;
    e.ComputeValue(job);
    EXPECT_DOUBLE_EQ(e.Value, 200 * 0.5773502692);
}

TEST(EventRecord, UnfinishedWhenOpenOrEndingAfterTheStop) {
    CEventRecord e = Event(1, 10, 20);
    EXPECT_FALSE(e.IsUnfinished(At(20)));
    EXPECT_TRUE(e.IsUnfinished(At(19)));
    EXPECT_FALSE(e.IsUnfinished(CTimeStamp()));
    e.Status = kEventStatusOpen;
    EXPECT_TRUE(e.IsUnfinished(At(30)));
}

}  // namespace
}  // namespace varelo
