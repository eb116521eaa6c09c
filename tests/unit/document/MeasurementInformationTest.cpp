#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/MeasurementInfoPrintout.h"
#include "document/MeasurementInformation.h"
#include "document/MeasurementTexts.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "job/JobTexts.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementFileReader.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {
namespace {

const InformationRow& RowOf(const std::vector<InformationRow>& rows, const std::string& key) {
    for (const InformationRow& row : rows)
        if (row.key == key) return row;
    static const InformationRow kMissing{"missing", "", "(missing)"};
    return kMissing;
}

std::vector<std::string> Values(const std::vector<InformationRow>& rows) {
    std::vector<std::string> values;
    for (const InformationRow& row : rows)
        values.push_back(row.value);
    return values;
}

// A time-activated week from Monday 00:00 to the next Monday 00:00 in 1008 linear intervals
// of 600 s, without segments, with 20 events.
CMeasurementJob En50160Week() {
    CMeasurementJob job;
    job.MeasFunc = kMeasFuncA;
    job.JobType = kJobTimeActivated;
    job.Interval = 600;
    job.NrInterval = 1008;
    job.NrMeasSectionsProg = 0;
    job.IntervalMemModel = 0;
    job.MeasStartMeasured = CTimeStamp(2026, 3, 2, 0, 0, 0, 0);
    job.MeasStopMeasured = CTimeStamp(2026, 3, 9, 0, 0, 0, 0);
    job.EventReady = 18;
    job.EventOpen = 2;
    return job;
}

TEST(MeasurementInformation, En50160ConditionsAnsweredYesOrNo) {
    const std::string yes = Str(877), no = Str(1078);
    struct Case {
        const char* what;
        void (*change)(CMeasurementJob&);
        std::vector<std::string> expected;
    } cases[] = {
        {"the week", [](CMeasurementJob&) {}, {yes, yes, yes, yes}},
        {"circular memory",
         [](CMeasurementJob& j) { j.IntervalMemModel = 1; },
         {yes, yes, no, yes}},
        {"1007 intervals", [](CMeasurementJob& j) { j.NrInterval = 1007; }, {yes, yes, no, yes}},
        {"a segment", [](CMeasurementJob& j) { j.NrMeasSectionsProg = 1; }, {yes, yes, no, yes}},
        {"one millisecond more",
         [](CMeasurementJob& j) { j.MeasStopMeasured.millisecond = 1; },
         {yes, yes, no, yes}},
        {"a second less",
         [](CMeasurementJob& j) { j.MeasStopMeasured.AddSeconds(-1); },
         {yes, yes, no, yes}},
        {"switch activated",
         [](CMeasurementJob& j) { j.JobType = kJobSwitchActivated; },
         {no, yes, yes, yes}},
        {"15-minute intervals", [](CMeasurementJob& j) { j.Interval = 900; }, {yes, no, yes, yes}},
        {"1050 events", [](CMeasurementJob& j) { j.EventReady = 1048; }, {yes, yes, yes, no}},
        {"1049 events", [](CMeasurementJob& j) { j.EventReady = 1047; }, {yes, yes, yes, yes}},
    };
    for (const Case& c : cases) {
        CMeasurementJob job = En50160Week();
        c.change(job);
        EXPECT_EQ(Values(MakeMeasurementAssessment(job, nullptr).en50160), c.expected) << c.what;
    }
}

TEST(MeasurementInformation, DiagnosisWithoutCountsShowsQuestionMarks) {
    CMeasurementJob job = En50160Week();
    job.NrStat = 7;
    MeasurementAssessment a = MakeMeasurementAssessment(job, nullptr);
    EXPECT_EQ(a.intervalsCaption, "1008 " + Str(864));
    EXPECT_EQ(a.statisticsCaption, "7 " + Str(867));
    EXPECT_EQ(a.eventsCaption, "20 " + Str(863));
    EXPECT_EQ(Values(a.intervals), std::vector<std::string>(5, "?"));
    EXPECT_EQ(Values(a.statistics), std::vector<std::string>(3, "?"));
    EXPECT_EQ(Values(a.events), (std::vector<std::string>{"18", "2"}));

    MeasurementStatusCounts counts;
    counts.intervalLineInterruptions = 1;
    counts.intervalUnbalanceErrors = 2;
    counts.intervalSyncErrors = 3;
    counts.intervalVoltageOverflows = 4;
    counts.intervalCurrentOverflows = 5;
    counts.statisticLineInterruptions = 6;
    counts.statisticSyncErrors = 7;
    counts.statisticVoltageOverflows = 8;
    a = MakeMeasurementAssessment(job, &counts);
    EXPECT_EQ(Values(a.intervals), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Values(a.statistics), (std::vector<std::string>{"6", "7", "8"}));
    job.MeasFunc = kMeasFuncNotSet;  // statistics belong to functions A and P
    EXPECT_EQ(Values(MakeMeasurementAssessment(job, &counts).statistics),
              std::vector<std::string>(3, "-"));
}

TEST(MeasurementInformation, RowsOfTheJob) {
    CMeasurementJob job;
    job.MeasFunc = kMeasFuncA;
    job.VoltInputRangeCode = 6;
    job.PowSysNomFreq = 50;
    job.Interval = 600;
    job.IntervalMemModel = 1;
    job.VoltUpperThreshShort = 110;
    job.VoltLowerThreshShort = 90;
    job.EventMemModel = 0;
    job.EventHysteresis = 2;
    job.VoltPowSysType = kPowSysWye;
    MeasurementInformation info = MakeMeasurementInformation(job);
    EXPECT_EQ(RowOf(info.rows, "inputRange").value, "230 V, P-N, 50 Hz");
    EXPECT_EQ(RowOf(info.rows, "intervals").value, "10 minutes,  circular");
    EXPECT_EQ(RowOf(info.rows, "events").value, "-10.00/+10.00% of 230 V, linear");
    EXPECT_EQ(RowOf(info.rows, "hysteresis").value, "2.00 %");
    EXPECT_EQ(RowOf(info.rows, "numberOfCts").value, "3");
    EXPECT_EQ(RowOf(info.rows, "numberOfCts").neutral, "-");
    EXPECT_EQ(RowOf(info.rows, "period").value, "??? - ???");
    EXPECT_FALSE(info.interharmonicButton);

    job.VoltPowSysType = kPowSysDelta;
    EXPECT_EQ(RowOf(MakeMeasurementInformation(job).rows, "inputRange").value, "400 V, P-P, 50 Hz");
    job.VoltPowSysType = kPowSysTwoElementDelta;
    job.NeutralMeas = 2;
    job.NeutralClampCurrRawVal = 20000;  // 200 A; the basic family measures it with half
    job.InstrHardwNr = 300;
    info = MakeMeasurementInformation(job);
    EXPECT_EQ(RowOf(info.rows, "numberOfCts").value, "2");
    EXPECT_EQ(RowOf(info.rows, "numberOfCts").neutral, "0");
    EXPECT_EQ(RowOf(info.rows, "currentInputRange").neutral, "100 A");
    EXPECT_EQ(RowOf(info.rows, "maxClampCurrent").value, "");  // basic family

    job.MeasFunc = kMeasFuncNotSet;  // neither A nor P: no hysteresis row, no power averaging
    info = MakeMeasurementInformation(job);
    EXPECT_EQ(RowOf(info.rows, "hysteresis").key, "missing");
    EXPECT_EQ(RowOf(info.rows, "powerMinMax").value, "-");
    EXPECT_EQ(RowOf(info.rows, "interharmonics").value, "-");
}

TEST(MeasurementInformation, CaptionCarriesThePathBelow86Characters) {
    const std::string title = "Information about measurement";  // 29 characters
    const std::string path56 = "/" + std::string(55, 'p');
    EXPECT_EQ(InformationCaption(title, path56), title + " - " + path56);
    EXPECT_EQ(InformationCaption(title, path56 + "x"), path56 + "x");
    // Characters, not bytes: "ä" is one character of two bytes.
    EXPECT_EQ(InformationCaption(title, "/" + std::string(53, 'p') + "ä"),
              title + " - /" + std::string(53, 'p') + "ä");
}

TEST(MeasurementInformation, InterharmonicChannelLines) {
    CMeasurementJob job;
    job.HarmOrder = {250, 150, 0, 0, 0};
    job.HarmFreqSync = {1, 0, 0, 0, 0};
    job.HarmMeasPrinciple = {0, 3, 0, 0, 0};
    job.HarmText = {"", "ripple", "", "", ""};
    EXPECT_EQ(InterharmonicChannelLine(job, 0, 50, "|"), "V h2.50|relative|Average value");
    EXPECT_EQ(InterharmonicChannelLine(job, 1, 50, "|"), "  75.0Hz|absolute|3 s Max-Value|ripple");
    EXPECT_EQ(InterharmonicChannelLine(job, 1, 60, "\t"),
              "  90.0Hz\tabsolute\t3 s Max-Value\tripple");
    EXPECT_EQ(InterharmonicChannelLine(job, 5, 50, "|"), "");
}

TEST(MeasurementInformation, PrintoutLinesInTheirOrder) {
    CMeasurementJob job = En50160Week();
    job.IntervalMemModel = 1;
    job.IntervalMem = 1;
    job.NrInterHarm = 0;
    CLoggerInfo logger;
    std::vector<std::string> headings;
    const std::vector<InfoPrintLine> lines = MeasurementInformationLines(job, logger, "/m.VXM");
    for (const InfoPrintLine& line : lines)
        if (line.heading) headings.push_back(line.label);
    EXPECT_EQ(headings,
              (std::vector<std::string>{Str(237), Str(236), Str(230), Str(250), Str(256), Str(223),
                                        Str(253), Str(232), Str(235), Str(227)}));
    EXPECT_TRUE(lines[0].path);
    auto after = [&](int headingId, size_t n) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].heading && lines[i].label == Str(headingId)) return lines[i + n];
        return InfoPrintLine{};
    };
    EXPECT_EQ(after(230, 2).columns, std::vector<std::string>{Str(246)});  // overwritten
    EXPECT_EQ(after(256, 1).columns, std::vector<std::string>{Str(963)});
    EXPECT_EQ(after(227, 3).columns, std::vector<std::string>{"20   (18 + 2)"});
    EXPECT_EQ(after(237, 1).label, Str(247));
    job.MeasFunc = kMeasFuncP;
    job.JobType = kJobContinuous;
    const std::vector<InfoPrintLine> p = MeasurementInformationLines(job, logger, "/m.VXM");
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i].label == Str(256)) {
            EXPECT_EQ(p[i + 1].columns, std::vector<std::string>{"-"});
        }
        if (p[i].label == Str(247)) {
            EXPECT_EQ(p[i].columns, std::vector<std::string>{Str(1013)});
        }
    }
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class MeasurementTextChange : public ::testing::Test {
protected:
    void SetUp() override {
        CLimitValues limits;
        limits.SetDefaults(50);
        ASSERT_TRUE(WriteLimitFile(dir.File("limits.gwd"), limits));
        settings.Write(setting::LimitFile, dir.File("limits.gwd"));
        MeasurementData d = test::SteadyMeasurement(kMeasFuncA, 12);
        for (size_t n = 0; n < 6; ++n) {
            d.job.JobTitle[n] = "Caption " + std::to_string(n + 1);
            d.job.JobText[n] = "Text " + std::to_string(n + 1);
        }
        ASSERT_TRUE(WriteMeasurementFile(path, d));
        ASSERT_TRUE(doc.OpenFile(path));
        ASSERT_TRUE(ReadJobFile(path, before));
        ui.messages.clear();  // the notes of opening
    }

    test::TempDir dir;
    std::string path = dir.File("m.VXM");
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;
    CVamor800Doc doc{settings, ui, options};
    CMeasurementJob before;
};

TEST_F(MeasurementTextChange, OneChangedCaptionRewritesAllSixAndNothingElse) {
    MeasurementTexts texts = MeasurementTexts::Of(doc.Data().job);
    texts.titles[2] = "Feeder 3";
    EXPECT_EQ(ChangeMeasurementText(doc, texts, ui), TextChangeResult::Written);
    EXPECT_EQ(MeasurementTexts::Of(doc.Data().job), texts);
    CMeasurementJob after;
    ASSERT_TRUE(CheckFile(path) && ReadJobFile(path, after));
    EXPECT_EQ(MeasurementTexts::Of(after), texts);
    texts.ApplyTo(before);
    EXPECT_EQ(after, before);  // every other value of the job is kept
    EXPECT_FALSE(std::filesystem::exists(path + ".temp"));
    EXPECT_TRUE(ui.messages.empty());

    // The same texts again: the file is not touched.
    const auto written = std::filesystem::last_write_time(path);
    const std::string bytes = Bytes(path);
    EXPECT_EQ(ChangeMeasurementText(doc, texts, ui), TextChangeResult::Unchanged);
    EXPECT_EQ(Bytes(path), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(path), written);
}

TEST_F(MeasurementTextChange, UnstorableSequencesAreRefused) {
    for (const char* text : {"a</t>b=c", "x</KelvaroJob>"}) {
        MeasurementTexts texts = MeasurementTexts::Of(doc.Data().job);
        texts.texts[5] = text;
        EXPECT_FALSE(UnstorableSequence(texts).empty()) << text;
        const std::string bytes = Bytes(path);
        EXPECT_EQ(ChangeMeasurementText(doc, texts, ui), TextChangeResult::Refused) << text;
        EXPECT_EQ(doc.Data().job.JobText[5], "Text 6");
        EXPECT_EQ(Bytes(path), bytes);
    }
    MeasurementTexts fine = MeasurementTexts::Of(doc.Data().job);
    fine.texts[0] = "a=b <t> </ t>";  // "=" and other tags are stored as they are
    EXPECT_EQ(UnstorableSequence(fine), "");
    EXPECT_EQ(ChangeMeasurementText(doc, fine, ui), TextChangeResult::Written);
    CMeasurementJob after;
    ASSERT_TRUE(ReadJobFile(path, after));
    EXPECT_EQ(MeasurementTexts::Of(after), fine);
}

TEST_F(MeasurementTextChange, FileWithoutAcceptedHeaderIsLeftAloneWith374) {
    struct Case {
        const char* what;
        std::string content;
    } cases[] = {
        {"no header", "not a measurement\r\n"},
        {"unknown version",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Vamor>\r\n"
         "<Version>9.9.9</Version>\r\n"},
    };
    for (const Case& c : cases) {
        dir.Write("m.VXM", c.content);
        ui.messages.clear();
        MeasurementTexts texts = MeasurementTexts::Of(doc.Data().job);
        texts.titles[0] += "!";
        EXPECT_EQ(ChangeMeasurementText(doc, texts, ui), TextChangeResult::NotInFile) << c.what;
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ui.messages[0].id, 374);
        EXPECT_EQ(Bytes(path), c.content) << c.what;
        EXPECT_EQ(MeasurementTexts::Of(doc.Data().job), texts);  // the document keeps them
        EXPECT_FALSE(std::filesystem::exists(path + ".temp"));
    }
}

// The labels are the program's texts: with the German module loaded none stays in English.
TEST(MeasurementInformation, LabelsPeriodsAndAveragingFollowTheLoadedModule) {
    auto labels = [] {
        CMeasurementJob job;
        job.MeasFunc = kMeasFuncA;
        job.EventHysteresis = 1;
        job.PhaseCorrRawVal = 100;
        std::vector<std::string> texts;
        auto add = [&](const std::vector<InformationRow>& rows) {
            for (const InformationRow& row : rows)
                if (!row.key.starts_with("text") && !row.label.empty()) texts.push_back(row.label);
        };
        add(MakeMeasurementInformation(job).rows);
        const MeasurementAssessment a = MakeMeasurementAssessment(job, nullptr);
        for (const auto* rows : {&a.en50160, &a.intervals, &a.statistics, &a.events})
            add(*rows);
        CLoggerInfo info;
        info.HardwType = "40";
        add(LoggerInformationRows(info));
        for (int period = kFirstPeriod; period <= kMeasurementPeriod; ++period)
            texts.push_back(TimePeriodLabel(period));
        for (int code : {0, 1, 3, 4, 5, 6, 7, 8})
            texts.push_back(job_text::Averaging(code));
        return texts;
    };
    const std::vector<std::string> english = labels();
    StringTable german;
    ASSERT_TRUE(german.LoadFile(std::string(VARELO_STRINGS_DIR) + "/GER.lng"));
    Strings::Instance().SetModule(german);
    const std::vector<std::string> translated = labels();
    Strings::Instance().ClearModule();
    ASSERT_EQ(translated.size(), english.size());
    for (size_t n = 0; n < english.size(); ++n) {
        if (english[n] == "Details") continue;  // German writes it alike
        EXPECT_NE(translated[n], english[n]) << n;
    }
}

}  // namespace
}  // namespace varelo
