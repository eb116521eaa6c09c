#include <gtest/gtest.h>

#include "support/TableScaleSources.h"

#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "app/Settings.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"
#include "timeplot/NiceScale.h"
#include "timeplot/YAxisScaling.h"

namespace varelo {
namespace {

CTimeStamp At(int day, int hour, int minute) {
    return CTimeStamp(2026, 3, day, hour, minute, 0);
}

// A week of ten-minute intervals; measuring ranges and extremes (folded for 84: power factors
// 0.5 .. 0.98) from small tables.
class YAxisScalingTest : public ::testing::Test {
protected:
    YAxisScaling Open() { return YAxisScaling(diagram, sources, nullptr); }
    int StoredMode() { return settings.ReadInt(setting::Yscaling); }

    DiagramState diagram{TimeAxis(At(2, 0, 10), At(9, 0, 0), 600)};
    test::ValueRanges ranges{
        {1011, {0, 276}}, {2011, {0, 276}}, {1031, {0, 1200}}, {1084, {-1, 1}}};
    test::ValueRanges extremes{
        {1011, {231.2, 236.9}}, {2011, {228.0, 233.0}}, {1031, {0, 7.3}}, {1084, {0.02, 0.5}}};
    ScaleSources sources = test::TableScaleSources(ranges, extremes);
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
};

TEST_F(YAxisScalingTest, ModesComputeTheFieldsAsTheDiagramWouldAndManualKeepsThem) {
    diagram.SetCurves({1011, 1031, 1084});
    diagram.ComputeRanges(sources);
    YAxisScaling scaling = Open();
    EXPECT_FALSE(scaling.ZoomAvailable());
    EXPECT_TRUE(scaling.ModesEnabled());
    EXPECT_FALSE(scaling.GroupScalingVisible());  // mode 1
    EXPECT_EQ(scaling.Top(0), 276);
    // Range-limited quantities show unfolded values: the folded -1 .. 1 runs from the power
    // factor 0 of one sign through 1 to the 0 of the other, shown -0 .. 0.
    EXPECT_EQ(scaling.Bottom(2), 0);
    EXPECT_TRUE(std::signbit(scaling.Bottom(2)));
    EXPECT_FALSE(std::signbit(scaling.Top(2)));
    EXPECT_FALSE(scaling.FieldsEditable());
    scaling.SetBottom(0, 5);
    EXPECT_EQ(scaling.Bottom(0), 0);

    scaling.SetMode(kScaleExtremes);
    EXPECT_TRUE(scaling.GroupScalingVisible());
    EXPECT_NEAR(scaling.Bottom(0), 229, 1e-9);  // 231.2 .. 236.9 rounded by the nice scale
    EXPECT_NEAR(scaling.Top(0), 239, 1e-9);
    EXPECT_NEAR(scaling.Top(1), 10, 1e-9);
    const ScaleRange folded = NiceScale(0.02, 0.5, -1, true);
    EXPECT_DOUBLE_EQ(scaling.Bottom(2), Fold(folded.minimum));  // near 1: power factor 1
    EXPECT_DOUBLE_EQ(scaling.Top(2), Fold(folded.maximum));

    scaling.SetMode(kScaleManual);
    EXPECT_TRUE(scaling.FieldsEditable());
    EXPECT_NEAR(scaling.Top(0), 239, 1e-9);
    scaling.SetBottom(0, 200);
    scaling.SetTop(2, 0.2);
    ASSERT_TRUE(scaling.Accept(ui, settings, diagram));
    EXPECT_EQ(diagram.ScalingMode(), kScaleManual);
    EXPECT_EQ(diagram.Range(0).bottom, 200);
    EXPECT_DOUBLE_EQ(diagram.Range(2).top, Fold(0.2));  // stored folded
    EXPECT_EQ(StoredMode(), kScaleManual);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(YAxisScalingTest, ManualOkRefusesTheFirstBadFieldInRowOrder) {
    struct Case {
        const char* what;
        int channel;
        double bottom, top;
        int message;  // 0: accepted
        bool topFocused;
        const char* bounds;
    } const cases[] = {
        {"equal values", 1011, 10, 10, 1172, true, ""},
        {"falling values", 1011, 10, 9, 1172, true, ""},
        {"bottom below the bounds", 1011, -1000000, 10, 1173, false, "-999000 to 999000"},
        {"top above the bounds", 1011, 0, 999001, 1173, true, "-999000 to 999000"},
        {"no number", 1011, std::numeric_limits<double>::quiet_NaN(), 1, 1173, false, ""},
        {"range-limited bounds", 1084, -2, 0.5, 1173, false, "-1 to 1"},
        // Folding reverses the order: PF 1 at the bottom, 0.5 at the top rises.
        {"power factor 1 .. 0.5", 1084, 1, 0.5, 0, false, ""},
        {"power factor 0.5 .. 1", 1084, 0.5, 1, 1172, true, ""},
        {"negative to positive", 1084, -0.5, 0.5, 0, false, ""},
        {"the whole folded scale", 1084, -0.0, 0.0, 0, false, ""},
        {"no sign on the bottom 0", 1084, 0.0, 0.0, 1172, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        diagram.SetCurves({1031, c.channel});
        diagram.SetScalingMode(kScaleManual);
        diagram.ComputeRanges(sources);
        const YRange before = diagram.Range(1);
        YAxisScaling scaling = Open();
        scaling.SetBottom(1, c.bottom);
        scaling.SetTop(1, c.top);
        YAxisScaling::Refusal refusal;
        const bool accepted = scaling.Accept(ui, settings, diagram, &refusal);
        EXPECT_EQ(accepted, c.message == 0);
        if (c.message == 0) continue;
        ASSERT_EQ(ui.MessageIds(), std::vector<int>{c.message});
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
        EXPECT_NE(ui.messages[0].text.find(c.bounds), std::string::npos) << ui.messages[0].text;
        EXPECT_EQ(refusal.row, 1);
        EXPECT_EQ(refusal.top, c.topFocused);
        EXPECT_EQ(diagram.Range(1), before);  // nothing handed back
    }
    // Only the manual fields are checked.
    diagram.SetCurves({1011});
    diagram.SetScalingMode(kScaleExtremes);
    EXPECT_FALSE(Open().Check().has_value());
}

TEST_F(YAxisScalingTest, WithAZoomHistoryTheZoomedRangesAreShownAndOkDiscardsTheHistory) {
    diagram.SetCurves({1011, 1031});
    diagram.SetScalingMode(kScaleManual);
    diagram.SetRange(0, {200, 250});
    diagram.ComputeRanges(sources);
    diagram.Axis().SetWindowStart(At(3, 0, 0));
    diagram.ChoosePeriod(16);
    ASSERT_TRUE(diagram.Zoom({580, 300, 480, 250}, {100, 50, 960, 500}));  // the lower half
    const YRange zoomed = diagram.Range(0);
    ASSERT_EQ(zoomed, (YRange{200, 225}));

    YAxisScaling scaling = Open();
    EXPECT_TRUE(scaling.ZoomAvailable());
    EXPECT_TRUE(scaling.FromZoom());
    EXPECT_FALSE(scaling.ModesEnabled());
    EXPECT_FALSE(scaling.GroupScalingVisible());
    EXPECT_FALSE(scaling.FieldsEditable());
    EXPECT_EQ(scaling.Top(0), 225);
    scaling.SetMode(kScaleExtremes);  // the modes are disabled
    EXPECT_EQ(scaling.Mode(), kScaleManual);

    // Unchecked: the stored mode's values, for manual those before the first zoom.
    scaling.SetFromZoom(false);
    EXPECT_TRUE(scaling.FieldsEditable());
    EXPECT_EQ(scaling.Top(0), 250);
    scaling.SetFromZoom(true);
    EXPECT_EQ(scaling.Top(0), 225);

    // Taking the zoomed ranges asks nothing and keeps the stored mode as it was.
    ASSERT_TRUE(scaling.Accept(ui, settings, diagram));
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_FALSE(diagram.HasZoomHistory());
    EXPECT_EQ(diagram.Range(0), zoomed);
    EXPECT_EQ(StoredMode(), -1);
}

TEST_F(YAxisScalingTest, LeavingTheZoomAsksFirstAndNoKeepsEverything) {
    diagram.SetCurves({1011, 1031});
    diagram.ComputeRanges(sources);
    diagram.ChoosePeriod(16);
    ASSERT_TRUE(diagram.Zoom({580, 300, 480, 250}, {100, 50, 960, 500}));
    const YRange zoomed = diagram.Range(0);
    YAxisScaling scaling = Open();
    scaling.SetFromZoom(false);
    EXPECT_EQ(scaling.Top(0), 276);  // mode 1: the measuring range
    scaling.SetMode(kScaleExtremes);
    ui.answerYes = false;
    EXPECT_FALSE(scaling.Accept(ui, settings, diagram));
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].id, 373);
    EXPECT_TRUE(diagram.HasZoomHistory());
    EXPECT_EQ(diagram.Range(0), zoomed);

    ui.answerYes = true;
    ASSERT_TRUE(scaling.Accept(ui, settings, diagram));
    EXPECT_FALSE(diagram.HasZoomHistory());
    EXPECT_EQ(diagram.ScalingMode(), kScaleExtremes);
    EXPECT_NEAR(diagram.Range(0).top, 239, 1e-9);
    EXPECT_EQ(StoredMode(), -1);  // a diagram with a zoom history does not store its mode
}

TEST_F(YAxisScalingTest, GroupsAreAssignedRenumberedAndNeverMixRangeLimitedQuantities) {
    diagram.SetCurves({1011, 2011, 1031, 1084});
    diagram.SetScalingMode(kScaleExtremes);
    YAxisScaling scaling = Open();
    EXPECT_EQ(
        (std::vector<int>{scaling.Group(0), scaling.Group(1), scaling.Group(2), scaling.Group(3)}),
        (std::vector<int>{1, 1, 2, 3}));
    EXPECT_EQ(scaling.GroupChoices(), 4);  // three in use, one more, at most one per curve
    EXPECT_FALSE(scaling.GroupsEnabled());
    scaling.SetGroupScaling(true);
    EXPECT_TRUE(scaling.GroupsEnabled());
    EXPECT_EQ(scaling.Bottom(0), scaling.Bottom(1));

    EXPECT_FALSE(scaling.SetGroup(3, 1));  // the power factor cannot join the voltages
    EXPECT_EQ(scaling.Group(3), 3);
    EXPECT_FALSE(scaling.SetGroup(2, 5));  // not offered

    ASSERT_TRUE(scaling.SetGroup(2, 1));
    EXPECT_EQ(scaling.Group(2), 1);
    EXPECT_EQ(scaling.Group(3), 2);  // group 2 emptied: the numbers close up
    // One range for the three curves of group 1, rounded as its first quantity.
    const ScaleRange common = NiceScale(0, 236.9, 0, false);
    EXPECT_DOUBLE_EQ(scaling.Bottom(2), common.minimum);
    EXPECT_DOUBLE_EQ(scaling.Top(0), common.maximum);

    scaling.SetLeftCurve(3);
    scaling.SetRightCurve(3);  // the left curve cannot be the right one as well
    scaling.SetRightCurve(0);
    ASSERT_TRUE(scaling.Accept(ui, settings, diagram));
    EXPECT_TRUE(diagram.GroupScaling());
    EXPECT_EQ(diagram.Curves()[2].group, 1);
    EXPECT_EQ(diagram.LeftCurve(), 3);
    EXPECT_EQ(diagram.RightCurve(), 0);
    EXPECT_EQ(diagram.Range(2), diagram.Range(0));
    EXPECT_EQ(StoredMode(), kScaleExtremes);
}

TEST_F(YAxisScalingTest, FieldsKeepASpanOfAHundredth) {
    diagram.SetCurves({1011, 1084});
    diagram.SetScalingMode(kScaleManual);
    diagram.SetRange(0, {10, 10.004});
    diagram.SetRange(1, {0.999, 1});  // folded: power factors 0.001 .. 0
    const YAxisScaling scaling = Open();
    EXPECT_DOUBLE_EQ(scaling.Top(0), 10.01);
    EXPECT_NEAR(scaling.Bottom(1), Fold(0.99), 1e-12);
    EXPECT_NEAR(scaling.Top(1), Fold(1.0), 1e-12);
}

}  // namespace
}  // namespace varelo
