#include <gtest/gtest.h>

#include <filesystem>

#include "app/Settings.h"
#include "job/DeviceTypeFile.h"
#include "job/JobFile.h"
#include "job/JobTemplatesForm.h"
#include "logger/SoftwareInformation.h"
#include "measurement/MeasurementFileReader.h"
#include "measurement/MeasurementFileWriter.h"
#include "platform/SettingsStore.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

TEST(JobFile, TemplatePathsAreRelativeToTheDataFolderUnlessTheyNameARoot) {
    struct Case {
        const char* stored;
        const char* path;
    };
    const Case cases[] = {
        {"jobs\\week.AUP", "/data/jobs/week.AUP"},
        {"jobs/week.AUP", "/data/jobs/week.AUP"},
        {"/srv/jobs/week.AUP", "/srv/jobs/week.AUP"},
        {"C:\\jobs\\week.AUP", "C:\\jobs\\week.AUP"},
        {"\\\\server\\jobs\\week.AUP", "\\\\server\\jobs\\week.AUP"},
        {"ab", "ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TemplateFilePath(c.stored, "/data"), c.path) << c.stored;
    EXPECT_EQ(TemplateFilePath("x.aua", "/data/"), "/data/x.aua");
}

class JobFileTest : public ::testing::Test {
protected:
    // A job file of the function, named relative to the data folder.
    std::string JobOf(uint32_t function, const std::string& name) {
        CMeasurementJob job;
        job.MeasFunc = function;
        job.JobText[0] = "Feeder 7";
        job.Interval = 60;
        EXPECT_EQ(SaveJobFile(job, dir.File(name), ui),
                  function == 7 ? JobSaveResult::Unsupported : JobSaveResult::Saved);
        return name;
    }

    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
};

TEST_F(JobFileTest, SavedJobReadsBackEqual) {
    CMeasurementJob job;
    job.MeasFunc = kMeasFuncP;
    job.JobTitle[1] = "Site:";
    job.JobText[1] =
        "Umspannwerk S\xC3\xBC"
        "d";
    job.PowSysNomFreq = 60;
    ASSERT_EQ(SaveJobFile(job, dir.File("round.AUP"), ui), JobSaveResult::Saved);
    CMeasurementJob back;
    ASSERT_TRUE(CheckFile(dir.File("round.AUP")));
    ASSERT_TRUE(ReadJobFile(dir.File("round.AUP"), back));
    EXPECT_EQ(back, job);
}

TEST_F(JobFileTest, SavingRefusesAnUnknownFunctionAndReportsAFileThatCannotBeWritten) {
    CMeasurementJob job;
    job.MeasFunc = 7;
    EXPECT_EQ(SaveJobFile(job, dir.File("seven.aua"), ui), JobSaveResult::Unsupported);
    EXPECT_FALSE(std::filesystem::exists(dir.File("seven.aua")));
    job.MeasFunc = kMeasFuncA;
    EXPECT_EQ(SaveJobFile(job, dir.File("no-such-folder/x.aua"), ui), JobSaveResult::Failed);
    EXPECT_EQ(ui.MessageIds(), (std::vector<int>{1010, 372}));
}

TEST_F(JobFileTest, TemplateOfTheOtherFunctionGivesInitialValuesSilently) {
    settings.Write(setting::JobTemplateP, JobOf(kMeasFuncA, "a-job.aua"));
    EXPECT_FALSE(JobTemplate(kMeasFuncP, settings, ui, dir.Path()));
    settings.Write(setting::JobTemplateA, JobOf(kMeasFuncA, "a-job.aua"));
    const auto job = JobTemplate(kMeasFuncA, settings, ui, dir.Path());
    ASSERT_TRUE(job);
    EXPECT_EQ(job->JobText[0], "Feeder 7");
    settings.Write(setting::JobTemplateA, "missing.aua");
    EXPECT_FALSE(JobTemplate(kMeasFuncA, settings, ui, dir.Path()));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(settings.ReadString(setting::JobTemplateA), "missing.aua") << "kept as stored";
}

TEST_F(JobFileTest, TemplateOfAnUnknownFunctionShows1010) {
    CMeasurementJob job;
    job.MeasFunc = 7;
    // Written past the save check, as a file from elsewhere would be.
    ASSERT_TRUE(WriteJobFile(dir.File("seven.aua"), job));
    settings.Write(setting::JobTemplateA, "seven.aua");
    EXPECT_FALSE(JobTemplate(kMeasFuncA, settings, ui, dir.Path()));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{1010});
}

TEST_F(JobFileTest, TemplatesFormFollowsTheCheckBoxAndSelectRules) {
    settings.Write(setting::JobTemplateA, "/jobs/a.aua");
    JobTemplatesForm form(settings);
    const auto& p = form.RowAt(JobTemplatesForm::kRowP);
    const auto& a = form.RowAt(JobTemplatesForm::kRowA);
    EXPECT_TRUE(p.initialValues);
    EXPECT_FALSE(p.selectEnabled);
    EXPECT_FALSE(a.initialValues);
    EXPECT_TRUE(a.selectEnabled);

    auto cancel = [](uint32_t, const std::string&) { return std::optional<std::string>(); };
    std::string startedAt;
    auto choose = [&](uint32_t function, const std::string& path) {
        startedAt = path;
        return std::optional<std::string>(function == kMeasFuncP ? "/jobs/p.AUP" : "/jobs/b.aua");
    };
    form.ClickInitialValues(JobTemplatesForm::kRowP, cancel);
    EXPECT_TRUE(p.initialValues);
    EXPECT_FALSE(p.selectEnabled);
    form.ClickInitialValues(JobTemplatesForm::kRowP, choose);
    EXPECT_EQ(p.path, "/jobs/p.AUP");
    EXPECT_FALSE(p.initialValues);
    EXPECT_TRUE(p.selectEnabled);

    form.ClickSelect(JobTemplatesForm::kRowA, choose);
    EXPECT_EQ(startedAt, "/jobs/a.aua");
    EXPECT_EQ(a.path, "/jobs/b.aua");
    form.ClickSelect(JobTemplatesForm::kRowA, cancel);
    EXPECT_EQ(a.path, "/jobs/b.aua") << "a cancelled choice keeps the path";
    form.ClickInitialValues(JobTemplatesForm::kRowA, choose);
    EXPECT_EQ(a.path, "");
    EXPECT_TRUE(a.initialValues);

    {
        JobTemplatesForm cancelled(settings);  // discarded without Store: nothing written
        cancelled.ClickInitialValues(JobTemplatesForm::kRowP, choose);
    }
    EXPECT_EQ(settings.ReadString(setting::JobTemplateP), "");
    form.Store();
    EXPECT_EQ(settings.ReadString(setting::JobTemplateP), "/jobs/p.AUP");
    EXPECT_EQ(settings.ReadString(setting::JobTemplateA), "");
}

TEST(DeviceTypeFile, IntervalsPerFunctionFromTheDeviceFile) {
    EXPECT_EQ(DeviceTypeIntervals("408b", "A", FirmwareFolder()), 8064);
    EXPECT_EQ(DeviceTypeIntervals("408b", "P", FirmwareFolder()), 16128);
    EXPECT_EQ(DeviceTypeIntervals("301b", "A", FirmwareFolder()), 0);
    EXPECT_EQ(DeviceTypeIntervals("999x", "A", FirmwareFolder()), 0);
}

}  // namespace
}  // namespace varelo
