#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

// A function P measurement of n intervals of 600 s from 2026-03-02 00:10, each at 230 V.
// A function P measurement of n intervals.
MeasurementData Measurement(int n, int firstGapSeconds = 600) {
    return test::SteadyMeasurement(kMeasFuncP, n, 10000, firstGapSeconds);
}

class Vamor800DocTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;

    void SetUp() override {
        CLimitValues limits;
        limits.SetDefaults(50);
        ASSERT_TRUE(WriteLimitFile(dir.File("limits.gwd"), limits));
        settings.Write(setting::LimitFile, dir.File("limits.gwd"));
        options.SetEn50160WarningHidden(false);
    }

    std::string Save(const MeasurementData& d) {
        EXPECT_TRUE(WriteMeasurementFile(dir.File("m.VXM"), d));
        return dir.File("m.VXM");
    }
};

TEST_F(Vamor800DocTest, En50160PeriodNote) {
    struct Case {
        int intervals;
        bool hidden;
        std::vector<int> messages;
    } cases[] = {{1008, false, {}}, {1007, false, {1088}}, {1007, true, {}}};
    for (const auto& c : cases) {
        options.SetEn50160WarningHidden(c.hidden);
        ui.messages.clear();
        CVamor800Doc doc(settings, ui, options);
        ASSERT_TRUE(doc.OpenFile(Save(Measurement(c.intervals))));
        EXPECT_EQ(ui.MessageIds(), c.messages) << c.intervals;
        for (const auto& m : ui.messages)
            EXPECT_EQ(m.icon, MessageIcon::Information);
        EXPECT_EQ(doc.Data().job.NrInterval, uint32_t(c.intervals));
    }
}

TEST_F(Vamor800DocTest, FirstIntervalTooEarlyIsDroppedUnlessASectionExplainsIt) {
    options.SetEn50160WarningHidden(true);
    CVamor800Doc doc(settings, ui, options);
    ASSERT_TRUE(doc.OpenFile(Save(Measurement(1008, 1200))));
    ASSERT_EQ(ui.MessageIds(), std::vector<int>{777});
    EXPECT_EQ(ui.messages[0].text, Msg(777, {"0.10"}));  // 100 / 1008 intervals
    EXPECT_EQ(doc.Data().job.NrInterval, 1007u);
    ASSERT_EQ(doc.Data().intervals.size(), 1007u);
    EXPECT_EQ(doc.Data().intervals[0].DateTime, CTimeStamp(2026, 3, 2, 0, 30, 0));
    EXPECT_EQ(doc.Data().job.MeasStartMeasured, CTimeStamp(2026, 3, 2, 0, 20, 0));

    // A daily section ending at the first interval and starting one interval before the
    // second explains the gap.
    MeasurementData sectioned = Measurement(1008, 1200);
    sectioned.job.NrMeasSectionsProg = 1;
    sectioned.job.NrMeasSectionsProgEnd[0].hour = 0;
    sectioned.job.NrMeasSectionsProgEnd[0].minute = 10;
    sectioned.job.NrMeasSectionsProgStart[0].hour = 0;
    sectioned.job.NrMeasSectionsProgStart[0].minute = 20;
    ui.messages.clear();
    CVamor800Doc kept(settings, ui, options);
    ASSERT_TRUE(kept.OpenFile(Save(sectioned)));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(kept.Data().intervals.size(), 1008u);

    // A single interval has nothing to compare with.
    CVamor800Doc single(settings, ui, options);
    ASSERT_TRUE(single.OpenFile(Save(Measurement(1))));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(single.Data().intervals.size(), 1u);
}

TEST_F(Vamor800DocTest, EvaluationPeriodProposalAnswerAndCancel) {
    options.SetEn50160WarningHidden(true);
    MeasurementData d = Measurement(6);  // 00:10 .. 01:00
    std::string path = Save(d);

    ui.periodAnswer = std::pair{CTimeStamp(2026, 3, 2, 0, 20, 0), CTimeStamp(2026, 3, 2, 0, 50, 0)};
    CVamor800Doc doc(settings, ui, options);
    ASSERT_TRUE(doc.OpenFile(path));
    ASSERT_EQ(ui.periodQuestions.size(), 1u);
    EXPECT_EQ(ui.periodQuestions[0].start, CTimeStamp(2026, 3, 2, 0, 0, 0));
    EXPECT_EQ(ui.periodQuestions[0].end, CTimeStamp(2026, 3, 2, 1, 0, 0));
    EXPECT_EQ(doc.Data().intervals.size(), 3u);  // 00:30, 00:40, 00:50 end inside (start, end]

    ui.periodAnswer.reset();  // Cancel: everything
    CVamor800Doc all(settings, ui, options);
    ASSERT_TRUE(all.OpenFile(path));
    EXPECT_EQ(all.Data().intervals.size(), 6u);
    EXPECT_EQ(all.Period().start, CTimeStamp(1980, 1, 1, 0, 0, 0));
    EXPECT_NE(all.Evaluation().VoltageVariation(), nullptr);
}

TEST_F(Vamor800DocTest, EventsOfAbsentPhasesAreRemoved) {
    options.SetEn50160WarningHidden(true);
    MeasurementData d = Measurement(3);
    d.job.VoltPowSysType = kPowSysSinglePhase;
    for (int phase : {0, 1, 2, 3}) {
        CEventRecord e;
        e.Phase = int16_t(phase);
        e.StartDateTime = CTimeStamp(2026, 3, 2, 0, 12, 0);
        e.EndDateTime = CTimeStamp(2026, 3, 2, 0, 12, 1);
        e.Val = 1000;
        d.events.Add(e);
    }
    d.job.EventReady = 4;
    CVamor800Doc doc(settings, ui, options);
    ASSERT_TRUE(doc.OpenFile(Save(d)));
    ASSERT_EQ(doc.Data().events.size(), 2u);  // phases 0 and 1 stay
    EXPECT_EQ(doc.Data().events[0].Phase, 0);
    EXPECT_EQ(doc.Data().events[1].Phase, 1);
}

TEST_F(Vamor800DocTest, FailuresLeaveNoDocument) {
    std::string path = Save(Measurement(3));
    struct Case {
        std::string limitFile;
        std::string limitContent;
        std::string measurementContent;
        int message;
    } cases[] = {
        {"missing.gwd", "", "", 168},
        {"broken.gwd", "not a limit file", "", 167},
        {"limits.gwd", "", "<?xml version=\"1.0\"?>\r\n<Vamor>\r\n<Version>1.0.2</Version>\r\n",
         374},
    };
    for (const auto& c : cases) {
        if (!c.limitContent.empty()) dir.Write(c.limitFile, c.limitContent);
        settings.Write(setting::LimitFile, dir.File(c.limitFile));
        std::string file = path;
        if (!c.measurementContent.empty()) {
            dir.Write("bad.VXM", c.measurementContent);
            file = dir.File("bad.VXM");
        }
        ui.messages.clear();
        CVamor800Doc doc(settings, ui, options);
        EXPECT_FALSE(doc.OpenFile(file));
        EXPECT_FALSE(doc.IsLoaded());
        EXPECT_EQ(doc.Data().intervals.size(), 0u);
        EXPECT_EQ(ui.MessageIds(), std::vector<int>{c.message});
    }
}

TEST_F(Vamor800DocTest, CommandsFollowTheMeasurement) {
    options.SetEn50160WarningHidden(true);
    MeasurementData d = Measurement(3);
    CVamor800Doc p(settings, ui, options);
    ASSERT_TRUE(p.OpenFile(Save(d)));
    EXPECT_TRUE(p.IsCommandEnabled(33034));   // interval export
    EXPECT_TRUE(p.IsCommandEnabled(33035));   // statistics export
    EXPECT_FALSE(p.IsCommandEnabled(33033));  // no events
    EXPECT_FALSE(p.IsCommandEnabled(33036));  // VSE export needs function A
    EXPECT_FALSE(p.IsCommandEnabled(33115));  // 10/15-minute files need A and 300 s
    EXPECT_TRUE(p.IsCommandEnabled(33028));
    EXPECT_EQ(p.MeasurementLetter(), 'P');
    EXPECT_EQ(p.GetIntervalLength(), 600);
    EXPECT_EQ(p.FilePath(false), dir.Path() + "/");
}

}  // namespace
}  // namespace varelo
