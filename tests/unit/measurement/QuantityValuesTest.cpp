#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "measurement/MeasurementJob.h"
#include "measurement/QuantityValues.h"

namespace varelo {
namespace {

// 230 V and 1000 A ranges: 17600 raw = 230 V or 1000 A, 23800 raw of a fundamental likewise.
CRawScaling Scaling(uint32_t measFunc = kMeasFuncA, uint32_t powSys = kPowSysWye,
                    int fileVersion = 102, int generation = 0, int32_t nomVoltRaw = 23000) {
    CMeasurementJob job;
    job.MeasFunc = measFunc;
    job.VoltPowSysType = powSys;
    job.VoltInputRangeCode = 6;
    job.PhCurrClampRawVal = 100000;
    job.NeutralClampCurrRawVal = 100000;
    job.NomVoltRawVal = nomVoltRaw;
    CRawScaling s;
    s.Build(job, fileVersion, generation);
    return s;
}

TEST(QuantityValues, FundamentalRuleU1) {
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[0] = 17000;
    r.VoltUh1AvgPhaseLxRawVal[0] = 23800;  // 230 V, above the RMS value
    r.VoltAvgPhaseLxRawVal[1] = 17600;
    r.VoltUh1AvgPhaseLxRawVal[1] = 2380;  // 23 V
    r.CurrAvgPhaseLxRawVal[2] = 8800;
    r.CurrIh1AvgPhaseLxRawVal[2] = 11900;
    r.NeutralCurrAvgRawVal = 1760;
    r.NeutralCurrIh1AvgRawVal = 1190;
    const CRawScaling a = Scaling(kMeasFuncA);
    const CRawScaling p2 = Scaling(kMeasFuncP, kPowSysWye, 102, 2);
    const CRawScaling p1 = Scaling(kMeasFuncP, kPowSysWye, 102, 1);

    EXPECT_DOUBLE_EQ(FundamentalVoltageU1(r, 0, a), 17000 * 230.0 / 17600);  // the smaller
    EXPECT_DOUBLE_EQ(FundamentalVoltageU1(r, 1, a), 23);
    EXPECT_DOUBLE_EQ(FundamentalVoltageU1(r, 1, p1), 23);
    // Newest P firmware reports the harmonic content: sqrt(230^2 - 23^2).
    EXPECT_NEAR(FundamentalVoltageU1(r, 1, p2), 228.847110, 1e-6);
    EXPECT_EQ(FundamentalVoltageU1(r, 0, p2), 0);  // content above the RMS value
    r.VoltAvgPhaseLxRawVal[2] = -1760;             // broken record: -23 V RMS ...
    r.VoltUh1AvgPhaseLxRawVal[2] = -23800;         // ... and -230 V content
    EXPECT_EQ(FundamentalVoltageU1(r, 2, p2), 0);
    EXPECT_DOUBLE_EQ(FundamentalCurrentU1(r, 2, a), 500);
    EXPECT_DOUBLE_EQ(FundamentalCurrentU1(r, kNeutral, a), 50);
    EXPECT_EQ(FundamentalVoltageU1(r, 3, a), 0);
    EXPECT_EQ(FundamentalCurrentU1(r, 4, a), 0);
}

TEST(QuantityValues, CrestFactorOnRawValues) {
    CIntervalRecord r;
    r.CurrPeakPhaseLxRawVal[0] = 1000;
    r.CurrAvgPhaseLxRawVal[0] = 500;
    r.NeutralCurrPeakRawVal = 300;
    EXPECT_DOUBLE_EQ(CrestFactor(r, 0), 2 * 1.414213);
    EXPECT_EQ(CrestFactor(r, kNeutral), 0);  // no mean current
    EXPECT_EQ(CrestFactor(r, 1), 0);
}

TEST(QuantityValues, VoltageHarmonicsInEachReference) {
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[0] = 16000;  // 209.0909 V
    r.SetVoltHarm(0, 1, 20000);         // 193.26 V
    r.SetVoltHarm(0, 5, 1150);
    struct Case {
        int order, reference;
        double expected;
    };
    const Case cases[] = {
        {5, kHarmonicsInNominal, 4.831474044},
        {5, kHarmonicsUnset, 4.831474044},  // treated as nominal
        {5, kHarmonicsInFundamental, 5.75},
        {5, kHarmonicsInRms, 5.314621448},
        {5, kHarmonicsAbsolute, 11.112390301},
        {1, kHarmonicsInFundamental, 100},
        {1, kHarmonicsAbsolute, 193.258961760},
    };
    const CRawScaling s = Scaling();
    for (const Case& c : cases)
        EXPECT_NEAR(VoltageHarmonic(r, s, 0, c.order, c.reference), c.expected, 1e-8)
            << c.order << "/" << c.reference;
}

TEST(QuantityValues, FundamentalHarmonicIsLoweredToTheRmsValue) {
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[0] = 16000;  // 209.0909 V
    r.SetVoltHarm(0, 1, 30000);         // 289.9 V
    const CRawScaling s = Scaling();
    EXPECT_NEAR(VoltageHarmonic(r, s, 0, 1, kHarmonicsAbsolute), 209.090909091, 1e-8);
    EXPECT_NEAR(VoltageHarmonic(r, s, 0, 1, kHarmonicsInNominal), 90.909090909, 1e-8);
    EXPECT_NEAR(VoltageHarmonic(r, s, 0, 1, kHarmonicsInFundamental), 72.128059741, 1e-8);
}

TEST(QuantityValues, HarmonicsWithoutFundamentalOrMeanVoltage) {
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[0] = 17600;
    r.SetVoltHarm(0, 5, 500);
    r.SetVoltInterharm(0, 0, 500);
    const CRawScaling v102 = Scaling(kMeasFuncA, kPowSysWye, 102);
    const CRawScaling v100 = Scaling(kMeasFuncA, kPowSysWye, 100);
    EXPECT_EQ(VoltageHarmonic(r, v102, 0, 5, kHarmonicsInFundamental), 1000);
    EXPECT_EQ(VoltageHarmonic(r, v100, 0, 5, kHarmonicsInFundamental), 139);
    EXPECT_EQ(VoltageHarmonic(r, v102, 0, 1, kHarmonicsInFundamental), 0);
    EXPECT_EQ(VoltageInterharmonic(r, v102, 0, 0, kHarmonicsInFundamental), 0);

    r.SetVoltHarm(0, 1, 100);  // order 5 is 500 % of it; order 5 x 6 exceeds every limit
    r.SetVoltHarm(0, 5, 3000);
    EXPECT_EQ(VoltageHarmonic(r, v102, 0, 5, kHarmonicsInFundamental), 1000);
    EXPECT_EQ(VoltageHarmonic(r, v100, 0, 5, kHarmonicsInFundamental), 139);

    r.VoltAvgPhaseLxRawVal[0] = 0;
    EXPECT_EQ(VoltageHarmonic(r, v102, 0, 5, kHarmonicsAbsolute), 0);
    EXPECT_EQ(VoltageInterharmonic(r, v102, 0, 0, kHarmonicsAbsolute), 0);
}

TEST(QuantityValues, InterharmonicsAreLimitedInTheNominalReferenceToo) {
    // A nominal voltage of 1 V makes raw 2000 1932.6 % of nominal.
    const CRawScaling s = Scaling(kMeasFuncA, kPowSysWye, 102, 0, 100);
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[2] = 17600;
    r.SetVoltHarm(2, 1, 20000);
    r.SetVoltHarm(2, 7, 2000);
    r.SetVoltInterharm(2, 4, 2000);
    EXPECT_NEAR(VoltageHarmonic(r, s, 2, 7, kHarmonicsInNominal), 1932.589618, 1e-6);
    EXPECT_EQ(VoltageInterharmonic(r, s, 2, 4, kHarmonicsInNominal), 1000);
    EXPECT_DOUBLE_EQ(VoltageInterharmonic(r, s, 2, 4, kHarmonicsInFundamental), 10);
}

TEST(QuantityValues, CurrentHarmonicsInEachReference) {
    CIntervalRecord r;
    r.CurrAvgPhaseLxRawVal[1] = 17600;  // 1000 A
    r.SetCurrHarm(1, 1, 30000);         // 1260.5 A, lowered to the mean current
    r.SetCurrHarm(1, 5, 2380);          // 100 A
    r.SetCurrInterharm(1, 2, 1190);     // 50 A
    r.NeutralCurrAvgRawVal = 1760;      // 100 A
    r.SetCurrHarm(kNeutral, 3, 1190);   // 50 A, no fundamental
    struct Case {
        int conductor, order;
        bool relative;
        int reference;
        double expected;
    };
    const Case cases[] = {
        {1, 1, false, kHarmonicsInFundamental, 1000},
        {1, 5, false, kHarmonicsInFundamental, 100},
        {1, 5, true, kHarmonicsInFundamental, 2380 * 100.0 / 30000},
        {1, 5, true, kHarmonicsInRms, 10},
        {1, 5, true, kHarmonicsAbsolute, 100},
        {1, 5, true, kHarmonicsInNominal, 100},  // no nominal current: amperes
        {kNeutral, 3, false, kHarmonicsAbsolute, 50},
        {kNeutral, 3, true, kHarmonicsInRms, 50},
        {kNeutral, 3, true, kHarmonicsInFundamental, 1000},
        {kNeutral, 7, true, kHarmonicsInFundamental, 0},  // no harmonic at all
        {0, 5, false, kHarmonicsAbsolute, 0},             // no mean current
    };
    const CRawScaling s = Scaling();
    for (const Case& c : cases)
        EXPECT_NEAR(CurrentHarmonic(r, s, c.conductor, c.order, c.relative, c.reference),
                    c.expected, 1e-9)
            << c.conductor << "/" << c.order << "/" << c.relative << "/" << c.reference;
    EXPECT_DOUBLE_EQ(CurrentInterharmonic(r, s, 1, 2, false, kHarmonicsInRms), 50);
    EXPECT_DOUBLE_EQ(CurrentInterharmonic(r, s, 1, 2, true, kHarmonicsInRms), 5);
    EXPECT_DOUBLE_EQ(CurrentInterharmonic(r, s, 1, 2, true, kHarmonicsInFundamental),
                     1190 * 100.0 / 30000);
}

TEST(QuantityValues, HarmonicCurrentByFunctionAndFirmware) {
    CIntervalRecord r;
    r.SetCurrHarm(0, 3, 2380);  // 100 A
    r.SetCurrHarm(0, 5, 1785);  // 75 A
    r.CurrAvgPhaseLxRawVal[0] = 17600;
    r.CurrIh1AvgPhaseLxRawVal[0] = 11900;  // 500 A
    r.CurrTHDAvgCalc[0] = 20;
    EXPECT_DOUBLE_EQ(HarmonicCurrent(r, Scaling(), 0, 50), 125);
    EXPECT_DOUBLE_EQ(HarmonicCurrent(r, Scaling(), 0, 4), 100);
    EXPECT_DOUBLE_EQ(HarmonicCurrent(r, Scaling(kMeasFuncP, kPowSysWye, 102, 1), 0, 50), 100);
    EXPECT_DOUBLE_EQ(HarmonicCurrent(r, Scaling(kMeasFuncP, kPowSysWye, 102, 2), 0, 50), 500);
    EXPECT_EQ(HarmonicCurrent(r, Scaling(0), 0, 50), 0);
}

TEST(QuantityValues, PowerFactorTanAndCosPhiPerPhase) {
    const CRawScaling s = Scaling();
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {17600, 17600, 175};
    r.CurrAvgPhaseLxRawVal = {1760, 0, 1760};
    r.AppPowAvgPhaseLxRawVal = {200, 200, 200};
    r.RealPowAvgPhaseLxRawVal = {-150, 150, 150};
    r.ReactPowAvgPhaseLxRawVal = {-100, 100, 100};
    r.RealPowPh1AvgPhaseLxRawVal = {300, 300, 300};
    r.ReactPowPh1AvgPhaseLxRawVal = {-400, 400, 400};
    EXPECT_DOUBLE_EQ(PowerFactor(r, s, 0), -0.75);
    EXPECT_EQ(PowerFactor(r, s, 1), 1);  // no current
    EXPECT_EQ(PowerFactor(r, s, 2), 1);  // no voltage
    EXPECT_DOUBLE_EQ(Tan(r, s, 0), -100.0 / 150);
    EXPECT_EQ(Tan(r, s, 2), 0);
    EXPECT_DOUBLE_EQ(CosPhi(r, s, 0), -0.6);
    EXPECT_EQ(CosPhi(r, s, 2), 1);

    r.RealPowAvgPhaseLxRawVal[0] = 250;  // more active than apparent power
    EXPECT_EQ(PowerFactor(r, s, 0), -1);
    r.AppPowAvgPhaseLxRawVal[0] = 0;
    r.RealPowAvgPhaseLxRawVal[0] = 0;
    r.RealPowPh1AvgPhaseLxRawVal[0] = 0;
    r.ReactPowPh1AvgPhaseLxRawVal[0] = 0;
    EXPECT_EQ(PowerFactor(r, s, 0), 1);
    EXPECT_EQ(Tan(r, s, 0), 0);
    EXPECT_EQ(CosPhi(r, s, 0), 1);
}

TEST(QuantityValues, TotalsWithoutVoltageAreNeutral) {
    const CRawScaling s = Scaling();
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {175, 175, 175};
    r.CurrAvgPhaseLxRawVal = {1760, 1760, 1760};
    r.AppPowAvgPhaseLxRawVal = {200, 200, 200};
    r.RealPowAvgPhaseLxRawVal = {150, 150, 150};
    r.ReactPowAvgPhaseLxRawVal = {100, 100, 100};
    r.RealPowPh1AvgPhaseLxRawVal = {150, 150, 150};
    r.ReactPowPh1AvgPhaseLxRawVal = {-100, 100, 100};
    EXPECT_EQ(TotalPowerFactor(r, s), 1);
    EXPECT_EQ(TotalCosPhi(r, s), 1);
    EXPECT_EQ(TotalTan(r, s), 0);
    EXPECT_EQ(MaxDeviationUnbalance(r, s, true), 0);

    r.VoltAvgPhaseLxRawVal = {17600, 176, 0};
    EXPECT_DOUBLE_EQ(TotalPowerFactor(r, s), 450.0 / 600);
    EXPECT_DOUBLE_EQ(TotalTan(r, s), 300.0 / 450);
    // Pt = 450, Qt = 100, length = 3 x 180.28 raw.
    EXPECT_NEAR(TotalCosPhi(r, s), 450 / (3 * 180.277563773), 1e-9);
}

TEST(QuantityValues, TwoElementSystemsTotalFromTheOuterPhases) {
    CMeasurementJob job;
    job.MeasFunc = kMeasFuncA;
    job.VoltPowSysType = kPowSysTwoElementDelta;
    job.VoltInputRangeCode = 6;     // 400 V between phases
    job.PhCurrClampRawVal = 44000;  // 440 A: 10 W per raw unit
    CRawScaling s;
    s.Build(job, 102, 0);
    CIntervalRecord r;
    r.CurrAvgPhaseLxRawVal = {100, 100, 100};
    r.AppPowMaxPhaseLxRawVal = {400, 0, 400};
    r.RealPowMaxTotRawVal = 100;  // 3000 W
    // (4000 + 4000) x 300 / 200 / sqrt(3) against 3000 W.
    EXPECT_NEAR(TotalApparentPower(r, s, PowerAggregate::Max, true), 6928.203230, 1e-6);
    EXPECT_NEAR(TotalApparentPower(r, s, PowerAggregate::Max, false), 6.928203230, 1e-9);
    r.ReactPowMaxTotRawVal = 400;  // hypot(3000, 12000) = 12369.3 W is larger
    EXPECT_NEAR(TotalApparentPower(r, s, PowerAggregate::Max, true), 12369.316876, 1e-6);
    EXPECT_EQ(TwoElementTotal(CIntervalRecord(), 1000, 5), 0);  // no outer currents

    s.IsAorPPhaseToPhase = false;
    r.AppPowMaxTotRawVal = 100;
    EXPECT_DOUBLE_EQ(TotalApparentPower(r, s, PowerAggregate::Max, true), 3000);
    r.AppPowAvgPhaseLxRawVal = {10, 20, 30};
    EXPECT_DOUBLE_EQ(TotalApparentPower(r, s, PowerAggregate::Avg, true), 600);
}

TEST(QuantityValues, MaximumDeviationUnbalance) {
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {17600, 17600, 16720};
    r.CurrAvgPhaseLxRawVal = {100, -100, 0};
    const CRawScaling wye = Scaling();
    EXPECT_NEAR(MaxDeviationUnbalance(r, wye, true), 3.389830508, 1e-9);
    EXPECT_EQ(MaxDeviationUnbalance(r, wye, false), 0);  // the means sum to 0

    const CRawScaling split = Scaling(kMeasFuncA, kPowSysSplitSinglePhase);
    r.VoltAvgPhaseLxRawVal = {16000, 17600, 0};
    r.CurrAvgPhaseLxRawVal = {300, 100, 0};
    EXPECT_NEAR(MaxDeviationUnbalance(r, split, true), 9.523809524, 1e-9);
    EXPECT_DOUBLE_EQ(MaxDeviationUnbalance(r, split, false), 100);
    r.VoltAvgPhaseLxRawVal = {175, 170, 0};
    EXPECT_EQ(MaxDeviationUnbalance(r, split, true), 0);
}

}  // namespace
}  // namespace varelo
