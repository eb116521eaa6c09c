#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/Settings.h"
#include "job/JobCheck.h"
#include "job/JobCodeTables.h"
#include "job/JobEditor.h"
#include "job/JobFile.h"
#include "job/JobSchedule.h"
#include "platform/SettingsStore.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

// A Logger in a record: the identity it reports and the jobs it would hand out.
class FakeLoggerAccess : public JobLoggerAccess {
public:
    std::optional<JobLoggerIdentity> identity;
    CMeasurementJob current;
    CMeasurementJob old;
    int reads = 0;

    std::optional<JobLoggerIdentity> Identify(uint32_t) override { return identity; }
    std::optional<CMeasurementJob> ReadJob(bool readOld, const Refusal& refusal,
                                           CLoggerInfo& info) override {
        if (!identity) return std::nullopt;
        info = identity->info;
        if (refusal(info) != 0) return std::nullopt;
        ++reads;
        return readOld ? old : current;
    }
};

// An extended-family Logger 408b running function A.
CLoggerInfo Logger408(char state = 'F') {
    CLoggerInfo info;
    info.HardwType = "408b";
    info.FuncCPU = "A;1";
    info.FuncDSP = "A;1";
    info.HardwNomFreq = 1;
    info.HardwSupplyVoltage = 1;
    info.ClampId = 2;
    info.MaxClampCurr = 3000;
    info.OperatingState = state;
    info.intervalCapacity = 20000;
    return info;
}

class JobEditorTest : public ::testing::Test {
protected:
    JobEditorContext Context() { return {settings, ui, dir.Path(), dir.Path(), dir.Path()}; }
    JobEditor Offline() {
        std::optional<JobEditor> editor = JobEditor::Open(kMeasFuncA, nullptr, Context(), now);
        EXPECT_TRUE(editor.has_value());
        return *editor;
    }

    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    CTimeStamp now{2024, 3, 5, 14, 37, 21};
};

TEST_F(JobEditorTest, OfflineEditorStartsFromTheDefaultsOfA408bAt50Hz) {
    const JobEditor editor = Offline();
    const CMeasurementJob& job = editor.Job();
    EXPECT_FALSE(editor.LoggerConnected());
    EXPECT_EQ(editor.LoggerTypeCode(), "408b");
    EXPECT_EQ(job.InstrHardwNr, 400);
    EXPECT_EQ(job.Interval, 600);
    EXPECT_EQ(job.PowSysNomFreq, 50);
    EXPECT_EQ(job.PowSysNomVolt, 230);
    EXPECT_EQ(job.NomVoltRawVal, 23000);
    EXPECT_FLOAT_EQ(job.VoltUpperThreshShort, 110.0f);
    EXPECT_FLOAT_EQ(job.VoltLowerThreshShort, 90.0f);
    EXPECT_EQ(job.PhCurrClampRawVal, 150000);
    EXPECT_EQ(job.PowMinMaxValInterval, 8);
    EXPECT_EQ(job.ClampId, 0);          // "LastUsedClamp" unset
    EXPECT_EQ(job.MaxClampCurr, 1500);  // "MaxClampCurrent" unset
    // 14:37:21 -> 14:30:00, plus an hour; the end 1008 intervals of 600 s (7 days) later.
    EXPECT_EQ(job.ProgStartMeas, CTimeStamp(2024, 3, 5, 15, 30, 0));
    EXPECT_EQ(job.ProgStopMeas, CTimeStamp(2024, 3, 12, 15, 30, 0));
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.Title(), "Set up a Logger for function A");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(JobEditorTest, NewJobDefaultsDependOnFrequencyAndInterval) {
    EXPECT_FLOAT_EQ(JobEditor::NewJob(kMeasFuncA, 60, now).VoltUpperThreshShort, 105.0f);
    EXPECT_FLOAT_EQ(JobEditor::NewJob(kMeasFuncP, 50, now).VoltUpperThreshShort, 110.0f);
    // Above 600 s the minutes go to 0.
    EXPECT_EQ(DefaultJobStart(now, 900), CTimeStamp(2024, 3, 5, 15, 0, 0));
    // Over midnight at the end of a month.
    EXPECT_EQ(DefaultJobStart(CTimeStamp(2024, 2, 29, 23, 59, 59), 600),
              CTimeStamp(2024, 3, 1, 0, 50, 0));
}

TEST_F(JobEditorTest, OfflineEditorTakesTypeAndSensorFromTheSettings) {
    settings.Write(setting::LastUsedBoxType,
                   std::string("Logger 302b, 3 voltage and 3 current inputs"));
    settings.Write(setting::LastUsedClamp, 5);
    settings.Write(setting::MaxClampCurrent, 1000);
    const JobEditor editor = Offline();
    EXPECT_EQ(editor.LoggerTypeCode(), "302b");
    EXPECT_EQ(editor.Job().InstrHardwNr, 300);
    EXPECT_EQ(editor.Job().ClampId, 5);
    EXPECT_EQ(editor.Job().MaxClampCurr, 1000);
}

TEST_F(JobEditorTest, ConnectedLoggerIsRefusedOrOverridesTheJob) {
    struct Case {
        const char* type;
        bool supports;
        uint8_t clamp;
        bool opens;
        std::vector<int> messages;
    };
    const Case cases[] = {
        {"408b", true, 2, true, {}},
        {"408b", true, 0, true, {1085}},  // the 408b expects a smart sensor
        {"404b", true, 0, true, {}},
        {"408b", false, 2, false, {1089}},
        {"302b", true, 0, false, {1089}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ui = {};
        FakeLoggerAccess logger;
        CLoggerInfo info = Logger408();
        info.HardwType = c.type;
        info.ClampId = c.clamp;
        info.HardwNomFreq = 2;        // a 60 Hz Logger
        info.HardwSupplyVoltage = 2;  // on 120 V
        logger.identity = JobLoggerIdentity{info, c.supports};
        std::optional<JobEditor> editor = JobEditor::Open(kMeasFuncA, &logger, Context(), now);
        EXPECT_EQ(editor.has_value(), c.opens);
        EXPECT_EQ(ui.MessageIds(), c.messages);
        if (!ui.messages.empty() && ui.messages[0].id == 1089) {
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
        }
        EXPECT_EQ(ui.statusTexts.front(), "Testing the Logger status, please wait...");
        EXPECT_EQ(ui.statusTexts.back(), "Ready");
        EXPECT_EQ(ui.waitCursorDepth, 0);
        if (!editor) continue;
        EXPECT_TRUE(editor->LoggerConnected());
        EXPECT_EQ(editor->Job().PowSysNomFreq, 60);
        EXPECT_EQ(editor->Job().PowSysNomVolt, 120);
        EXPECT_FLOAT_EQ(editor->Job().VoltUpperThreshShort, 105.0f);
        EXPECT_EQ(editor->Job().ClampId, c.clamp);
        EXPECT_EQ(editor->Job().NrIntervalMax, 20000);
        EXPECT_EQ(editor->WriteState().extendedFamily, true);
    }
}

TEST_F(JobEditorTest, NoAnswerOpensOffline) {
    FakeLoggerAccess logger;  // nobody answers
    std::optional<JobEditor> editor = JobEditor::Open(kMeasFuncP, &logger, Context(), now);
    ASSERT_TRUE(editor.has_value());
    EXPECT_FALSE(editor->LoggerConnected());
    EXPECT_EQ(editor->Job().MeasFunc, kMeasFuncP);
    EXPECT_FALSE(editor->WriteState().extendedFamily);
}

TEST_F(JobEditorTest, BasicPageChecksInOrderAndFocusesTheField) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double voltage;
        bool transformer;
        double primary;
        double secondary;
        double clamp;
        int message;
        JobField field;
    };
    const Case cases[] = {
        {"all fine", 400.7, true, 20000, 100, 3000, 0, JobField::None},
        {"voltage below 1 after rounding down", 0.9, true, 0, 0, 0, 1079, JobField::NominalVoltage},
        {"voltage above 999000", 999001, false, 1, 1, 1, 1079, JobField::NominalVoltage},
        {"voltage no number", nan, false, 1, 1, 1, 1079, JobField::NominalVoltage},
        {"primary", 230, true, 0, 0, 0, 1246, JobField::PrimaryVoltage},
        {"secondary", 230, true, 230, 999001, 0, 1247, JobField::SecondaryVoltage},
        {"transformer off ignores its values", 230, false, 0, 0, 1500, 0, JobField::None},
        {"clamp current not an integer", 230, false, 1, 1, 100.5, 61714, JobField::MaxClampCurrent},
        {"clamp current above 3000", 230, false, 1, 1, 3001, 61714, JobField::MaxClampCurrent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JobEditor editor = Offline();
        BasicSettings page = editor.Basic();
        page.nominalVoltage = c.voltage;
        page.voltageTransformer = c.transformer;
        page.primaryVoltage = c.primary;
        page.secondaryVoltage = c.secondary;
        page.maxClampCurrent = c.clamp;
        const CMeasurementJob before = editor.Job();
        const PageCheck check = editor.ApplyBasic(page);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.field, c.field);
        if (c.message != 0) {
            EXPECT_EQ(editor.Job(), before);  // nothing taken over
            EXPECT_FALSE(editor.Changed());
        }
    }
    JobEditor editor = Offline();
    BasicSettings page = editor.Basic();
    page.nominalVoltage = 400.7;
    EXPECT_TRUE(editor.ApplyBasic(page).Accepted());
    EXPECT_EQ(editor.Job().NomVoltRawVal, 40000);  // rounded down
    EXPECT_TRUE(editor.Changed());
    EXPECT_EQ(editor
                  .ApplyBasic([&] {
                      BasicSettings p = editor.Basic();
                      p.nominalVoltage = 0;
                      return p;
                  }())
                  .text,
              "The entered value for nominal voltage is out of range.\nValues must be within 1 to "
              "999000 V.");
}

TEST_F(JobEditorTest, ShortIntervalForcesOneSecondPowerAveragingAndDropsSegments) {
    JobEditor editor = Offline();
    CMeasurementJob job = editor.Job();
    job.NrMeasSectionsProg = 1;
    job.NrMeasSectionsProgStart[0] = SegmentTime(1, 8, 0);
    job.NrMeasSectionsProgEnd[0] = SegmentTime(5, 17, 0);
    editor.TakePage(job);
    BasicSettings page = editor.Basic();
    page.interval = 10;
    ASSERT_TRUE(editor.ApplyBasic(page).Accepted());
    EXPECT_EQ(editor.Job().PowMinMaxValInterval, kPowerAveragingSecond);
    EXPECT_EQ(editor.Job().NrMeasSectionsProg, 0);
    // The end follows the new interval: 1008 x 10 s = 2 h 48 min.
    EXPECT_EQ(editor.Job().ProgStopMeas, CTimeStamp(2024, 3, 5, 18, 18, 0));
    const std::vector<JobCode> offered = PowerAveragingTimes(10);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].code, kPowerAveragingSecond);
    EXPECT_EQ(offered[0].text, "1 second");
    EXPECT_EQ(PowerAveragingTimes(60).size(), 2u);

    // A switch activated job keeps no segments either.
    JobEditor other = Offline();
    other.TakePage(job);
    page = other.Basic();
    page.jobType = kJobSwitchActivated;
    ASSERT_TRUE(other.ApplyBasic(page).Accepted());
    EXPECT_EQ(other.Job().NrMeasSectionsProg, 0);
    EXPECT_EQ(other.Job().PowMinMaxValInterval, kPowerAveragingMinute);
}

TEST_F(JobEditorTest, BasicPageMapsCurrentRangesAndDerivesTheNeutral) {
    struct Case {
        const char* designation;
        uint32_t system;
        uint8_t clamp;
        double maxClamp;
        int32_t phaseBefore;  // 0.01 A
        int32_t phaseAfter;
        int16_t neutral;
    };
    const Case cases[] = {
        {"Logger 304b, 3 voltage and 4 current inputs", kPowSysWye, 0, 1500, 2000, 15000, 1},
        {"Logger 302b, 3 voltage and 3 current inputs", kPowSysSplitSinglePhase, 0, 1500, 1500,
         1500, 2},
        {"Logger 302b, 3 voltage and 3 current inputs", kPowSysDelta, 0, 1500, 200000, 150000, 0},
        {"Logger 408b", kPowSysWye, 6, 1000, 5000, 10000, 1},  // 1000 A, 100 A offered
        {"Logger 408b", kPowSysWye, 5, 1000, 200000, 100000, 2},
        {"Logger 408b", kPowSysWye, 1, 3000, 1000, 1500, 2},  // 3000, 1500, 150, 15 A
        {"Logger 408b", kPowSysSinglePhase, 2, 3000, 1000, 1500, 0},
        {"Logger 408b", kPowSysWye, 0, 1500, 1000, 1500, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.designation) + " sensor " + std::to_string(c.clamp));
        JobEditor editor = Offline();
        CMeasurementJob job = editor.Job();
        job.PhCurrClampRawVal = c.phaseBefore;
        editor.TakePage(job);
        BasicSettings page = editor.Basic();
        page.loggerDesignation = c.designation;
        page.powerSystemType = c.system;
        page.clampId = c.clamp;
        page.maxClampCurrent = c.maxClamp;
        ASSERT_TRUE(editor.ApplyBasic(page).Accepted());
        EXPECT_EQ(editor.Job().PhCurrClampRawVal, c.phaseAfter);
        EXPECT_EQ(editor.Job().NeutralMeas, c.neutral);
    }
}

TEST_F(JobEditorTest, OpenFromLoggerRefusesByJobStateAndFunction) {
    struct Case {
        char state;
        bool old;
        const char* cpu;
        int message;
    };
    const Case cases[] = {
        {'V', true, "A;1", 1098}, {'A', true, "A;1", 1098}, {'F', true, "A;1", 1098},
        {'S', true, "A;1", 1098}, {'K', false, "A;1", 962}, {'K', true, "A;1", 962},
        {'f', true, "P;1", 1011}, {'f', true, "A;1", 0},    {'F', false, "A;1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.state) + (c.old ? " old" : " current"));
        ui = {};
        JobEditor editor = Offline();
        FakeLoggerAccess logger;
        CLoggerInfo info = Logger408(c.state);
        info.FuncCPU = c.cpu;
        info.FuncDSP = c.cpu;
        logger.identity = JobLoggerIdentity{info, true};
        logger.old.JobText[0] = "old";
        logger.current.JobText[0] = "current";
        const JobEditor::OpenResult result = editor.OpenFromLogger(c.old, logger);
        EXPECT_EQ(ui.MessageIds(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
        if (c.message == 0) {
            EXPECT_EQ(result, JobEditor::OpenResult::Opened);
            EXPECT_EQ(editor.Job().JobText[0], c.old ? "old" : "current");
        } else {
            EXPECT_EQ(result, JobEditor::OpenResult::Refused);
            EXPECT_EQ(logger.reads, 0);
            EXPECT_EQ(editor.Job().JobText[0], "");
        }
    }
}

TEST_F(JobEditorTest, UnsavedChangesAskFirst) {
    struct Case {
        bool answerYes;
        std::optional<std::string> savePath;
        JobEditor::OpenResult result;
    };
    // The recording interface answers Yes or No; Yes saves through Save As.
    const Case cases[] = {
        {false, std::nullopt, JobEditor::OpenResult::Opened},             // No drops the changes
        {true, std::nullopt, JobEditor::OpenResult::Cancelled},           // Save As cancelled
        {true, std::string("saved.aua"), JobEditor::OpenResult::Opened},  // saved first
    };
    for (const Case& c : cases) {
        ui = {};
        ui.answerYes = c.answerYes;
        if (c.savePath) ui.saveAnswer = dir.File(*c.savePath);
        JobEditor editor = Offline();
        CMeasurementJob job = editor.Job();
        job.JobText[0] = "edited";
        editor.TakePage(job);
        FakeLoggerAccess logger;
        logger.identity = JobLoggerIdentity{Logger408('F'), true};
        EXPECT_EQ(editor.OpenFromLogger(false, logger), c.result);
        ASSERT_EQ(ui.asked.size(), 1u);
        EXPECT_EQ(ui.asked[0].id, 194);
        EXPECT_TRUE(ui.asked[0].withCancel);
        if (c.savePath) {
            EXPECT_EQ(editor.FilePath(), dir.File(*c.savePath));
            EXPECT_EQ(editor.Title(), "Set up a Logger for function A - " + dir.File(*c.savePath));
            JobEditor reopened = Offline();
            ASSERT_TRUE(reopened.LoadJobFile(dir.File(*c.savePath)));
            EXPECT_EQ(reopened.Job().JobText[0], "edited");
        }
    }
}

TEST_F(JobEditorTest, AJobIsCheckedAsThePagesWouldRefuseIt) {
    struct Case {
        const char* name;
        void (*change)(CMeasurementJob&);
        int message;
    };
    const Case cases[] = {
        {"defaults", [](CMeasurementJob&) {}, 0},
        {"tolerance 25 %", [](CMeasurementJob& j) { j.VoltUpperThreshShort = 125; }, 752},
        {"two equal channels",
         [](CMeasurementJob& j) {
             j.NrInterHarm = 2;
             for (size_t i : {0u, 1u}) {
                 j.HarmOrder[i] = 350;
                 j.HarmFreqSync[i] = 1;
                 j.HarmMeasPrinciple[i] = 2;
             }
         },
         883},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMeasurementJob job = Offline().Job();
        c.change(job);
        ASSERT_EQ(SaveJobFile(job, dir.File("job.aua"), ui), JobSaveResult::Saved);
        JobEditor editor = Offline();
        ASSERT_TRUE(editor.LoadJobFile(dir.File("job.aua")));
        EXPECT_EQ(CheckJobPages(editor).message, c.message);
    }
}

}  // namespace
}  // namespace varelo
