#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/AppOptions.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/LimitValues.h"
#include "evaluation/SignallingStatistics.h"
#include "evaluation/TableSummary.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RawScaling.h"
#include "support/SteadyMeasurement.h"

namespace varelo {
namespace {

constexpr int kIntervals = 20;
constexpr int kSignallingHz = 216;  // order 4.32 at 50 Hz
constexpr int kClassAt5 = 5;        // the signalling class whose upper edge is 5 %
constexpr int kClassAt5_5 = 6;      // and 5.5 %

// A function A measurement whose every interval carries the same harmonics, so that each
// maximum and 95 % value is the value put in, and one statistic segment with the signalling
// classes of each phase. No events were recorded, and the unbalance angles are all zero.
class TableSummaryTest : public ::testing::Test {
protected:
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, kIntervals);
    CLimitValues limits;
    CRawScaling scaling;
    CEvaluationResult result;
    std::string limitFile = "/limits/Plant.gwd";

    void SetUp() override {
        limits.SetDefaults(50);
        limits.Histogram = 95;
        limits.THD = 8;
        limits.ClearCurrentHarmonics();  // no current order nor THD to show
        limits.CurrTHD = 0;
        limits.SetSignallingLimit(kSignallingHz, 5);
        data.job.NrInterHarm = 1;
        data.job.HarmOrder[0] = 432;
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
    }

    // Sets harmonic order n of a phase to percent of the nominal voltage in every interval.
    void VoltageHarmonic(int phase, int order, double percent) {
        const auto raw = int16_t(std::lround(percent / scaling.HarmPercentScale));
        for (CIntervalRecord& r : data.intervals)
            r.SetVoltHarm(phase, order, raw);
    }
    void VoltageThd(int phase, double percent) {
        for (CIntervalRecord& r : data.intervals)
            r.VoltTHDAvgCalc[size_t(phase)] = percent;
    }
    void SignallingClass(CStatisticSegment& s, int phase, int level) {
        s.SignalVal[size_t(phase)][0][size_t(level)] = s.NrSignalVoltInterval;
    }

    TableSummary Build() {
        const EvaluationInput input{data.intervals, data.statistics, data.events,
                                    data.job,       limits,          scaling};
        EXPECT_TRUE(result.Evaluate(input, true));
        return TableSummary::Build({data.job, scaling, limits, limitFile, result},
                                   PhaseLabels::L123);
    }
};

const SummaryRow* FindRow(const TableSummary& s, const std::string& label, size_t from = 0) {
    for (size_t i = from; i < s.rows.size(); ++i) {
        if (s.rows[i].label == label) return &s.rows[i];
    }
    return nullptr;
}

size_t IndexOf(const TableSummary& s, const std::string& label) {
    for (size_t i = 0; i < s.rows.size(); ++i) {
        if (s.rows[i].label == label) return i;
    }
    return s.rows.size();
}

TEST_F(TableSummaryTest, HarmonicSubRowsFollowTheDistinctWorstOrdersInPhaseOrder) {
    // The 5th's limit is 6 %: L1 at 7.2 % (ratio 1.2) and L3 at 3 % (0.5) have it as their worst
    // order; L2's THD of 8 % exactly at its limit (ratio 1) outweighs its 5th at 1.2 % (0.2).
    VoltageHarmonic(0, 5, 7.2);
    VoltageHarmonic(1, 5, 1.2);
    VoltageHarmonic(2, 5, 3.0);
    VoltageThd(0, 2);
    VoltageThd(1, 8);
    VoltageThd(2, 1);
    const TableSummary s = Build();

    const size_t header = IndexOf(s, "Voltage harmonics");
    ASSERT_LT(header + 2, s.rows.size());
    const SummaryRow& fifth = s.rows[header + 1];
    const SummaryRow& thd = s.rows[header + 2];
    EXPECT_TRUE(s.rows[header].header);
    EXPECT_EQ(fifth.label, "5. Harm.");
    EXPECT_EQ(fifth.unit, "% [Vn]");
    EXPECT_EQ(fifth.limit, "6.00");
    EXPECT_EQ(thd.label, "THD V");
    EXPECT_EQ(thd.unit, "%");
    EXPECT_EQ(thd.limit, "8.00");
    // Each phase writes into its order's row only; the other phases' cells stay empty.
    EXPECT_EQ(fifth.cells[0], "7.20");
    EXPECT_EQ(fifth.cells[1], "");
    EXPECT_EQ(fifth.cells[2], "3.00");
    EXPECT_EQ(fifth.cells[3], "7.20");
    EXPECT_EQ(fifth.cells[5], "3.00");
    EXPECT_EQ(thd.cells[0], "");
    EXPECT_EQ(thd.cells[1], "8.00");
    EXPECT_EQ(thd.cells[4], "8.00");
    // Harmonic and THD cells are marked from the limit on ("at or above").
    EXPECT_EQ(fifth.marks[0], SummaryRow::kMaximumReached);
    EXPECT_EQ(fifth.marks[3], SummaryRow::kShareReached);
    EXPECT_EQ(fifth.marks[2], SummaryRow::kNone);
    EXPECT_EQ(fifth.marks[5], SummaryRow::kNone);
    EXPECT_EQ(thd.marks[1], SummaryRow::kMaximumReached);
    EXPECT_EQ(thd.marks[4], SummaryRow::kShareReached);
    // Nothing more in the group: the next row is the current harmonics' header.
    EXPECT_EQ(s.rows[header + 3].label, "Current harmonics");
}

TEST_F(TableSummaryTest, SignallingIsMarkedOnlyAboveItsLimit) {
    CStatisticSegment segment;
    segment.NrSignalVoltInterval = 100;
    SignallingClass(segment, 0, kClassAt5);    // exactly at the limit of 5 %
    SignallingClass(segment, 1, kClassAt5_5);  // above it
    SignallingClass(segment, 2, kClassAt5);
    data.statistics.Add(segment);
    ASSERT_EQ(CSignallingStatistics::UpperEdge(kClassAt5), 5.0);
    const TableSummary s = Build();

    const size_t header = IndexOf(s, "Signallingvoltages");
    ASSERT_LT(header + 1, s.rows.size());
    EXPECT_EQ(s.rows[header].cells[4], "99%-value");  // names the group's x % column
    const SummaryRow& channel = s.rows[header + 1];
    EXPECT_EQ(channel.label, "216 Hz");
    EXPECT_EQ(channel.limit, "5.00");
    EXPECT_EQ(channel.cells[0], "5.00");
    EXPECT_EQ(channel.cells[1], "5.50");
    EXPECT_EQ(channel.cells[3], "5.00");
    EXPECT_EQ(channel.marks[0], SummaryRow::kNone);
    EXPECT_EQ(channel.marks[3], SummaryRow::kNone);
    EXPECT_EQ(channel.marks[1], SummaryRow::kMaximumReached);
    EXPECT_EQ(channel.marks[4], SummaryRow::kShareReached);
}

TEST_F(TableSummaryTest, AbsentUndefinedAndOrderlessQuantitiesSayNotDefinedNoAndDash) {
    const TableSummary s = Build();

    // No events were recorded, so there is no event object: every present phase shows "-".
    const SummaryRow* interruptions = FindRow(s, "Interruptions < 1%");
    const SummaryRow* events = FindRow(s, "Events");
    ASSERT_TRUE(interruptions && events);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(interruptions->cells[size_t(p)], "-");
        EXPECT_EQ(events->cells[size_t(p)], "-");
    }

    // Unbalance angles of zero are implausible: the unbalance is not defined.
    const SummaryRow* unbalance = FindRow(s, "Unbalance V");
    ASSERT_TRUE(unbalance);
    EXPECT_TRUE(unbalance->mergedMaximum);
    EXPECT_EQ(unbalance->cells[1], "Not defined");
    EXPECT_EQ(unbalance->cells[4], "-");

    // Without current limits no current order is evaluated: the header says "No" in A.
    const size_t current = IndexOf(s, "Current harmonics");
    ASSERT_LT(current + 1, s.rows.size());
    EXPECT_EQ(s.rows[current].unit, "A");
    EXPECT_EQ(s.rows[current].cells[1], "No");
    EXPECT_FALSE(s.rows[current + 1].subRow);
}

TEST_F(TableSummaryTest, HeadingAndLegendNameTheShares) {
    const TableSummary s = Build();
    EXPECT_EQ(s.shareHeading, "95%-value");
    EXPECT_EQ(s.shareLegend, "95% (99.5%) - value above limit value");
    EXPECT_EQ(s.maximumLegend, "Max value above limit value");
    EXPECT_EQ(s.limitFileName, "Plant.gwd");
    EXPECT_EQ(s.rows[0].limit, "230V ");
    EXPECT_EQ(s.rows[1].label, "Maximum 100% / 95%");
    EXPECT_EQ(s.rows[1].limit, "+10.00/+10.00");
}

}  // namespace
}  // namespace varelo
