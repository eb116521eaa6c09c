#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "support/TableScaleSources.h"
#include "timeplot/DiagramState.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {
namespace {

CTimeStamp At(int day, int hour, int minute) {
    return CTimeStamp(2026, 3, day, hour, minute, 0);
}

// A week of ten-minute intervals; measuring ranges and extremes from small tables.
class DiagramStateTest : public ::testing::Test {
protected:
    DiagramState diagram{TimeAxis(At(2, 0, 10), At(9, 0, 0), 600)};
    test::ValueRanges ranges{
        {1011, {0, 276}}, {2011, {0, 276}}, {1031, {0, 1200}}, {1084, {-1, 1}}};
    test::ValueRanges extremes{
        {1011, {231.2, 236.9}}, {2011, {228.0, 233.0}}, {1031, {0, 7.3}}, {1084, {0.5, 0.98}}};
    ScaleSources sources = test::TableScaleSources(ranges, extremes);
};

TEST_F(DiagramStateTest, NewCurvesKeepTheRangesAndRolesOfCurvesShownBefore) {
    diagram.SetCurves({1011, 1031, 2011});
    diagram.ComputeRanges(sources);
    diagram.ChooseAxisCurvesAfresh();
    diagram.SetLimitLine(2, 1);
    EXPECT_EQ(diagram.DrawingOrder(), (std::vector<int>{0, 1, 2}));
    const YRange current = diagram.Range(1);

    diagram.SetCurves({1084, 1031, 2011});  // 1011 is gone, 1031 and 2011 stay in place
    EXPECT_EQ(diagram.Range(1), current);
    EXPECT_FALSE(diagram.Range(0).IsSet());
    EXPECT_EQ(diagram.LeftCurve(), -1);
    EXPECT_EQ(diagram.RightCurve(), 1);
    EXPECT_EQ(diagram.LimitCurve(), 2);
    diagram.KeepAxisCurves();  // the missing left takes the right
    EXPECT_EQ(diagram.LeftCurve(), 1);
    EXPECT_EQ(diagram.RightCurve(), -1);

    // Both axis curves gone: the left axis takes curve 0.
    diagram.SetCurves({1084, 2011});
    diagram.SetCurves({1031});
    diagram.KeepAxisCurves();
    EXPECT_EQ(diagram.LeftCurve(), 0);
}

TEST_F(DiagramStateTest, GroupsFollowTheQuantityFamiliesInOrderOfFirstAppearance) {
    diagram.SetCurves({1011, 2011, 1031, 1301, 1305, 1310, 1084, 1020, 1086});
    diagram.AssignGroups();
    std::vector<int> groups;
    for (const Curve& c : diagram.Curves())
        groups.push_back(c.group);
    EXPECT_EQ(groups, (std::vector<int>{1, 1, 2, 3, 4, 4, 5, 1, 6}));

    // The right axis takes the first curve outside the left curve's group.
    diagram.SetGroupScaling(true);
    diagram.ChooseAxisCurvesAfresh();
    EXPECT_EQ(diagram.LeftCurve(), 0);
    EXPECT_EQ(diagram.RightCurve(), 2);
    diagram.SetGroupScaling(false);
    diagram.ChooseAxisCurvesAfresh();
    EXPECT_EQ(diagram.RightCurve(), 1);
}

TEST_F(DiagramStateTest, RangesPerScalingMode) {
    diagram.SetCurves({1011, 2011, 1031, 1084, 1999});
    diagram.SetScalingMode(kScaleMeasuringRange);
    diagram.ComputeRanges(sources);
    EXPECT_EQ(diagram.Range(0), (YRange{0, 276}));
    EXPECT_EQ(diagram.Range(3), (YRange{-1, 1}));
    // No measuring range (0 .. 0): the top is kept above the bottom.
    EXPECT_EQ(diagram.Range(4), (YRange{0, 0.01}));

    diagram.SetScalingMode(kScaleExtremes);
    diagram.ComputeRanges(sources);
    EXPECT_NEAR(diagram.Range(0).bottom, 229, 1e-9);  // 231.2 .. 236.9
    EXPECT_NEAR(diagram.Range(0).top, 239, 1e-9);
    EXPECT_NEAR(diagram.Range(2).bottom, 0, 1e-9);  // 0 .. 7.3
    EXPECT_NEAR(diagram.Range(2).top, 10, 1e-9);

    // Group scaling: both voltages get one range around 228.0 .. 236.9.
    diagram.AssignGroups();
    diagram.SetGroupScaling(true);
    diagram.ComputeRanges(sources);
    EXPECT_EQ(diagram.Range(0), diagram.Range(1));
    EXPECT_LE(diagram.Range(0).bottom, 228.0);
    EXPECT_GE(diagram.Range(0).top, 236.9);

    // Manual: set ranges stay, unset ones are scaled to their extremes.
    diagram.SetGroupScaling(false);
    diagram.SetScalingMode(kScaleManual);
    diagram.SetRange(0, {200, 250});
    diagram.SetCurves({1011, 1031});
    diagram.SetRange(1, YRange{});
    diagram.ComputeRanges(sources);
    EXPECT_EQ(diagram.Range(0), (YRange{200, 250}));
    EXPECT_NEAR(diagram.Range(1).top, 10, 1e-9);
}

TEST_F(DiagramStateTest, ZoomNeedsFifteenPixelsAndPeriodCommandsUndoEveryZoom) {
    diagram.SetCurves({1011, 1084});
    diagram.ComputeRanges(sources);
    diagram.Axis().SetWindowStart(At(3, 0, 0));
    diagram.ChoosePeriod(kOneDayPeriod);
    const ViewState before = diagram.State();
    const PixelRect area{100, 50, 960, 500};

    EXPECT_FALSE(diagram.Zoom({300, 100, 14, 200}, area));
    EXPECT_FALSE(diagram.HasZoomHistory());
    // The lower half of the diagram over the second half of the day.
    ASSERT_TRUE(diagram.Zoom({580, 300, 480, 250}, area));
    EXPECT_EQ(diagram.Range(0), (YRange{0, 138}));
    EXPECT_EQ(diagram.Axis().WindowStart(), At(3, 12, 0));
    EXPECT_EQ(diagram.Axis().Period(), 14);  // 12 hours hold the selected 12 hours
    EXPECT_EQ(diagram.Range(1), (YRange{-1, 0}));

    ASSERT_TRUE(diagram.Zoom({100, 50, 15, 15}, area));
    ASSERT_TRUE(diagram.Zoom({100, 50, 100, 100}, area));
    diagram.UndoZoom();
    EXPECT_TRUE(diagram.HasZoomHistory());
    diagram.ChoosePeriod(kOneDayPeriod);  // "1 day": back before the first zoom
    EXPECT_FALSE(diagram.HasZoomHistory());
    EXPECT_EQ(diagram.Range(0), before.ranges[0]);
    EXPECT_EQ(diagram.Axis().WindowStart(), before.windowStart);
}

TEST_F(DiagramStateTest, ABandInATallDiagramStillLeavesARange) {
    diagram.SetCurves({1011});
    diagram.ComputeRanges(sources);
    // 15 of 2000 pixels is less than a hundredth of the height.
    ASSERT_TRUE(diagram.Zoom({100, 985, 400, 15}, {100, 0, 960, 2000}));
    EXPECT_GT(diagram.Range(0).Span(), 0);
    EXPECT_NEAR(diagram.Range(0).Span(), 2.76, 1e-9);
}

TEST_F(DiagramStateTest, TheLimitLineCurveIsDrawnLast) {
    diagram.SetCurves({1011, 2011, 1031});
    diagram.DrawLast(0);
    EXPECT_EQ(diagram.DrawingOrder(), (std::vector<int>{1, 2, 0}));
    diagram.SetLimitLine(1, 0);
    EXPECT_EQ(diagram.DrawingOrder().back(), 1);
    diagram.DrawLast(2);  // the limit line keeps its place
    EXPECT_EQ(diagram.DrawingOrder().back(), 1);
    EXPECT_TRUE(IsPowerQuantity(67));
    EXPECT_FALSE(IsPowerQuantity(84));
}

}  // namespace
}  // namespace varelo
