#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/StringTable.h"
#include "document/TransformerForm.h"
#include "measurement/MeasurementFile.h"
#include "support/MeasurementJobPrinter.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using Field = TransformerForm::Field;

CMeasurementJob NeutralJob() {
    CMeasurementJob job;
    job.NeutralMeas = 1;
    job.PhCurrClampRawVal = 100000;  // 1000 A
    job.PhCurrTransformer = 1;
    job.PhCurrPrimaryRawVal = 50000;  // 500 A
    job.PhCurrSecondaryRawVal = 500;  // 5 A
    return job;
}

TEST(TransformerFormTest, ShowsTheJobsCurrents) {
    const TransformerForm form(NeutralJob());
    EXPECT_EQ(form.phase.inputRange, "1000");
    EXPECT_TRUE(form.phase.transformer);
    EXPECT_EQ(form.phase.primary, "500");
    EXPECT_EQ(form.phase.secondary, "5");
    EXPECT_TRUE(form.NeutralShown());
    EXPECT_EQ(TransformerForm::PhaseCaption(PhaseLabels::L123), "Phase L1, L2, L3");
    EXPECT_EQ(TransformerForm::PhaseCaption(PhaseLabels::ABC), "Phase A, B, C");
}

TEST(TransformerFormTest, ChecksInFieldOrderAndStoresHundredths) {
    struct Case {
        const char* what;
        std::string phasePrimary, phaseSecondary;
        bool neutralTransformer;
        std::string neutralPrimary, neutralSecondary;
        std::optional<Field> bad;
        int message;
        int32_t storedPrimary;  // PhCurrPrimaryRawVal when accepted
    } cases[] = {
        {"0.005 is below the range", "0.005", "5", false, "", "", Field::PhasePrimary, 1422, 0},
        {"999000 is the highest value", "999000", "5", false, "", "", std::nullopt, 0, 99900000},
        {"0.01 is the lowest value", "0.01", "5", false, "", "", std::nullopt, 0, 1},
        {"0.015 rounds half up", "0.015", "5", false, "", "", std::nullopt, 0, 2},
        {"above 999000", "999000.01", "5", false, "", "", Field::PhasePrimary, 1422, 0},
        {"text reads as 0", "abc", "5", false, "", "", Field::PhasePrimary, 1422, 0},
        {"the secondary after the primary", "100", "", false, "", "", Field::PhaseSecondary, 1423,
         0},
        {"the neutral after the phases", "0", "0", true, "0", "1", Field::PhasePrimary, 1422, 0},
        {"neutral primary", "100", "1", true, "1e7", "1", Field::NeutralPrimary, 1422, 0},
        {"neutral secondary", "100", "1", true, "10", "-1", Field::NeutralSecondary, 1423, 0},
    };
    for (const Case& c : cases) {
        CMeasurementJob job = NeutralJob();
        const CMeasurementJob original = job;
        TransformerForm form(job);
        form.phase.primary = c.phasePrimary;
        form.phase.secondary = c.phaseSecondary;
        form.neutral.transformer = c.neutralTransformer;
        form.neutral.primary = c.neutralPrimary;
        form.neutral.secondary = c.neutralSecondary;
        const auto problem = form.Apply(job);
        if (c.bad) {
            ASSERT_TRUE(problem) << c.what;
            EXPECT_EQ(problem->field, *c.bad) << c.what;
            EXPECT_EQ(problem->messageId, c.message) << c.what;
            EXPECT_EQ(problem->text, Msg(c.message, {"0.01", "999000.00"})) << c.what;
            EXPECT_EQ(job, original) << c.what << ": nothing is taken over";
        } else {
            ASSERT_FALSE(problem) << c.what << ": " << problem->text;
            EXPECT_EQ(job.PhCurrPrimaryRawVal, c.storedPrimary) << c.what;
            EXPECT_EQ(job.PhCurrSecondaryRawVal, 500) << c.what;
        }
    }
}

TEST(TransformerFormTest, WithoutTransformerOrNeutralTheFixedValues) {
    CMeasurementJob job = NeutralJob();
    job.NeutralCurrTransformer = 1;
    TransformerForm form(job);
    form.phase.transformer = false;
    form.phase.primary = "garbage";  // hidden fields are not checked
    form.neutral.transformer = false;
    ASSERT_FALSE(form.Apply(job));
    EXPECT_EQ(job.PhCurrTransformer, 0);
    EXPECT_EQ(job.PhCurrPrimaryRawVal, 10000);
    EXPECT_EQ(job.PhCurrSecondaryRawVal, 10000);
    EXPECT_EQ(job.NeutralCurrTransformer, 0);
    EXPECT_EQ(job.NeutralCurrPrimaryRawVal, 10000);
    EXPECT_EQ(job.NeutralCurrSecondaryRawVal, 10000);
    EXPECT_EQ(job.NeutralClampCurrRawVal, 100000) << "the clamp stays";

    CMeasurementJob unmeasured = NeutralJob();
    unmeasured.NeutralMeas = 0;
    TransformerForm hidden(unmeasured);
    EXPECT_FALSE(hidden.NeutralShown());
    hidden.neutral.transformer = true;
    hidden.neutral.primary = "0";
    ASSERT_FALSE(hidden.Apply(unmeasured));
    EXPECT_EQ(unmeasured.NeutralCurrPrimaryRawVal, 10000);
    EXPECT_EQ(unmeasured.NeutralCurrSecondaryRawVal, 10000);
    EXPECT_EQ(unmeasured.NeutralClampCurrRawVal, 1500);
}

using test::ReadAll;

TEST(ChangeCurrentTransformerTest, RewritesTheJobOrLeavesTheFile) {
    test::TempDir dir;
    test::RecordingUserInterface ui;
    const std::string path = dir.File("m.VXM");
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 3);
    ASSERT_TRUE(WriteMeasurementFile(path, data));
    const std::string before = ReadAll(path);

    // Cancel: nothing written.
    std::vector<CMeasurementJob> shown;
    EXPECT_FALSE(ChangeCurrentTransformer(
        path, [&](CMeasurementJob& job) { return shown.push_back(job), false; }, ui));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], data.job);
    EXPECT_EQ(ReadAll(path), before);

    // OK: only the job changed.
    EXPECT_TRUE(ChangeCurrentTransformer(
        path,
        [](CMeasurementJob& job) {
            job.PhCurrTransformer = 1;
            job.PhCurrPrimaryRawVal = 99900000;
            return true;
        },
        ui));
    MeasurementData changed;
    ASSERT_TRUE(ReadMeasurementFile(path, changed));
    CMeasurementJob expected = data.job;
    expected.PhCurrTransformer = 1;
    expected.PhCurrPrimaryRawVal = 99900000;
    EXPECT_EQ(changed.job, expected);
    EXPECT_EQ(changed.intervals.size(), 3u);
    EXPECT_TRUE(ui.messages.empty());

    // A file that is no measurement file: message 374 before any dialog, file untouched.
    dir.Write("notes.VXM", "just text\r\n");
    bool asked = false;
    EXPECT_FALSE(ChangeCurrentTransformer(
        dir.File("notes.VXM"), [&](CMeasurementJob&) { return asked = true; }, ui));
    EXPECT_FALSE(asked);
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{374});
    EXPECT_EQ(ReadAll(dir.File("notes.VXM")), "just text\r\n");
}

}  // namespace
}  // namespace varelo
