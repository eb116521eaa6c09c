#include <gtest/gtest.h>

#include "app/StringTable.h"
#include "measurement/MeasurementJob.h"

namespace varelo {
namespace {

TEST(MeasurementJob, NewJobHasTheDocumentedDefaults) {
    const CMeasurementJob job;
    const std::array<std::string, 6> captions = {
        "Company:", "Department:", "Line:", "Transformer:", "Reference:", "Measurement code:"};
    EXPECT_EQ(job.JobTitle, captions);
    EXPECT_EQ(job.JobText, (std::array<std::string, 6>{}));
    EXPECT_EQ(job.NrIntervalMax, 1008);
    EXPECT_EQ(job.Interval, 600);
    EXPECT_EQ(job.VoltInputRangeCode, 6);
    EXPECT_EQ(job.NomVoltRawVal, 23000);
    EXPECT_EQ(job.PhCurrClampRawVal, 100000);
    EXPECT_EQ(job.PhCurrSecondaryRawVal, 500);
    EXPECT_EQ(job.NeutralCurrSecondaryRawVal, 500);
    EXPECT_FLOAT_EQ(job.VoltUpperThreshShort, 110.0f);
    EXPECT_FLOAT_EQ(job.VoltLowerThreshShort, 90.0f);
    EXPECT_EQ(job.PowMinMaxValInterval, 8);
    EXPECT_EQ(job.THDVoltMaxValInterval, 2);
    EXPECT_EQ(job.MaxClampCurr, 1500);
    EXPECT_TRUE(job.ProgStartMeas.IsZero());
    EXPECT_TRUE(job.MeasStopMeasured.IsZero());
}

TEST(MeasurementJob, CaptionsFollowTheLanguageOfTheStringTable) {
    StringTable module;
    module.Parse("1015\tFirma:\n");
    Strings::Instance().SetModule(module);
    const CMeasurementJob job;
    Strings::Instance().ClearModule();
    EXPECT_EQ(job.JobTitle[0], "Firma:");
    EXPECT_EQ(job.JobTitle[1], "Department:");
}

TEST(MeasurementJob, VoltageRangeTakesThePowerSystemTypeAndTheTransformer) {
    CMeasurementJob job;
    job.VoltInputRangeCode = 7;
    const std::pair<uint32_t, double> byType[] = {{kPowSysWye, 480},
                                                  {kPowSysDelta, 830},
                                                  {kPowSysTwoElementDelta, 830},
                                                  {kPowSysSinglePhase, 480},
                                                  {kPowSysSplitSinglePhase, 480}};
    for (auto [type, range] : byType) {
        job.VoltPowSysType = type;
        EXPECT_EQ(job.VoltageRange(), range) << type;
    }
    job.VoltTransformer = 1;
    job.VoltPrimaryRawVal = 2000000;  // 20 kV : 100 V
    job.VoltSecondaryRawVal = 10000;
    EXPECT_DOUBLE_EQ(job.VoltageRange(), 480 * 200.0);
    job.VoltTransformer = 0;
    EXPECT_EQ(job.VoltageRange(), 480);
}

TEST(MeasurementJob, CurrentRangesGoThroughTheirOwnTransformers) {
    CMeasurementJob job;
    job.PhCurrClampRawVal = 150000;  // 1500 A
    job.PhCurrPrimaryRawVal = 100000;
    job.PhCurrSecondaryRawVal = 500;
    job.NeutralClampCurrRawVal = 1000;  // 10 A
    job.NeutralCurrPrimaryRawVal = 40000;
    job.NeutralCurrSecondaryRawVal = 100;
    EXPECT_DOUBLE_EQ(job.PhaseCurrentRange(), 1500);
    EXPECT_DOUBLE_EQ(job.NeutralCurrentRange(), 10);
    job.PhCurrTransformer = 1;
    EXPECT_DOUBLE_EQ(job.PhaseCurrentRange(), 1500 * 200.0);
    EXPECT_DOUBLE_EQ(job.NeutralCurrentRange(), 10);
    job.NeutralCurrTransformer = 1;
    EXPECT_DOUBLE_EQ(job.NeutralCurrentRange(), 10 * 400.0);
}

TEST(MeasurementJob, TransformerWithoutPositiveSecondaryGivesNoRange) {
    EXPECT_EQ(TransformerRatio(100000, 0), 0);
    EXPECT_EQ(TransformerRatio(100000, -500), 0);
    CMeasurementJob job;
    job.VoltTransformer = 1;
    job.VoltSecondaryRawVal = 0;
    EXPECT_EQ(job.VoltageRange(), 0);
}

}  // namespace
}  // namespace varelo
