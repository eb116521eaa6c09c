#include <gtest/gtest.h>

#include <memory>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "evaluation/GraphicalSummary.h"
#include "evaluation/LimitValueFile.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

TEST(GraphicalSummaryBars, PerMilleOfTheLimitTruncatedAndCapped) {
    struct Case {
        double value, limit;
        int expected;
    } cases[] = {
        {1.3, 1.0, 1200},                      // 1.3 x the limit is drawn at the top of the scale
        {1.0, 1.0, 1000},                      // exactly the limit
        {2.5, 0.0, 0},                         // no limit, no bar
        {2.5, -1.0, 0},   {0.9999, 1.0, 999},  // truncated, not rounded
        {1.2, 1.0, 1200}, {1.19, 1.0, 1190},  {-0.5, 1.0, 0}, {7.0, 10.0, 700},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BarPerMille(c.value, c.limit), c.expected) << c.value << " / " << c.limit;
}

TEST(GraphicalSummaryBars, LimitFileNameIsCutBeforeGwdInAnyCase) {
    EXPECT_EQ(LimitFileDisplayName("/data/En50160-50Hz.gwd"), "En50160-50Hz");
    EXPECT_EQ(LimitFileDisplayName("/data/Plant.GWD"), "Plant");
    EXPECT_EQ(LimitFileDisplayName("/data/a.Gwd.backup.gwd"), "a");
    EXPECT_EQ(LimitFileDisplayName("/data/nolimits"), "nolimits");
}

TEST(GraphicalSummaryBars, En50160NoteOnlyForOtherPeriodsWhenTheCheckIsOn) {
    EXPECT_FALSE(NeedsEn50160Note(true, 1008, 600));
    EXPECT_TRUE(NeedsEn50160Note(true, 1007, 600));
    EXPECT_TRUE(NeedsEn50160Note(true, 1008, 300));
    EXPECT_FALSE(NeedsEn50160Note(false, 1007, 600));
}

// A function A measurement of n intervals of 600 s, every voltage at the same raw value.
MeasurementData FunctionA(int n, int16_t raw) {
    MeasurementData d = test::SteadyMeasurement(kMeasFuncA, n, raw);
    d.job.CurrPowSys = 1;
    return d;
}

class GraphicalSummaryDocTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;

    std::unique_ptr<CVamor800Doc> Open(const std::string& limitFileName, int intervals,
                                       int16_t raw = 10000) {
        CLimitValues limits;
        limits.SetDefaults(50);
        EXPECT_TRUE(WriteLimitFile(dir.File(limitFileName), limits));
        settings.Write(setting::LimitFile, dir.File(limitFileName));
        EXPECT_TRUE(WriteMeasurementFile(dir.File("m.VXM"), FunctionA(intervals, raw)));
        auto doc = std::make_unique<CVamor800Doc>(settings, ui, options);
        EXPECT_TRUE(doc->OpenFile(dir.File("m.VXM")));
        return doc;
    }

    GraphicalSummary Build(const std::string& limitFileName, int intervals, bool check,
                           int16_t raw = 10000) {
        auto doc = Open(limitFileName, intervals, raw);
        GraphicalSummaryOptions o;
        o.standardLimitFile = IsStandardLimitFilePath(doc->LimitFilePath());
        o.en50160CheckEnabled = check;
        return GraphicalSummary::Build(doc->Evaluated(), o);
    }
};

TEST_F(GraphicalSummaryDocTest, StandardLimitFileHidesTheCurrentHarmonics) {
    GraphicalSummary standard = Build("En50160-50Hz.gwd", 1008, true);
    EXPECT_EQ(standard.groups[4].label, "---");
    EXPECT_FALSE(standard.groups[4].shown);
    EXPECT_TRUE(standard.groups[4].pairs.empty());
    EXPECT_EQ(standard.limitName, "En50160-50Hz");

    GraphicalSummary own = Build("Plant.gwd", 1008, true);
    EXPECT_EQ(own.groups[4].label, "Current harmonics");
    EXPECT_EQ(own.groups[4].pairs.size(), 3u);  // one pair per phase of the Wye system
    EXPECT_EQ(own.limitName, "Plant");
}

TEST_F(GraphicalSummaryDocTest, GroupsKeepTheirOrderAndPlaces) {
    // Every interval exactly at the nominal voltage: no deviation, no voltage bars.
    const auto nominal =
        int16_t(Open("Plant.gwd", 1008)->Evaluation().VoltageVariation()->Nominal());
    GraphicalSummary s = Build("Plant.gwd", 1008, true, nominal);
    ASSERT_EQ(s.groups.size(), 9u);
    EXPECT_EQ(s.groups[0].label, "Voltage variations");
    EXPECT_EQ(s.groups[3].label, "Voltage harmonics");
    ASSERT_EQ(s.groups[0].pairs.size(), 3u);
    for (const SummaryBarPair& pair : s.groups[0].pairs) {
        EXPECT_EQ(pair.share, 0);
        EXPECT_EQ(pair.maximum, 0);
    }
    // Interruptions and events have no maximum bar; unbalance and frequency one pair at most.
    for (int g : {1, 2}) {
        for (const SummaryBarPair& pair : s.groups[size_t(g)].pairs)
            EXPECT_FALSE(pair.hasMaximum);
    }
    EXPECT_LE(s.groups[6].pairs.size(), 1u);
    EXPECT_LE(s.groups[8].pairs.size(), 1u);
}

TEST_F(GraphicalSummaryDocTest, PeriodNoteFollowsTheIntervalsOfTheMeasurement) {
    EXPECT_FALSE(Build("Plant.gwd", 1008, true).en50160Note);
    EXPECT_TRUE(Build("Plant.gwd", 1007, true).en50160Note);
    EXPECT_FALSE(Build("Plant.gwd", 1007, false).en50160Note);
}

}  // namespace
}  // namespace varelo
