#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "measurement/MeasurementFile.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

// Hand-made files of the two older versions (tests/fixtures/make_old_measurements.py): every
// field holds a value that tells where it came from, every extra column 9999.
void ExpectFixtureRecords(const MeasurementData& d, bool withCurrentInterharmonics) {
    ASSERT_EQ(d.intervals.size(), 2u);
    const CIntervalRecord& r = d.intervals[1];
    EXPECT_EQ(r.DateTime, CTimeStamp(2026, 3, 2, 10, 20, 0));
    EXPECT_EQ(r.Freq10min, 5001);
    EXPECT_EQ(r.UnbalAngleL1L3, 19200);
    EXPECT_EQ(r.NeutralCurrMaxRawVal, 11);   // after the discarded column
    EXPECT_EQ(r.RealPowMinTotRawVal, 17);    // after the discarded column
    EXPECT_EQ(r.DistPowMaxTotRawVal, 25);
    EXPECT_EQ(r.VoltAvgPhaseLxRawVal[2], 23002);
    EXPECT_EQ(r.FlickPstPhaseLxRawVal[1], 501);
    EXPECT_EQ(r.VoltHarmPhaseLxRawVal[2][49], 249);
    EXPECT_EQ(r.VoltZHarmPhaseLxRawVal[1][4], 154);
    EXPECT_EQ(r.CurrTHDMaxPhaseLxRawVal[0], 600);
    EXPECT_EQ(r.DistPowAvgPhaseLxRawVal[2], 7033);
    EXPECT_EQ(r.RealPowPh1AvgPhaseLxRawVal[1], 8001);
    EXPECT_EQ(r.VoltHalfpMaxPhaseLxRaw[0], 65535);
    EXPECT_EQ(r.VoltHalfpMinPhaseLxRaw[0], 40000);
    EXPECT_EQ(r.VoltHalfpToCurrMaxPhaseLxRaw[2], 6);
    EXPECT_EQ(r.CurrHarmPhaseLxRawVal[3][49], 1199);
    EXPECT_EQ(r.CurrZHarmPhaseLxRawVal[3][4], withCurrentInterharmonics ? 2019 : 0);
    ASSERT_EQ(d.statistics.size(), 1u);
    EXPECT_EQ(d.statistics[0].Freq10sec[41], 41u);
    EXPECT_EQ(d.statistics[0].NrSignalVoltInterval, 60u);
    ASSERT_EQ(d.events.size(), 1u);
    EXPECT_EQ(d.events[0].Val, 1500);
}

TEST(OlderMeasurementFiles, ReadDiscardingTheirExtraColumnsAndRewrittenAsNewest) {
    for (auto [name, version] : {std::pair{"measurement-v100-A.VXM", 100},
                                 std::pair{"measurement-v101-A.VXM", 101}}) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        std::string path = dir.File("m.VXM");
        std::filesystem::copy_file(std::string(VARELO_FIXTURES_DIR) + "/" + name, path);
        MeasurementData old;
        ASSERT_TRUE(ReadMeasurementFile(path, old));
        EXPECT_EQ(old.fileVersion, version);
        EXPECT_EQ(old.job.PhCurrClampRawVal, 100000);  // job items after the discarded values
        EXPECT_EQ(old.job.EventHysteresis, version == 101 ? 2.0 : 0.0);
        ExpectFixtureRecords(old, version == 101);

        CMeasurementJob changed = old.job;
        changed.PhCurrPrimaryRawVal = 50000;
        changed.PhCurrTransformer = 1;
        test::RecordingUserInterface ui;
        ASSERT_TRUE(ReplaceJob(path, changed, ui));
        EXPECT_TRUE(ui.messages.empty());
        MeasurementData rewritten;
        ASSERT_TRUE(ReadMeasurementFile(path, rewritten));
        EXPECT_EQ(rewritten.fileVersion, 102);
        EXPECT_EQ(rewritten.job, changed);
        ExpectFixtureRecords(rewritten, version == 101);
        // Every newest function A row carries the 20 current interharmonics.
        std::ifstream f(path, std::ios::binary);
        std::stringstream text;
        text << f.rdbuf();
        std::string rowEnd = version == 100 ? ",1199,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,</i>"
                                            : ",1199,2000,2001,2002,2003,2004,";
        EXPECT_NE(text.str().find(rowEnd), std::string::npos);
    }
}

TEST(DamagedMeasurementFiles, TruncatedOrGarbledFilesAreReportedNotRead) {
    std::ifstream f(std::string(VARELO_FIXTURES_DIR) + "/measurement-v101-A.VXM", std::ios::binary);
    std::stringstream whole;
    whole << f.rdbuf();
    const std::string text = whole.str();
    const size_t rows = text.find("<i>");
    ASSERT_NE(rows, std::string::npos);
    struct Case {
        std::string content;
        const char* what;
    } cases[] = {
        {text.substr(0, rows + 40), "cut inside the first interval row"},
        {text.substr(0, text.find("<KelvaroStatistics>")), "cut before the statistics"},
        {text.substr(0, rows) + "<i>,0,1,2" + text.substr(text.find("\r\n", rows)),
         "a row without its end"},
        {std::string(text).replace(text.find("<i>"), 3, "<x>"), "a row without its tag"},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        dir.Write("m.VXM", c.content);
        MeasurementData data;
        EXPECT_FALSE(ReadMeasurementFile(dir.File("m.VXM"), data)) << c.what;
    }
}

TEST(ReplaceJob, NewestFileKeepsEveryOtherLine) {
    test::TempDir dir;
    MeasurementData data;
    data.job.MeasFunc = kMeasFuncP;
    data.job.NrInterval = 1;
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {1, 2, 3};
    data.intervals.Add(r);
    std::string path = dir.File("m.VXM");
    ASSERT_TRUE(WriteMeasurementFile(path, data));
    CMeasurementJob changed = data.job;
    changed.JobText[0] = "new\r\ntext";
    test::RecordingUserInterface ui;
    ASSERT_TRUE(ReplaceJob(path, changed, ui));
    MeasurementData read;
    ASSERT_TRUE(ReadMeasurementFile(path, read));
    EXPECT_EQ(read.job, changed);
    ASSERT_EQ(read.intervals.size(), 1u);
    EXPECT_EQ(read.intervals[0].VoltAvgPhaseLxRawVal[2], 3);
    EXPECT_EQ(read.statistics.size(), 0u);  // the empty statistics section is still there
}

TEST(ReplaceJob, AnUnreadableFileStaysAsItWas) {
    test::TempDir dir;
    dir.Write("m.VXM", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Vamor>\r\n"
                       "<Version>1.0.0</Version>\r\n<KelvaroJob>\r\n<t>MeasFunc=3</t>\r\n"
                       "</KelvaroJob>\r\n");  // no series: unreadable
    test::RecordingUserInterface ui;
    EXPECT_FALSE(ReplaceJob(dir.File("m.VXM"), CMeasurementJob(), ui));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{374});
    std::ifstream f(dir.File("m.VXM"), std::ios::binary);
    std::stringstream text;
    text << f.rdbuf();
    EXPECT_TRUE(text.str().ends_with("</KelvaroJob>\r\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind
}

}  // namespace
}  // namespace varelo
