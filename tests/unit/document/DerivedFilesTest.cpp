#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/DerivedFiles.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "support/MeasurementJobPrinter.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::ReadAll;

// Twelve 5-minute intervals of function A, 00:05 to 01:00, with a statistic segment and an
// event, opened over the whole measurement.
class DerivedFilesTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;
    std::string source = dir.File("m.VXM");
    CVamor800Doc doc{settings, ui, options};
    std::string before;

    void SetUp() override {
        CLimitValues limits;
        limits.SetDefaults(50);
        ASSERT_TRUE(WriteLimitFile(dir.File("limits.gwd"), limits));
        settings.Write(setting::LimitFile, dir.File("limits.gwd"));
        options.SetEn50160WarningHidden(true);
        MeasurementData d = test::SteadyMeasurement(kMeasFuncA, 12);
        d.job.Interval = 300;
        CTimeStamp t(2026, 3, 2, 0, 5, 0);
        for (CIntervalRecord& r : d.intervals) {
            r.DateTime = t;
            t.AddSeconds(300);
        }
        d.job.MeasStopMeasured = d.intervals.back().DateTime;
        CStatisticSegment segment;
        segment.DateTime = CTimeStamp(2026, 3, 2, 1, 0, 0);
        segment.Freq10sec[20] = 360;
        d.statistics.Add(segment);
        d.job.NrStat = 1;
        CEventRecord event;
        event.Phase = 1;
        event.StartDateTime = CTimeStamp(2026, 3, 2, 0, 20, 0);
        event.EndDateTime = CTimeStamp(2026, 3, 2, 0, 20, 1);
        event.Val = 1000;
        d.events.Add(event);
        d.job.EventReady = 1;
        ASSERT_TRUE(WriteMeasurementFile(source, d));
        ASSERT_TRUE(doc.OpenFile(source));
        before = ReadAll(source);
        ui.statusTexts.clear();
    }

    void ExpectSourceAndStatusKept() {
        EXPECT_EQ(ReadAll(source), before);
        ASSERT_FALSE(ui.statusTexts.empty());
        EXPECT_EQ(ui.statusTexts.front(), Str(281));
        EXPECT_EQ(ui.statusTexts.back(), Str(57345));
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
};

TEST_F(DerivedFilesTest, BothFilesDifferFromTheSourceOnlyInTheirIntervals) {
    const DerivedFilesOutcome outcome = CreateDerivedFiles(doc, ui);
    ASSERT_TRUE(outcome.written);
    EXPECT_EQ(outcome.paths,
              (std::vector<std::string>{dir.File("m10min.VXM"), dir.File("m15min.VXM")}));
    EXPECT_TRUE(ui.messages.empty());
    ExpectSourceAndStatusKept();

    MeasurementData original;
    ASSERT_TRUE(ReadMeasurementFile(source, original));
    struct Expect {
        int interval;
        uint32_t count;
        CTimeStamp first;
    } expected[] = {{600, 6, CTimeStamp(2026, 3, 2, 0, 10, 0)},
                    {900, 4, CTimeStamp(2026, 3, 2, 0, 15, 0)}};
    for (size_t i = 0; i < 2; ++i) {
        MeasurementData derived;
        ASSERT_TRUE(ReadMeasurementFile(outcome.paths[i], derived)) << outcome.paths[i];
        CMeasurementJob job = original.job;
        job.Interval = expected[i].interval;
        job.NrInterval = expected[i].count;
        EXPECT_EQ(derived.job, job);
        EXPECT_EQ(derived.logger.SerialNr, original.logger.SerialNr);
        ASSERT_EQ(derived.intervals.size(), expected[i].count);
        EXPECT_EQ(derived.intervals[0].DateTime, expected[i].first);
        EXPECT_EQ(derived.intervals[0].VoltAvgPhaseLxRawVal,
                  original.intervals[0].VoltAvgPhaseLxRawVal);
        ASSERT_EQ(derived.statistics.size(), 1u);
        EXPECT_EQ(derived.statistics[0].Freq10sec[20], 360u);
        ASSERT_EQ(derived.events.size(), 1u);
        EXPECT_EQ(derived.events[0].Val, 1000);
    }
}

TEST_F(DerivedFilesTest, FailuresNeverTouchTheSourceAndEndWithReady) {
    // The derived name is another name of the source itself.
    ASSERT_EQ(::link(source.c_str(), dir.File("m10min.VXM").c_str()), 0);
    const std::string missingFolder = "/sys/varelo-missing/x.VXM";
    struct Case {
        const char* what;
        std::optional<std::string> chosen;  // the save dialog's answer; none cancels
        int message;                        // 0: none
        std::string named;
    } cases[] = {
        {"cancelled save dialog", std::nullopt, 0, ""},
        {"the source chosen again", source, 193, source},
        {"a folder that cannot be written", missingFolder, -1, missingFolder},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        ui.statusTexts.clear();
        ui.saveQuestions.clear();
        ui.saveAnswer = c.chosen;
        const DerivedFilesOutcome outcome = CreateDerivedFiles(doc, ui);
        EXPECT_FALSE(outcome.written) << c.what;
        EXPECT_TRUE(outcome.paths.empty()) << c.what;
        ExpectSourceAndStatusKept();
        EXPECT_NE(access(dir.File("m15min.VXM").c_str(), F_OK), 0) << "15 min skipped";
        ASSERT_EQ(ui.saveQuestions.size(), 1u) << c.what;
        EXPECT_EQ(ui.saveQuestions[0].title, Msg(343, {"A"}));
        EXPECT_EQ(ui.saveQuestions[0].filter, Str(1024));
        EXPECT_EQ(ui.saveQuestions[0].defaultExtension, "VXM");
        EXPECT_EQ(ui.saveQuestions[0].initialFolder, dir.File("m10min.VXM"));
        if (c.message == 0) {
            EXPECT_TRUE(ui.messages.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        if (c.message > 0) {
            EXPECT_EQ(ui.messages[0].id, c.message) << c.what;
        }
        EXPECT_NE(ui.messages[0].text.find(c.named), std::string::npos) << ui.messages[0].text;
    }

    // Without the dialog, as the command line writes, the failure is reported at once.
    ui.messages.clear();
    const DerivedFileOutcome direct =
        WriteDerivedFile(doc.Data(), source, "/sys/varelo-missing/m10min.VXM", 600, ui, false);
    EXPECT_FALSE(direct.written);
    EXPECT_FALSE(direct.cancelled);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("/sys/varelo-missing/m10min.VXM"), std::string::npos);
    EXPECT_EQ(ReadAll(source), before);
}

TEST(DerivedFileNameTest, SuffixBeforeTheExtension) {
    EXPECT_EQ(DerivedFileName("/data/meas.VXM", "10min"), "/data/meas10min.VXM");
    EXPECT_EQ(DerivedFileName("/data.d/meas", "15min"), "/data.d/meas15min");
    EXPECT_EQ(DerivedFileName("a.b.40A", "10min"), "a.b10min.40A");
}

}  // namespace
}  // namespace varelo
