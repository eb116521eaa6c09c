#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/MeasurementValueList.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RawScaling.h"
#include "support/SteadyMeasurement.h"

namespace varelo {
namespace {

// Ten intervals of 600 s; the second comes 1200 s after the first, a gap of one interval.
class MeasurementValueListTest : public ::testing::Test {
protected:
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 10, 17600, 1200);

    void SetUp() override {
        data.job.VoltInputRangeCode = 6;
        CRawScaling scaling;
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
    }
    MeasurementValueList List() const {
        return MeasurementValueList(data.intervals, data.job, {{1011, 2}, {2011, 0}}, 600);
    }
};

TEST_F(MeasurementValueListTest, OnlyARowAfterAGapIsMarkedAndTheFirstNeverIs) {
    MeasurementValueList list = List();
    list.SetStatus(true);
    const std::vector<std::string> first = list.RowTexts(0);
    const std::vector<std::string> second = list.RowTexts(1);
    const std::vector<std::string> third = list.RowTexts(2);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[1], "1  LG---------");
    EXPECT_EQ(second[1], "2 *LG---------");
    EXPECT_EQ(third[1], "3  LG---------");
    // 17600 raw at 230 V input range; at least three characters wide.
    EXPECT_EQ(first[2], "230.00");
    EXPECT_EQ(first[3], "230");
    list.SetStatus(false);
    EXPECT_EQ(list.RowTexts(0).size(), 3u);
    EXPECT_EQ(list.ColumnTitles(PhaseLabels::L123).size(), 3u);
}

TEST_F(MeasurementValueListTest, PrintRangesEndBeforeTheFirstRowPastTheDuration) {
    const MeasurementValueList list = List();
    struct Case {
        int period;
        size_t first;
        size_t begin, end;
        bool onePage;
        const char* why;
    } cases[] = {
        {12, 2, 2, 8, false, "1 hour of 600-s intervals is six rows"},
        {12, 5, 5, 10, false, "40 minutes before the end stops at the last row"},
        {11, 0, 0, 10, false, "2 hours from the first row: the gap leaves ten rows"},
        {2, 5, 0, 10, false, "the measurement period is the whole list"},
        {1, 4, 4, 10, true, "one page from the first visible row"},
        {0, 4, 4, 10, true, "a period outside 1-12 reads as one page"},
        {13, 4, 4, 10, true, "so does 13"},
        {12, 10, 10, 10, false, "a start beyond the last row prints nothing"},
    };
    for (const Case& c : cases) {
        const ValueListRange range = list.PrintRange(c.period, c.first);
        EXPECT_EQ(range.first, c.begin) << c.why;
        EXPECT_EQ(range.end, c.end) << c.why;
        EXPECT_EQ(range.onePage, c.onePage) << c.why;
    }
}

TEST_F(MeasurementValueListTest, PeriodTableRunsFromOnePageToOneHour) {
    const auto& periods = MeasurementValueList::Periods();
    ASSERT_EQ(periods.size(), 12u);
    EXPECT_EQ(periods.front().command, 33011);
    EXPECT_EQ(periods[2].seconds, 7 * 24 * 3600);
    EXPECT_EQ(periods.back().command, 33001);
    EXPECT_EQ(periods.back().seconds, 3600);
    EXPECT_EQ(MeasurementValueList::ValidPeriod(-1), 1);
    EXPECT_EQ(MeasurementValueList::ValidPeriod(12), 12);
}

}  // namespace
}  // namespace varelo
