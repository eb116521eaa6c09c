#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppOptions.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"
#include "measurement/QuantityCatalogue.h"

namespace varelo {
namespace {

class QuantityCatalogue : public ::testing::Test {
protected:
    void SetUp() override { AppOptions::Instance().Reset(); }
    void TearDown() override { AppOptions::Instance().Reset(); }

    // Function A, Wye, neutral measured on a Logger with a neutral input.
    static AvailabilityContext Context(uint32_t powSys = kPowSysWye, uint32_t measFunc = kMeasFuncA,
                                       const char* hardware = "402b", bool online = false,
                                       int fileVersion = 102) {
        CMeasurementJob job;
        job.MeasFunc = measFunc;
        job.VoltPowSysType = powSys;
        job.NeutralMeas = 1;
        CLoggerInfo logger;
        logger.HardwType = hardware;
        return AvailabilityContext::Build(job, logger, fileVersion, online, true, true);
    }
};

TEST_F(QuantityCatalogue, TableIsOrderedAndLookupFindsEveryRowOnly) {
    const auto table = QuantityTable();
    ASSERT_EQ(table.size(), 75u);
    EXPECT_TRUE(
        std::is_sorted(table.begin(), table.end(),
                       [](const QuantityRow& a, const QuantityRow& b) { return a.id < b.id; }));
    for (const QuantityRow& row : table) {
        EXPECT_EQ(FindQuantity(row.id), &row);
        EXPECT_NE(row.value, nullptr) << row.id;
        EXPECT_EQ(row.single, row.group == kGroupNone) << row.id;
    }
    for (int id : {0, 3, 98, 101, 113, 120, 171, 305, 1011})
        EXPECT_EQ(FindQuantity(id), nullptr) << id;
    EXPECT_EQ(FindQuantity(72)->nameId, 922);
    EXPECT_EQ(FindQuantity(112)->nameId, 889);
    for (int id : {121, 170, 201, 205, 301, 350, 401, 405})
        EXPECT_TRUE(IsHarmonicQuantity(id) && ValueFunctionOf(id)) << id;
    for (int id : {120, 171, 200, 206, 300, 351, 400, 406})
        EXPECT_FALSE(IsKnownQuantity(id) || ValueFunctionOf(id)) << id;
}

TEST_F(QuantityCatalogue, SinglePhaseOffersNoTotalsNoDeltaRmsAndNoUnbalance) {
    const AvailabilityContext single = Context(kPowSysSinglePhase);
    const AvailabilityContext wye = Context(kPowSysWye);
    for (int id : {1,  63, 64, 65, 69,  70,  71,  75,  76,  77,  81,  82, 83,
                   85, 87, 89, 99, 100, 102, 105, 106, 108, 110, 111, 112}) {
        EXPECT_FALSE(IsAvailable(id, single)) << id;
        EXPECT_TRUE(IsAvailable(id, wye)) << id;
    }
    for (int id : {11, 12, 31, 67, 84, 86, 88, 107})
        EXPECT_TRUE(IsAvailable(id, single)) << id;
}

TEST_F(QuantityCatalogue, HalfPeriodValuesAreNeverOffered) {
    const AvailabilityContext everything = Context();
    for (int id = 90; id <= 94; ++id) {
        EXPECT_FALSE(IsAvailable(id, everything)) << id;
        EXPECT_FALSE(IsAvailableForFunction(id, kMeasFuncA)) << id;
        EXPECT_FALSE(IsAvailableForFunction(id, kMeasFuncP)) << id;
    }
    EXPECT_TRUE(IsAvailable(95, everything));
}

TEST_F(QuantityCatalogue, ContextFollowsJobAndLogger) {
    struct Case {
        uint32_t powSys;
        const char* hardware;
        bool neutral, t40, threePhase, l2, l3;
    };
    const Case cases[] = {
        {kPowSysWye, "402b", true, true, true, true, true},
        {kPowSysWye, "304b", true, false, true, true, true},
        {kPowSysWye, "408b", true, true, true, true, true},
        {kPowSysWye, "401b", false, true, true, true, true},
        {kPowSysWye, "40", false, true, true, true, true},
        {kPowSysDelta, "402b", false, true, true, true, true},
        {kPowSysTwoElementDelta, "402b", false, true, true, true, true},
        {kPowSysSinglePhase, "402b", false, true, false, false, false},
        {kPowSysSplitSinglePhase, "402b", true, true, false, true, false},
    };
    for (const Case& c : cases) {
        const AvailabilityContext ctx = Context(c.powSys, kMeasFuncA, c.hardware);
        EXPECT_EQ(ctx.neutral, c.neutral) << c.powSys << c.hardware;
        EXPECT_EQ(ctx.t40, c.t40) << c.powSys << c.hardware;
        EXPECT_EQ(ctx.threePhase, c.threePhase) << c.powSys << c.hardware;
        EXPECT_EQ(ctx.phases, (std::array<bool, 3>{true, c.l2, c.l3})) << c.powSys;
        EXPECT_EQ(IsAvailable(41, ctx), c.neutral) << c.powSys << c.hardware;
        EXPECT_EQ(IsAvailable(95, ctx), c.t40) << c.powSys << c.hardware;
        EXPECT_EQ(IsAvailable(102, ctx), c.powSys != kPowSysDelta &&
                                             c.powSys != kPowSysTwoElementDelta &&
                                             c.powSys != kPowSysSinglePhase);
    }
    CMeasurementJob job;
    job.NeutralMeas = 0;
    CLoggerInfo logger;
    logger.HardwType = "402b";
    EXPECT_FALSE(AvailabilityContext::Build(job, logger, 102, false, false, false).neutral);
}

TEST_F(QuantityCatalogue, OnlineOptionsAndEvaluationGateTheirQuantities) {
    EXPECT_TRUE(IsAvailable(12, Context()));
    EXPECT_FALSE(IsAvailable(12, Context(kPowSysWye, kMeasFuncA, "402b", true)));
    EXPECT_TRUE(IsAvailable(11, Context(kPowSysWye, kMeasFuncA, "402b", true)));

    AppOptions::Instance().SetFlickerHidden(true);
    EXPECT_FALSE(IsAvailable(17, Context()));
    EXPECT_TRUE(IsAvailable(22, Context()));
    AppOptions::Instance().SetThdHidden(true);
    EXPECT_FALSE(IsAvailable(22, Context()));
    EXPECT_FALSE(IsAvailable(109, Context()));
    AppOptions::Instance().Reset();

    AvailabilityContext ctx = Context();
    ctx.evaluationUnbalance = false;
    EXPECT_FALSE(IsAvailable(1, ctx));
    EXPECT_TRUE(IsAvailable(18, ctx));
    ctx.evaluationPlt = false;
    EXPECT_FALSE(IsAvailable(18, ctx));
    EXPECT_TRUE(IsAvailable(110, ctx));  // computed on load, not by the evaluation
}

TEST_F(QuantityCatalogue, HarmonicsBelongToFunctionA) {
    const AvailabilityContext a = Context();
    const AvailabilityContext p = Context(kPowSysWye, kMeasFuncP);
    for (int id : {121, 170, 301, 350, 401, 405, 201, 205}) {
        EXPECT_TRUE(IsAvailable(id, a)) << id;
        EXPECT_FALSE(IsAvailable(id, p)) << id;
    }
    const AvailabilityContext v100 = Context(kPowSysWye, kMeasFuncA, "402b", false, 100);
    EXPECT_FALSE(IsAvailable(201, v100));
    EXPECT_TRUE(IsAvailable(121, v100));
    // Functions other than A and P offer only the plain voltages and currents.
    const AvailabilityContext other = Context(kPowSysWye, 0);
    EXPECT_TRUE(IsAvailable(11, other));
    EXPECT_FALSE(IsAvailable(2, other));
    EXPECT_FALSE(IsAvailable(305, other));
}

TEST_F(QuantityCatalogue, AvailabilityForAFunctionWithoutDocument) {
    struct Case {
        int id;
        uint32_t measFunc;
        bool available;
    };
    const Case cases[] = {
        {11, 0, true},           {12, 7, true},           {42, 0, true},          {112, 0, true},
        {90, kMeasFuncA, false}, {94, kMeasFuncP, false}, {67, kMeasFuncP, true}, {67, 0, false},
        {95, kMeasFuncA, true},  {305, kMeasFuncA, true}, {1, 7, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAvailableForFunction(c.id, c.measFunc), c.available)
            << c.id << "/" << c.measFunc;
}

}  // namespace
}  // namespace varelo
