#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementFileReader.h"
#include "measurement/MeasurementFileWriter.h"
#include "measurement/MeasurementJob.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

std::string Header(std::string_view version = "1.0.2", std::string_view encoding = "UTF-8") {
    return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) +
           "\"?>\r\n<!--x-->\r\n<!--internal dependences, please do not edit-->\r\n<Vamor>\r\n"
           "<Version>" +
           std::string(version) + "</Version>\r\n";
}

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(MeasurementFileHeader, AcceptedAndRejectedHeaders) {
    struct Case {
        std::string text;
        bool accepted;
        int version;
    } cases[] = {
        {Header(), true, 102},
        {Header("1.0.1"), true, 101},
        {Header("1.0.0"), true, 100},
        {"   " + Header(), true, 102},  // leading blanks before "<?xml "
        {"\xEF\xBB\xBF" + Header(), false, 0},
        {Header("1.0.3"), false, 0},
        {"<?xml version=\"1.0\"?>\r\n<!--x-->\r\n", false, 0},  // no root element
        {"<?xm version\r\n<Vamor>\r\n<Version>1.0.2</Version>\r\n", false, 0},
        {"", false, 0},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        dir.Write("f.VXM", c.text);
        CMeasurementFileReader reader;
        EXPECT_EQ(reader.Open(dir.File("f.VXM")), c.accepted) << c.text;
        EXPECT_EQ(reader.Version(), c.version) << c.text;
    }
    EXPECT_FALSE(CheckFile(dir.File("missing.VXM")));
}

CMeasurementJob SampleJob() {
    CMeasurementJob job;
    job.MeasFunc = kMeasFuncA;
    job.JobText[0] = "Line one\r\nLine two";
    job.JobText[5] =
        "Stra\xC3\x9F"
        "e";
    job.JobType = kJobContinuous;
    job.ProgStartMeas = CTimeStamp(2026, 3, 1, 10, 0, 0);
    job.ProgStopMeas = CTimeStamp(2026, 3, 8, 10, 0, 0);
    job.NrMeasSectionsProg = 1;
    job.NrMeasSectionsProgStart[0].weekday = 1;
    job.NrMeasSectionsProgStart[0].hour = 6;
    job.NrMeasSectionsProgEnd[0].weekday = 5;
    job.NrMeasSectionsProgEnd[0].hour = 18;
    job.NrInterHarm = 2;
    job.HarmOrder = {175, 183, 0, 0, 0};
    job.HarmText[0] = "175 Hz";
    job.HarmText[1] = "183.3 Hz";
    job.HarmFreqSync = {1, 0, 0, 0, 0};
    job.HarmMeasPrinciple = {2, 3, 0, 0, 0};
    job.VoltPowSysType = kPowSysTwoElementDelta;
    job.VoltTransformer = 1;
    job.VoltPrimaryRawVal = 2000000;
    job.VoltSecondaryRawVal = 10000;
    job.VoltUpperThreshShort = 110.5f;
    job.VoltLowerThreshShort = 85.0f;
    job.PhaseCorrRawVal = -250;
    job.ClampSerNr = {0x01, 0xAB, 0x00, 0xFF, 0x10, 0x7E};
    job.MeasStartMeasured = CTimeStamp(2026, 3, 1, 10, 0, 2);
    job.NrInterval = 1008;
    job.EventHysteresis = 1.5;
    return job;
}

TEST(MeasurementFileItems, LoggerAndJobRoundTrip) {
    test::TempDir dir;
    CLoggerInfo info;
    info.HardwType = "408b";
    info.SerialNr = "4711";
    info.HardwNomFreq = 1;
    info.ClampId = 2;
    info.MaxClampCurr = 3000;
    info.ClampSerNr = {1, 2, 3, 4, 5, 6};
    info.InstrTime = CTimeStamp(2026, 3, 8, 12, 30, 15);
    info.OperatingState = 'f';
    info.OnlineState = 'K';
    info.currentJob.completeEvents = 17;
    info.currentJob.incompleteEvents = 1;
    CMeasurementJob job = SampleJob();

    CMeasurementFileWriter writer(dir.File("m.VXM"));
    ASSERT_TRUE(writer.Create());
    writer.WriteLoggerInfo(info);
    writer.WriteJob(job);
    ASSERT_TRUE(writer.Close());
    std::string text = ReadAll(dir.File("m.VXM"));
    EXPECT_NE(text.find("<t>JobText1=Line one\r\nLine two</t>\r\n"), std::string::npos);
    EXPECT_NE(text.find("<t>PhNrCurrTransducer=1</t>"), std::string::npos);
    EXPECT_NE(text.find("<t>ClampSerNr=01AB00FF107E</t>"), std::string::npos);
    EXPECT_TRUE(text.ends_with("</KelvaroJob>\r\n</Vamor>\r\n"));

    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("m.VXM")));
    CLoggerInfo readInfo;
    CMeasurementJob readJob;
    ASSERT_TRUE(reader.ReadLoggerInfo(readInfo));
    ASSERT_TRUE(reader.ReadJob(readJob));
    EXPECT_EQ(readInfo.HardwType, info.HardwType);
    EXPECT_EQ(readInfo.ClampSerNr, info.ClampSerNr);
    EXPECT_EQ(readInfo.InstrTime, info.InstrTime);
    EXPECT_EQ(readInfo.OperatingState, 'f');
    EXPECT_EQ(readInfo.EventReady(), 17);
    EXPECT_EQ(readInfo.EventOpen(), 1);
    EXPECT_EQ(readJob, job);
}

// A job text longer than the reader keeps is written cut to 360 characters, so its further
// "=" cannot shift the values after it and the job file reads back equal.
TEST(MeasurementFileItems, LongNonAsciiJobTextsReadBackAsWritten) {
    std::string line;  // 40 characters: Chinese, an "=" and a line break
    for (int i = 0; i < 37; ++i)
        line += "\xE4\xB8\xAD";
    line += "=\r\n";
    std::string text, kept;
    for (int n = 0; n < 12; ++n) {
        text += line;
        if (n < 9) kept += line;
    }
    CMeasurementJob job = SampleJob();
    job.JobText[0] = text;
    job.JobTitle[5] = text;
    job.HarmText[1] = text;
    test::TempDir dir;
    ASSERT_TRUE(WriteJobFile(dir.File("job.VXM"), job));
    CMeasurementJob read;
    ASSERT_TRUE(ReadJobFile(dir.File("job.VXM"), read));
    CMeasurementJob expected = job;
    expected.JobText[0] = expected.JobTitle[5] = expected.HarmText[1] = kept;
    EXPECT_EQ(read, expected);
}

TEST(MeasurementFileItems, OlderJobSectionsCarryDiscardedValuesAndTheTransducerRule) {
    // A version 1.0.0 job block: extra values after CurrPowSys, THDPhaseMaxValInterval and
    // NeutralCurrSecondaryRawVal, no EventHysteresis; Delta told apart by the transducer count.
    std::string items = "<t>MeasFunc=3</t>\r\n";
    for (int n = 1; n <= 6; ++n)
        items += "<t>JobTitle" + std::to_string(n) + "=T</t>\r\n<t>JobText" + std::to_string(n) +
                 "=</t>\r\n";
    items +=
        "<t>a=60</t><t>b=120</t><t>c=400</t><t>d=1</t><t>e=2026-1-1 0:0:0.0</t>"
        "<t>f=2026-1-2 0:0:0.0</t><t>g=0</t><t>h=0-0-0 0:0:0.0</t><t>h=0-0-0 0:0:0.0</t>"
        "<t>h=0-0-0 0:0:0.0</t><t>h=0-0-0 0:0:0.0</t><t>i=900</t><t>j=1</t><t>k=0</t>";
    for (int j = 0; j < 5; ++j)
        items += "<t>o=0</t><t>t=</t><t>s=0</t><t>p=0</t>";
    items +=
        "<t>VoltPowSysType=1</t><t>r=5</t><t>m=1</t><t>tv=2</t><t>n=12000</t><t>vt=0</t>"
        "<t>p=100</t><t>s=100</t><t>up=110</t><t>lo=90</t><t>em=1</t><t>CurrPowSys=1</t>"
        "<t>x=99</t><t>pm=3</t><t>THDPhaseMaxValInterval=2</t><t>x=98</t>"
        "<t>PhNrCurrTransducer=1</t><t>clamp=5000</t>";
    CMeasurementJob job;
    test::TempDir dir;
    dir.Write("old.VXM", Header("1.0.0", "windows-1252") + "<KelvaroJob>\r\n" + items +
                             "\r\n</KelvaroJob>\r\n</Vamor>\r\n");
    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("old.VXM")));
    ASSERT_TRUE(reader.ReadJob(job));
    EXPECT_EQ(job.MeasFunc, kMeasFuncP);
    EXPECT_EQ(job.PowSysNomFreq, 60);
    EXPECT_EQ(job.InstrHardwNr, 400);
    EXPECT_EQ(job.Interval, 900);
    EXPECT_EQ(job.VoltInputRangeCode, 5);
    EXPECT_EQ(job.NomVoltRawVal, 12000);
    EXPECT_EQ(job.CurrPowSys, 1);
    EXPECT_EQ(job.PhMaxValInterval, 3);      // after the discarded 99
    EXPECT_EQ(job.PhCurrClampRawVal, 5000);  // after the discarded 98
    EXPECT_EQ(job.VoltPowSysType, kPowSysTwoElementDelta);
    EXPECT_EQ(job.PhCurrTransformer, CMeasurementJob().PhCurrTransformer);  // text ran out
}

TEST(MeasurementFileItems, ItemBlockWithoutClosingTagIsEmptyAndReadingGoesOn) {
    test::TempDir dir;
    dir.Write("f.VXM", Header() +
                           "<KelvaroConfiguration>\r\n<t>HardwType=408b</t>\r\n"
                           "<KelvaroJob>\r\n<t>MeasFunc=10</t>\r\n</KelvaroJob>\r\n");
    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("f.VXM")));
    CLoggerInfo info;
    ASSERT_TRUE(reader.ReadLoggerInfo(info));  // the file ends before its closing tag
    EXPECT_EQ(info.HardwType, "");
    CMeasurementJob job;
    ASSERT_TRUE(reader.ReadJob(job));  // found after the configuration's opening tag
    EXPECT_EQ(job.MeasFunc, kMeasFuncA);
    EXPECT_FALSE(reader.ReadJob(job));  // no second job section: a format error
}

TEST(MeasurementFileItems, AnsiFilesConvertTheirTexts) {
    test::TempDir dir;
    dir.Write("f.VXM", Header("1.0.2", "windows-1252") +
                           "<KelvaroConfiguration>\r\n<t>HardwType=Gr\xF6\xDF"
                           "e</t>\r\n"
                           "</KelvaroConfiguration>\r\n");
    CMeasurementFileReader reader;
    ASSERT_TRUE(reader.Open(dir.File("f.VXM")));
    CLoggerInfo info;
    ASSERT_TRUE(reader.ReadLoggerInfo(info));
    EXPECT_EQ(info.HardwType,
              "Gr\xC3\xB6\xC3\x9F"
              "e");
}

TEST(MeasurementFileWriter, NothingAppearsUnderTheNameUntilClosed) {
    test::TempDir dir;
    dir.Write("m.VXM", "earlier file");
    {
        CMeasurementFileWriter writer(dir.File("m.VXM"));
        ASSERT_TRUE(writer.Create());
        writer.WriteJob(CMeasurementJob());
    }  // abandoned
    EXPECT_EQ(ReadAll(dir.File("m.VXM")), "earlier file");
    ASSERT_TRUE(WriteJobFile(dir.File("m.VXM"), SampleJob()));
    CMeasurementJob job;
    ASSERT_TRUE(ReadJobFile(dir.File("m.VXM"), job));
    EXPECT_EQ(job, SampleJob());
}

}  // namespace
}  // namespace varelo
