#include <gtest/gtest.h>

#include <cmath>

#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"

namespace varelo {
namespace {

constexpr double kK = 4.201281777397992e-05;

CMeasurementJob JobA230V1000A() {
    CMeasurementJob job;
    job.MeasFunc = kMeasFuncA;
    job.VoltPowSysType = kPowSysWye;
    job.VoltInputRangeCode = 6;          // 230 V phase to neutral
    job.PhCurrClampRawVal = 100000;      // 1000 A
    job.NeutralClampCurrRawVal = 20000;  // 200 A
    job.NomVoltRawVal = 23000;
    job.Interval = 600;
    return job;
}

TEST(RawScaling, FunctionAScalesThroughRangesAndTheFundamentalFullScale) {
    CRawScaling s;
    s.Build(JobA230V1000A(), 102, 2);
    EXPECT_DOUBLE_EQ(s.VoltScale, 230.0 / 17600);
    EXPECT_DOUBLE_EQ(s.VoltH1Scale, 230.0 / 23800);
    EXPECT_DOUBLE_EQ(s.CurrScale, 1000.0 / 17600);
    EXPECT_DOUBLE_EQ(s.CurrH1Scale, 1000.0 / 23800);
    EXPECT_DOUBLE_EQ(s.NeutralScale, 200.0 / 17600);
    EXPECT_DOUBLE_EQ(s.NeutralH1Scale, 200.0 / 23800);
    EXPECT_DOUBLE_EQ(s.PowerScale, 230.0 * 1000 / 17600);
    EXPECT_DOUBLE_EQ(s.NomVolt, 230);
    EXPECT_DOUBLE_EQ(s.HarmAbsScale, 230 * kK);
    EXPECT_DOUBLE_EQ(s.HarmPercentScale, kK * 100);
    EXPECT_DOUBLE_EQ(s.HarmRmsScale, 230 * kK * 100);
    EXPECT_TRUE(s.IsAorP && s.IsFunctionA && !s.IsFunctionP);
    EXPECT_FALSE(s.IsPhaseToPhase || s.IsAorPPhaseToPhase || s.IsSplitPhase);
    EXPECT_EQ(s.FileVersion, 102);
    EXPECT_EQ(s.FirmwareGeneration, 2);
    EXPECT_EQ(s.IntervalSeconds, 600);
}

TEST(RawScaling, VoltageRangeFollowsCodeSystemAndTransformer) {
    struct Case {
        uint32_t powSys;
        int16_t code;
        int16_t transformer;
        int32_t primary, secondary;
        double range;
    };
    const Case cases[] = {
        {kPowSysWye, 2, 0, 0, 0, 138.5},
        {kPowSysDelta, 1, 0, 0, 0, 120},
        {kPowSysTwoElementDelta, 5, 0, 0, 0, 200},
        {kPowSysDelta, 6, 0, 0, 0, 400},
        {kPowSysDelta, 7, 0, 0, 0, 830},
        {kPowSysSplitSinglePhase, 6, 0, 0, 0, 230},
        {kPowSysWye, 0, 0, 0, 0, 0},
        {kPowSysWye, 8, 0, 0, 0, 0},
        {kPowSysWye, 6, 1, 2000000, 10000, 230 * 200.0},  // 20 kV / 100 V
        {kPowSysWye, 6, 1, 2000000, 0, 0},                // broken transformer: no inf
    };
    for (const Case& c : cases) {
        CMeasurementJob job = JobA230V1000A();
        job.VoltPowSysType = c.powSys;
        job.VoltInputRangeCode = c.code;
        job.VoltTransformer = c.transformer;
        job.VoltPrimaryRawVal = c.primary;
        job.VoltSecondaryRawVal = c.secondary;
        CRawScaling s;
        s.Build(job, 102, 0);
        EXPECT_DOUBLE_EQ(s.VoltScale, c.range / 17600) << c.powSys << "/" << c.code;
        EXPECT_DOUBLE_EQ(s.PowerScale, c.range * 1000 / 17600) << c.powSys << "/" << c.code;
        EXPECT_TRUE(std::isfinite(s.HarmPercentScale));
    }
}

TEST(RawScaling, CurrentTransformersAndZeroSecondaries) {
    CMeasurementJob job = JobA230V1000A();
    job.PhCurrTransformer = 1;
    job.PhCurrPrimaryRawVal = 40000;  // 400 A / 5 A
    job.PhCurrSecondaryRawVal = 500;
    job.NeutralCurrTransformer = 1;
    job.NeutralCurrPrimaryRawVal = 40000;
    job.NeutralCurrSecondaryRawVal = 0;
    CRawScaling s;
    s.Build(job, 102, 0);
    EXPECT_DOUBLE_EQ(s.CurrScale, 1000.0 * 80 / 17600);
    EXPECT_EQ(s.NeutralScale, 0);
    EXPECT_EQ(s.NeutralH1Scale, 0);
}

TEST(RawScaling, OtherFunctionsUseTheCommonFullScaleAndZeroNominalGivesNoPercentScale) {
    CMeasurementJob job = JobA230V1000A();
    job.MeasFunc = 7;
    job.VoltPowSysType = kPowSysDelta;
    job.NomVoltRawVal = 0;
    CRawScaling s;
    s.Build(job, 100, 1);
    EXPECT_DOUBLE_EQ(s.VoltH1Scale, 400.0 / 17600);
    EXPECT_DOUBLE_EQ(s.CurrH1Scale, s.CurrScale);
    EXPECT_FALSE(s.IsAorP || s.IsAorPPhaseToPhase);
    EXPECT_TRUE(s.IsPhaseToPhase);
    EXPECT_EQ(s.HarmPercentScale, 0);
    EXPECT_EQ(s.PercentLimit(), 139);
    job.MeasFunc = kMeasFuncP;
    s.Build(job, 101, 1);
    EXPECT_TRUE(s.IsFunctionP && s.IsAorPPhaseToPhase);
    EXPECT_EQ(s.PercentLimit(), 1000);
}

}  // namespace
}  // namespace varelo
