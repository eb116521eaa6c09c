#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "evaluation/DisDipTable.h"
#include "evaluation/EventClassification.h"
#include "evaluation/EventListModel.h"
#include "evaluation/EventStatistics.h"
#include "evaluation/LimitValues.h"
#include "measurement/EventList.h"
#include "measurement/MeasurementJob.h"

namespace varelo {
namespace {

// An event starting at 12:00:00.500 plus `index` minutes.
CEventRecord Event(int phase, double volts, long long durationMs, int index = 0,
                   int32_t kind = kEventOther, int16_t val = 0) {
    CEventRecord e;
    e.Phase = int16_t(phase);
    e.Value = volts;
    e.Val = val;
    e.Kind = kind;
    e.StartDateTime = CTimeStamp(2024, 3, 1, 12, index, 0, 500);
    e.EndDateTime = e.StartDateTime;
    e.EndDateTime.AddSeconds(durationMs / 1000);
    e.EndDateTime.millisecond = int16_t(e.EndDateTime.millisecond + durationMs % 1000);
    if (e.EndDateTime.millisecond >= 1000) {
        e.EndDateTime.millisecond = int16_t(e.EndDateTime.millisecond - 1000);
        e.EndDateTime.AddSeconds(1);
    }
    return e;
}

CMeasurementJob Job(uint32_t powSysType = kPowSysWye) {
    CMeasurementJob job;
    job.NomVoltRawVal = 23000;
    job.VoltPowSysType = powSysType;
    job.VoltUpperThreshShort = 110;
    job.VoltLowerThreshShort = 90;
    return job;
}

TEST(EventClassification, InterruptionThresholdAndThreeMinutes) {
    // 230 V x 10 %: threshold 23000 x 10 x 0.0001 = 23 V.
    CLimitValues limits;
    limits.InterruptionLimit = 10;
    const struct {
        double volts;
        long long ms;
        int32_t kind;
    } cases[] = {
        {23.0, 1000, kEventShortInterruption},   // at the threshold: an interruption
        {23.0, 180000, kEventLongInterruption},  // exactly 3 min 0 s 0 ms: long
        {23.0, 179999, kEventShortInterruption},
        {23.01, 600000, kEventOther},  // a little above: an event
        {0, 180000, kEventLongInterruption},
    };
    CEventList events;
    for (const auto& c : cases)
        events.Add(Event(1, c.volts, c.ms, 0, -1));
    ClassifyEvents(events, Job(), limits);
    EXPECT_DOUBLE_EQ(InterruptionThreshold(Job(), limits), 23.0);
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].Kind, cases[i].kind) << i;
        EXPECT_EQ(EventDurationMs(events[i]), cases[i].ms) << i;
    }
}

TEST(EventStatistics, CountsWeightedDeviationsAndLongest) {
    CMeasurementJob job = Job();
    // a = 110 - 100 = 10 < b = 100 - 85 = 15: swells weigh 1, dips 10 / 15.
    job.VoltLowerThreshShort = 85;
    job.EventReady = 7;
    CEventStatistics s(job, PhasePresence::FromPowerSystem(kPowSysWye));
    s.Add(Event(1, 0, 100, 0, kEventOther, 2400));  // swell: 200 x 1 = 200
    s.Add(Event(2, 0, 100, 1, kEventOther, 1900));  // dip: 300 x 10/15 = 200, after its equal
    s.Add(Event(3, 0, 100, 2, kEventOther, 2300));  // 100
    s.Add(Event(1, 0, 2000, 3, kEventShortInterruption));
    s.Add(Event(2, 0, 2000, 4, kEventShortInterruption));  // equal duration: after
    s.Add(Event(1, 0, 600000, 5, kEventLongInterruption));
    s.Add(Event(0, 0, 100, 6, kEventOther, 3000));  // no phase: not counted
    EXPECT_DOUBLE_EQ(s.DipWeight(), 10.0 / 15);
    EXPECT_EQ(s.Total(kEventOther), 3);
    EXPECT_EQ(s.Total(kEventShortInterruption), 2);
    EXPECT_EQ(s.Count(0, kEventLongInterruption), 1);
    EXPECT_EQ(s.Count(1, kEventShortInterruption), 1);

    const auto top = s.TopDeviations();
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0].start.minute, 0);
    EXPECT_TRUE(top[0].above);
    EXPECT_NEAR(top[0].rawVoltage, 2400, 1e-9);
    EXPECT_EQ(top[1].start.minute, 1);
    EXPECT_FALSE(top[1].above);
    EXPECT_NEAR(top[1].rawVoltage, 1900, 1e-9);  // 2200 - 200 / (10/15)
    const auto shortest = s.Longest(kEventShortInterruption);
    ASSERT_EQ(shortest.size(), 2u);
    EXPECT_EQ(shortest[0].start.minute, 3);
    EXPECT_EQ(shortest[0].durationMs, 2000);
    EXPECT_EQ(s.Longest(kEventLongInterruption)[0].phase, 0);
}

TEST(EventStatistics, WeightsFromThresholdsTruncatedToWholePercent) {
    const struct {
        float upper, lower;
        double swell, dip;
    } cases[] = {
        {110.9f, 89.5f, 1, 10.0 / 11},  // a = 110 - 100 = 10, b = 100 - 89 = 11
        {115, 90, 10.0 / 15, 1},        // a = 15 > b = 10: swells scaled down
        {110, 90, 1, 1},
        {100.5f, 90, 1, 0},  // a = 0: dips without weight
    };
    for (const auto& c : cases) {
        CMeasurementJob job = Job();
        job.VoltUpperThreshShort = c.upper;
        job.VoltLowerThreshShort = c.lower;
        const CEventStatistics s(job, PhasePresence::FromPowerSystem(kPowSysWye));
        EXPECT_DOUBLE_EQ(s.SwellWeight(), c.swell) << c.upper << "/" << c.lower;
        EXPECT_DOUBLE_EQ(s.DipWeight(), c.dip) << c.upper << "/" << c.lower;
    }
}

TEST(EventStatistics, DipWithoutWeightReadsBackItsMeasuredVoltage) {
    CMeasurementJob job = Job();
    job.VoltUpperThreshShort = 100.5f;
    CEventStatistics s(job, PhasePresence::FromPowerSystem(kPowSysWye));
    s.Add(Event(1, 0, 100, 0, kEventOther, 1800));
    ASSERT_EQ(s.TopDeviations().size(), 1u);
    EXPECT_EQ(s.TopDeviations()[0].rawVoltage, 1800);
}

TEST(EventStatistics, AbsentPhasesAreSkipped) {
    CEventStatistics s(Job(kPowSysSinglePhase), PhasePresence::FromPowerSystem(kPowSysSinglePhase));
    s.Add(Event(2, 0, 100, 0, kEventOther, 2400));
    s.Add(Event(1, 0, 100, 0, kEventOther, 2400));
    EXPECT_EQ(s.Total(kEventOther), 1);
}

// Five events: L1 dip, L2 short interruption, phase 0 long interruption, L3 swell, L1 long
// interruption.
CEventList ListEvents() {
    CEventList events;
    events.Add(Event(1, 231.456, 1500, 0, kEventOther));
    events.Add(Event(2, 1, 2000, 1, kEventShortInterruption));
    events.Add(Event(0, 1, 200000, 2, kEventLongInterruption));
    events.Add(Event(3, 250, 80, 3, kEventOther));
    events.Add(Event(1, 0, 3600000, 4, kEventLongInterruption));
    return events;
}

TEST(EventListModel, CountsPerPhaseAndKind) {
    CEventListModel m;
    m.Build(ListEvents(), Job());
    // Rows: all phases, L1, L2, L3; columns: all kinds, events, short, long.
    const int expected[4][4] = {{5, 2, 1, 2}, {2, 1, 0, 1}, {1, 0, 1, 0}, {1, 1, 0, 0}};
    for (int p = 0; p < 4; ++p) {
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(m.Count(p, k), expected[p][k]) << p << "," << k;
    }
    EXPECT_EQ(m.PhaseFilter(), 0);
    CEventListModel single;
    single.Build(CEventList(), Job(kPowSysSinglePhase));
    EXPECT_EQ(single.PhaseFilter(), 1);
    EXPECT_TRUE(single.Rows(CEventList()).empty());
}

TEST(EventListModel, RowsColumnsAndTexts) {
    const CEventList events = ListEvents();
    CEventListModel m;
    m.Build(events, Job());
    const auto rows = m.Rows(events);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(m.ColumnTitles(PhaseLabels::L123),
              (std::vector<std::string>{"Phase L1", "Phase L2", "Phase L3"}));
    // Input range 230 V, measuring range 276 V: two decimals.
    EXPECT_EQ(rows[0].cellText, "231.46 V");
    EXPECT_EQ(rows[0].column, 0);
    EXPECT_EQ(rows[1].cellText, "< 3 min.");
    EXPECT_EQ(rows[2].column, -1);  // phase 0 has no column
    EXPECT_EQ(rows[4].cellText, ">= 3 min.");
    EXPECT_EQ(rows[4].durationText, "01:00:00.000");
    EXPECT_EQ(rows[0].durationText, "00:00:01.500");
    EXPECT_EQ(CEventListModel::DurationText(90000000), "1d 01:00:00.000");

    m.SetPhaseFilter(1);
    const auto l1 = m.Rows(events);
    ASSERT_EQ(l1.size(), 2u);
    EXPECT_EQ(l1[1].eventIndex, 4u);
    EXPECT_EQ(m.ColumnTitles(PhaseLabels::ABC), (std::vector<std::string>{"Phase A"}));
}

TEST(EventListModel, KindFilterFallsBackWhenThePhaseHasNone) {
    const CEventList events = ListEvents();
    CEventListModel m;
    m.Build(events, Job());
    m.SetPhaseFilter(2);
    EXPECT_TRUE(m.IsKindEnabled(CEventListModel::kShortInterruptions));
    EXPECT_FALSE(m.IsKindEnabled(CEventListModel::kEvents));
    m.SetKindFilter(CEventListModel::kShortInterruptions);
    ASSERT_EQ(m.Rows(events).size(), 1u);
    EXPECT_EQ(m.Rows(events)[0].eventIndex, 1u);
    // L1 has no short interruption: all kinds again.
    m.SetPhaseFilter(1);
    EXPECT_EQ(m.GetKindFilter(), CEventListModel::kAllKinds);
    m.SetKindFilter(CEventListModel::kLongInterruptions);
    m.SetPhaseFilter(0);  // all phases have long interruptions: the kind stays
    EXPECT_EQ(m.GetKindFilter(), CEventListModel::kLongInterruptions);
    EXPECT_EQ(m.Rows(events).size(), 2u);
}

TEST(EventListModel, VoltageDecimalsFollowTheMeasuringRange) {
    CMeasurementJob job = Job();
    EXPECT_EQ(CEventListModel::VoltageDecimals(job), 2);
    // 230 V x 10000 / 230: 10 kV input range.
    job.VoltTransformer = 1;
    job.VoltPrimaryRawVal = 1000000;
    job.VoltSecondaryRawVal = 23000;
    EXPECT_EQ(CEventListModel::VoltageDecimals(job), 0);
}

TEST(DisDipTable, DurationColumns) {
    const long long edges[][2] = {{0, 0},    {19, 0},    {20, 1},    {99, 1},    {100, 2},
                                  {499, 2},  {500, 3},   {999, 3},   {1000, 4},  {2999, 4},
                                  {3000, 5}, {19999, 5}, {20000, 6}, {59999, 6}, {60000, 7}};
    for (const auto& e : edges)
        EXPECT_EQ(CDisDipTable::DurationColumn(e[0]), e[1]) << e[0];
}

// Un = 230 V; swell above 253 V, dip at or below 207 V (= 0.9 Un), interruption 2.3 V.
CEventList DisDipEvents() {
    CEventList events;
    events.Add(Event(1, 260, 10));        // swell: row 0, column 0
    events.Add(Event(1, 230 * 0.9, 20));  // exactly 0.9 Un: row 2; 20 ms: column 1
    events.Add(Event(1, 230, 500));       // between dip and swell: not counted
    events.Add(Event(1, 1, 180000));      // interruption of 3 min: row 6, column 7, long
    events.Add(Event(2, 100, 999));       // 0.4 Un < 100 <= 0.7 Un: row 4, column 3
    events.Add(Event(0, 150, 60000));     // phase 0: row 4, column 7, all phases only
    events.Add(Event(2, 2, 1000));        // interruption, 1 s: row 6, column 4
    return events;
}

TEST(DisDipTable, CellsAndTotals) {
    CLimitValues limits;
    limits.InterruptionLimit = 1;
    limits.NrEvents = 100;
    CDisDipTable t;
    t.Build(DisDipEvents(), Job(), limits, 0);
    const int cells[][3] = {{0, 0, 1}, {2, 1, 1}, {6, 7, 1}, {4, 3, 1}, {4, 7, 1}, {6, 4, 1}};
    int total = 0;
    for (int r = 0; r < CDisDipTable::kRows; ++r) {
        for (int c = 0; c < CDisDipTable::kColumns; ++c)
            total += t.Cell(r, c);
    }
    EXPECT_EQ(total, 6);
    for (const auto& c : cells)
        EXPECT_EQ(t.Cell(c[0], c[1]), c[2]) << c[0] << "," << c[1];
    EXPECT_EQ(t.LongInterruptions(), 1);
    const std::vector<std::pair<std::string, int>> totals{
        {"Number of swells", 1},
        {"Number of Dips", 3},
        {"Number of short interruptions (<3 min)", 1},
        {"Number of long interruptions (>=3 min)", 1},
        {"Number of interruptions", 2},
        {"Total events and interruptions", 6},
        {"Total number of allowed events", 100},
        {"Total number of allowed interruptions", 100},
    };
    EXPECT_EQ(t.Totals(), totals);
    EXPECT_EQ(t.CornerText(PhaseLabels::L123), "Phase L1, L2, L3");
}

TEST(DisDipTable, PhaseFilters) {
    CLimitValues limits;
    CDisDipTable t;
    t.Build(DisDipEvents(), Job(), limits, 1);
    EXPECT_EQ(t.Cell(0, 0) + t.Cell(2, 1) + t.Cell(6, 7), 3);
    EXPECT_EQ(t.Cell(4, 7), 0);  // the phase 0 event
    EXPECT_EQ(t.CornerText(PhaseLabels::ABC), "Phase A");
    // L2 of a single-phase measurement: empty.
    t.Build(DisDipEvents(), Job(kPowSysSinglePhase), limits, 2);
    EXPECT_EQ(t.Totals()[5].second, 0);
}

TEST(DisDipTable, Labels) {
    CLimitValues limits;
    limits.InterruptionLimit = 1;
    CDisDipTable t;
    t.Build(CEventList(), Job(), limits, 0);
    EXPECT_EQ(t.RowLabel(0), "Swell > 10.00%");
    EXPECT_EQ(t.RowLabel(1), "Dip > 10.00%");
    EXPECT_EQ(t.RowLabel(2), "10...< 15 %");
    EXPECT_EQ(t.RowLabel(5), "60...< 99 %");
    EXPECT_EQ(t.RowLabel(6), "Interruption");
    EXPECT_EQ(CDisDipTable::ColumnLabel(3),
              std::make_pair(std::string("0.5...< 1"), std::string("s")));
    EXPECT_EQ(t.RecordingText(), "Recording as events from -10.00/+10.00% of the nominal voltage");
    CMeasurementJob job = Job();
    job.VoltLowerThreshShort = 95;
    t.Build(CEventList(), job, limits, 0);
    EXPECT_EQ(t.RowLabel(2), "10...< 15 %");  // the larger of 5 and 10
    job.VoltLowerThreshShort = 85;
    t.Build(CEventList(), job, limits, 0);
    EXPECT_EQ(t.RowLabel(2), "15...< 15 %");
}

}  // namespace
}  // namespace varelo
