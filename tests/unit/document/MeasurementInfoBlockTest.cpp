#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/MeasurementInfoBlock.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

TEST(MeasurementInfoBlock, LabelledLinesInTheirOrder) {
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;
    CLimitValues limits;
    limits.SetDefaults(50);
    ASSERT_TRUE(WriteLimitFile(dir.File("limits.gwd"), limits));
    settings.Write(setting::LimitFile, dir.File("limits.gwd"));

    MeasurementData d = test::SteadyMeasurement(kMeasFuncA, 12);
    d.job.NrInterHarm = 0;
    d.job.NeutralMeas = 1;
    ASSERT_TRUE(WriteMeasurementFile(dir.File("m.VXM"), d));
    CVamor800Doc doc(settings, ui, options);
    ASSERT_TRUE(doc.OpenFile(dir.File("m.VXM")));

    std::vector<std::string> labels;
    for (const InfoBlockLine& line : MeasurementInfoBlock(doc))
        labels.push_back(line.label);
    const std::vector<std::string> expected = {"Logger",
                                               "Measurement data",
                                               "Measurement function",
                                               "Measurement period",
                                               "Measurement segments",
                                               "Intervals",
                                               "Voltage",
                                               "Nominal voltage",
                                               "Input Range",
                                               "Voltage transformer",
                                               "Min-Max-value",
                                               "Current",
                                               "Input Range",
                                               "Additional CT",
                                               "Max-value",
                                               "Number of interharmonics",
                                               "Recording as events",
                                               "Memory model for events",
                                               "Hysteresis:",
                                               "Limit value level file",
                                               "Measurements within tolerance",
                                               "Frequency measurement within tolerance"};
    EXPECT_EQ(labels, expected);

    auto block = MeasurementInfoBlock(doc);
    EXPECT_EQ(block[0].value.rfind(Str(988), 0), 0u);  // "Serial number:" and the number
    EXPECT_EQ(block[1].value, dir.File("m.VXM"));
    EXPECT_EQ(block[2].value, "A");
    EXPECT_EQ(block[4].value, Str(963));  // no segments: "not programmed"
    EXPECT_EQ(block[5].value, "10 minutes,  linear");
    EXPECT_EQ(block[11].value, Str(243));  // the current's columns: phase and neutral
    EXPECT_EQ(block[11].neutralValue, Str(242));
    EXPECT_EQ(block[15].value, Str(963));  // function A without channels
    EXPECT_EQ(block[16].value, "-10.00/+10.00% of 230 V");
    EXPECT_EQ(block[19].value, dir.File("limits.gwd"));
}

TEST(MeasurementInfoBlock, JobCodeTexts) {
    CMeasurementJob job;
    job.VoltInputRangeCode = 6;
    job.VoltPowSysType = kPowSysWye;
    EXPECT_EQ(job_text::InputRangeVolts(job), 230);
    job.VoltPowSysType = kPowSysDelta;
    EXPECT_EQ(job_text::InputRangeVolts(job), 400);
    job.VoltInputRangeCode = 9;
    EXPECT_EQ(job_text::InputRangeVolts(job), 0);  // outside the table
    job.VoltInputRangeCode = 2;
    job.VoltPowSysType = kPowSysWye;
    EXPECT_EQ(job_text::InputRangeVolts(job), 138);  // shown without its half volt

    struct Case {
        int seconds;
        const char* text;
    } cases[] = {{1, "1 second"},
                 {30, "30 seconds"},
                 {60, "1 minute"},
                 {600, "10 minutes"},
                 {3600, "60 minutes"}};
    for (const Case& c : cases)
        EXPECT_EQ(job_text::IntervalLength(c.seconds), c.text);
    EXPECT_EQ(job_text::Averaging(2), "200 ms");
    EXPECT_EQ(job_text::Averaging(9), "");

    job.NrMeasSectionsProg = 2;
    job.NrMeasSectionsProgStart[0].weekday = 1;
    job.NrMeasSectionsProgStart[0].hour = 8;
    job.NrMeasSectionsProgEnd[0].weekday = 5;
    job.NrMeasSectionsProgEnd[0].hour = 17;
    job.NrMeasSectionsProgEnd[0].minute = 30;
    job.NrMeasSectionsProgStart[1].hour = 6;
    job.NrMeasSectionsProgEnd[1].hour = 22;
    EXPECT_EQ(job_text::SegmentLine(job, 0), "Mo 08:00 - Fr 17:30");
    EXPECT_EQ(job_text::SegmentLine(job, 1), "daily 06:00 - 22:00");
}

}  // namespace
}  // namespace varelo
