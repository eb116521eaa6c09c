#include <gtest/gtest.h>

#include <functional>

#include "app/AppOptions.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/LimitValues.h"
#include "measurement/EventList.h"
#include "measurement/IntervalList.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"
#include "measurement/StatisticList.h"

namespace varelo {
namespace {

// A small measurement whose raw values are the units the tests reason in: 1 V per raw
// voltage unit with U0 = 230, harmonics in % of nominal per raw unit.
struct Measurement {
    CMeasurementJob job;
    CLimitValues limits;
    CRawScaling scaling;
    CIntervalList intervals;
    CStatisticList statistics;
    CEventList events;

    Measurement(uint32_t measFunc = kMeasFuncA, uint32_t powSysType = kPowSysWye) {
        job.MeasFunc = measFunc;
        job.VoltPowSysType = powSysType;
        limits.SetDefaults(50);
        scaling.VoltScale = 1;
        scaling.NomVolt = 230;
        scaling.HarmPercentScale = 1;
        scaling.CurrH1Scale = 1;
    }
    // Intervals of 10 minutes, oldest first; `fill` sets the values of interval i.
    void AddIntervals(int count, const std::function<void(CIntervalRecord&, int)>& fill) {
        for (int i = 0; i < count; ++i) {
            CIntervalRecord r;
            r.DateTime = CTimeStamp(2024, 3, 4, 0, 0, 0);
            r.DateTime.AddSeconds(600LL * (i + 1));
            r.VoltAvgPhaseLxRawVal = {230, 230, 230};
            fill(r, i);
            intervals.Add(r);
        }
    }
    EvaluationInput Input(bool thdDisabled = false, bool flickerDisabled = false) const {
        return {intervals, statistics, events, job, limits, scaling, thdDisabled, flickerDisabled};
    }
};

TEST(EvaluationResult, ObjectsExistForTheirFunctionSystemAndOptions) {
    const struct {
        uint32_t measFunc, powSys;
        bool thdOff, flickerOff;
        int16_t interharmonics, eventReady, eventOpen;
        // voltage, unbalance, harmonics (V and I), THD (V and I), flicker, signalling,
        // frequency, events
        const char* objects;
    } cases[] = {
        {kMeasFuncA, kPowSysWye, false, false, 2, 1, 0, "VUHTFSfE"},
        {kMeasFuncP, kPowSysWye, false, false, 0, 0, 0, "VU-TF-f-"},
        {kMeasFuncA, kPowSysSinglePhase, false, false, 0, 0, 1, "V-HTF-fE"},
        {kMeasFuncA, kPowSysSplitSinglePhase, true, false, 0, 0, 0, "V-H-F-f-"},
        {kMeasFuncP, kPowSysDelta, true, true, 1, 0, 0, "VU---Sf-"},
        {kMeasFuncNotSet, kPowSysWye, false, false, 0, 0, 0, "V-----f-"},
    };
    for (const auto& c : cases) {
        Measurement m(c.measFunc, c.powSys);
        m.job.NrInterHarm = c.interharmonics;
        m.job.EventReady = c.eventReady;
        m.job.EventOpen = c.eventOpen;
        CEvaluationResult r;
        ASSERT_TRUE(r.Evaluate(m.Input(c.thdOff, c.flickerOff), true));
        const bool harmonics = r.VoltageHarmonics() != nullptr;
        const bool thd = r.VoltageThd() != nullptr;
        EXPECT_EQ(harmonics, r.CurrentHarmonics() != nullptr);
        EXPECT_EQ(thd, r.CurrentThd() != nullptr);
        const std::string got{r.VoltageVariation() ? 'V' : '-',
                              r.Unbalance() ? 'U' : '-',
                              harmonics ? 'H' : '-',
                              thd ? 'T' : '-',
                              r.Flicker() ? 'F' : '-',
                              r.Signalling() ? 'S' : '-',
                              r.Frequency() ? 'f' : '-',
                              r.Events() ? 'E' : '-'};
        EXPECT_EQ(got, c.objects) << c.measFunc << "/" << c.powSys;
    }
}

TEST(EvaluationResult, DocumentInputTakesTheOptionSwitches) {
    MeasurementData data;
    data.job.MeasFunc = kMeasFuncP;
    CLimitValues limits;
    AppOptions options;
    options.SetFlickerHidden(true);
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(MakeEvaluationInput(data, limits, options), true));
    EXPECT_EQ(r.Flicker(), nullptr);
    EXPECT_NE(r.VoltageThd(), nullptr);
    options.SetFlickerHidden(false);
    options.SetThdHidden(true);
    ASSERT_TRUE(r.Evaluate(MakeEvaluationInput(data, limits, options), true));
    EXPECT_NE(r.Flicker(), nullptr);
    EXPECT_EQ(r.VoltageThd(), nullptr);
}

TEST(EvaluationResult, SinglePhaseMeasurementEvaluatesOnlyL1) {
    Measurement m(kMeasFuncA, kPowSysSinglePhase);
    m.AddIntervals(3, [](CIntervalRecord& r, int i) {
        r.VoltAvgPhaseLxRawVal = {int16_t(228 + i), 240, 240};
        r.VoltHarmPhaseLxRawVal[1][2] = 500;  // cleared on load anyway; must not count
    });
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(m.Input(), true));
    EXPECT_EQ(r.Presence().Count(), 1);
    EXPECT_EQ(r.VoltageVariation()->Count(0), 3u);
    EXPECT_EQ(r.VoltageVariation()->Count(1), 0u);
    EXPECT_EQ(r.VoltageHarmonics()->Order(3).Count(1), 0u);
    for (const TopFiveEntry& e : r.VoltageVariation()->TopFive(0))
        EXPECT_EQ(e.phase, 0);
    EXPECT_EQ(r.WorstVoltageOrder(1, 95).order, -1);
}

// Twenty intervals; orders 3 and 5 are 100 throughout, order 7 is 100 except 200 in the
// tenth interval, THD is 1 %. At 95 %: orders 3 and 5 give 100 (class 99 of 100); order 7
// has rank trunc(20 x 0.95 + 0.5) = 19 in class 50 (100 / 2): trunc(200 x 51 x 0.01 + 0.5)
// = 102. THD gives 1 x 100 x 0.01 = 1.
Measurement Harmonics() {
    Measurement m;
    m.limits.ClearHarmonics();
    m.AddIntervals(20, [](CIntervalRecord& r, int i) {
        for (int p = 0; p < 3; ++p) {
            r.VoltHarmPhaseLxRawVal[size_t(p)][2] = 100;
            r.VoltHarmPhaseLxRawVal[size_t(p)][4] = 100;
            r.VoltHarmPhaseLxRawVal[size_t(p)][6] = int16_t(i == 9 ? 200 : 100);
            r.VoltTHDAvgCalc[size_t(p)] = 1.0;
        }
    });
    return m;
}

TEST(EvaluationResult, WorstHarmonicOrderAndThd) {
    const struct {
        float h3, h5, h7, thd;
        int order;
    } cases[] = {
        {200, 200, 0, 8, 3},     // equal ratio 0.5 and maximum 100: the lower order
        {200, 100, 0, 8, 5},     // ratio 1 beats 0.5
        {200, 0, 204, 8, 7},     // 102 / 204 = 0.5 ties order 3, maximum 200 beats 100
        {200, 200, 0, 1.5f, 0},  // THD 1 / 1.5 = 0.67 beats 0.5
        {0, 0, 0, 0, -1},        // nothing has a limit
        {0, 0, 0, 8, 0},         // THD alone
    };
    for (const auto& c : cases) {
        Measurement m = Harmonics();
        m.limits.SetHarmonicLimit(3, c.h3);
        m.limits.SetHarmonicLimit(5, c.h5);
        m.limits.SetHarmonicLimit(7, c.h7);
        m.limits.THD = c.thd;
        CEvaluationResult r;
        ASSERT_TRUE(r.Evaluate(m.Input(), true));
        EXPECT_EQ(r.VoltageHarmonics()->Order(7).PercentValue(0, 95), 102);
        EXPECT_EQ(r.WorstVoltageOrder(1, 95).order, c.order)
            << c.h3 << " " << c.h5 << " " << c.h7 << " " << c.thd;
    }
}

TEST(EvaluationResult, BackwardPassPutsTheNewestOfEqualHarmonicsFirst) {
    const Measurement m = Harmonics();
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(m.Input(), true));
    const CTopFive<>& top = r.VoltageHarmonics()->Order(3).TopFive(2);
    ASSERT_EQ(top.size(), 5u);
    EXPECT_EQ(top[0].time, m.intervals.back().DateTime);
    EXPECT_EQ(top[4].time, m.intervals[15].DateTime);
    // Merged over the phases, equal values keep phase order: the newest of L1 first.
    const auto merged = MergedTopFive(r.VoltageHarmonics()->Order(3), r.Presence());
    EXPECT_EQ(merged[0].phase, 0);
    EXPECT_EQ(merged[4].time, m.intervals[15].DateTime);
}

TEST(EvaluationResult, LimitsOnlyRebuildKeepsHarmonicsAndHandsNewLimits) {
    Measurement m = Harmonics();
    m.limits.SetHarmonicLimit(3, 200);
    m.AddIntervals(1, [](CIntervalRecord& r, int) { r.VoltAvgPhaseLxRawVal = {250, 250, 250}; });
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(m.Input(), true));
    const CHarmonicStatistics* harmonics = r.VoltageHarmonics();
    const CRelativeHistogram* thd = r.VoltageThd();
    // 250 V lies within 230 + trunc(10 x 0.01 x 230) = 253.
    EXPECT_DOUBLE_EQ(r.VoltageVariation()->WithinPercent(0, 0), 100);

    m.limits.SetHarmonicLimit(3, 50);
    m.limits.THD = 0.4f;
    m.limits.NplusTol95 = 5;
    ASSERT_TRUE(r.Evaluate(m.Input(), false));
    EXPECT_EQ(r.VoltageHarmonics(), harmonics);
    EXPECT_EQ(r.VoltageThd(), thd);
    EXPECT_EQ(r.VoltageHarmonics()->Order(3).Limit(), 50);
    EXPECT_EQ(r.VoltageThd()->Limit(), 0.4f);
    // 230 + trunc(5 x 0.01 x 230) = 241: the 250 V interval of 21 is outside.
    EXPECT_DOUBLE_EQ(r.VoltageVariation()->WithinPercent(0, 0), 20.0 / 21 * 100);
    EXPECT_EQ(r.VoltageVariation()->Count(0), 21u);
    // Rank trunc(21 x 0.95 + 0.5) = 20 still ends in class 99: order 3 gives 100 / 50 = 2,
    // THD 1 / 0.4 = 2.5 wins.
    EXPECT_EQ(r.WorstVoltageOrder(0, 95).order, 0);
}

TEST(EvaluationResult, InterharmonicLimitsOfUnusedChannelsAndFrequencylessLimitFiles) {
    Measurement m;
    m.job.NrInterHarm = 1;
    m.job.HarmOrder = {350, 0, 0, 0, 0};  // 175 Hz, then unused channels at 0 Hz
    m.limits.Harm.fill(0.3f);             // every bin has a limit
    m.limits.SetInterharmonicLimit(175, 0.4f);
    m.limits.PowSysNomFreq = 0;  // a damaged file: counted as 50 Hz
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(m.Input(), true));
    EXPECT_FLOAT_EQ(float(r.VoltageHarmonics()->Channel(0).Limit()), 0.4f);
    for (int j = 1; j < 5; ++j)
        EXPECT_EQ(r.VoltageHarmonics()->Channel(j).Limit(), 0) << j;
    EXPECT_EQ(r.Signalling()->Frequency(0), 175);
}

TEST(EvaluationResult, BrokenTransformerEntriesGiveNoLimitsInsteadOfDivisions) {
    // Secondaries of 0: the voltage and fundamental current scales are 0.
    Measurement m;
    m.job.VoltTransformer = 1;
    m.job.VoltSecondaryRawVal = 0;
    m.job.PhCurrTransformer = 1;
    m.job.PhCurrSecondaryRawVal = 0;
    m.job.PowSysNomFreq = 0;
    m.scaling.Build(m.job, 102, 2);
    m.limits.CurrHarm.fill(1.0f);
    m.AddIntervals(10, [](CIntervalRecord& r, int) {
        r.VoltHarmPhaseLxRawVal[0][4] = 300;
        r.CurrIh1AvgPhaseLxRawVal[0] = 1000;
        r.CurrHarmPhaseLxRawVal[0][4] = 300;
    });
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(m.Input(), true));
    EXPECT_FALSE(r.VoltageVariation()->HasNominal());
    EXPECT_EQ(r.VoltageVariation()->PercentValue(0, 0, 95), 0);
    EXPECT_EQ(r.VoltageHarmonics()->Order(5).Limit(), 0);
    EXPECT_EQ(r.CurrentHarmonics()->Order(5).Limit(), 0);
    EXPECT_EQ(r.WorstCurrentOrder(0, 95).order, 0);  // only THD is left with a limit
    EXPECT_EQ(r.Frequency()->NominalFrequency(), 50);
}

TEST(EvaluationResult, CurrentHarmonicsWithoutFundamentalCountAsZero) {
    Measurement m;
    m.AddIntervals(4, [](CIntervalRecord& r, int i) {
        r.CurrIh1AvgPhaseLxRawVal[0] = int16_t(i < 2 ? 0 : 500);
        r.CurrHarmPhaseLxRawVal[0][2] = 80;
    });
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(m.Input(), true));
    const CRelativeHistogram& h3 = r.CurrentHarmonics()->Order(3);
    // Two zeros (class 0) and two 80s (class 99): at 50 % the rank 2 ends in class 0.
    EXPECT_EQ(h3.ClassCount(0, 0), 2u);
    EXPECT_EQ(h3.PercentValue(0, 50), 1);  // trunc(80 x 1 x 0.01 + 0.5)
    EXPECT_EQ(h3.TopFive(0).size(), 4u);
    EXPECT_EQ(h3.TopFive(0)[2].value, 0);
}

TEST(EvaluationResult, UnbalanceWithinShareAndAngleCheck) {
    const struct {
        uint32_t powSys;
        int16_t angle3;  // L1-L3 angle of the second interval, 0.0125 degree
        bool plausible, defined;
    } cases[] = {
        {kPowSysWye, 19200, true, true},     // 120 and 240 degrees
        {kPowSysWye, 16000, false, false},   // 200 degrees: outside both windows
        {kPowSysDelta, 16000, false, true},  // between phases: shown without the check
    };
    for (const auto& c : cases) {
        Measurement m(kMeasFuncA, c.powSys);
        // 1.00 %, 1.50 %, 2.50 % (raw 0.01 %); L1-L2 at 120 degrees (9600).
        const int16_t unbalance[] = {100, 150, 250};
        m.AddIntervals(3, [&](CIntervalRecord& r, int i) {
            r.VoltUnbalance = unbalance[i];
            r.UnbalAngleL1L2 = 9600;
            r.UnbalAngleL1L3 = i == 1 ? c.angle3 : 0;
        });
        CEvaluationResult r;
        ASSERT_TRUE(r.Evaluate(m.Input(), true));
        const CUnbalanceStatistics* u = r.Unbalance();
        ASSERT_NE(u, nullptr);
        EXPECT_EQ(u->AnglesPlausible(), c.plausible) << c.powSys;
        EXPECT_EQ(u->IsDefined(), c.defined) << c.powSys;
        // VoltUnbal 2 % = 200 raw: 100 and 150 are within, 2 of 3.
        EXPECT_DOUBLE_EQ(u->WithinPercent(), 2.0 / 3 * 100);
        EXPECT_EQ(u->Maximum(), 250);
        // Rank trunc(3 x 0.95 + 0.5) = 3 ends in class 99: 250 x 100 x 0.01.
        EXPECT_DOUBLE_EQ(u->PercentValue(95), 250);
    }
}

TEST(EvaluationResult, EmptyMeasurement) {
    Measurement m;
    m.job.NrInterHarm = 5;
    m.job.EventReady = 1;
    CEvaluationResult r;
    ASSERT_TRUE(r.Evaluate(m.Input(), true));
    EXPECT_EQ(r.VoltageVariation()->Count(0), 0u);
    EXPECT_FALSE(r.Frequency()->HasValues());
    EXPECT_EQ(r.Flicker()->Count(0), 0u);
    EXPECT_EQ(r.Flicker()->WithinPercent(0), 0);
    EXPECT_EQ(r.Unbalance()->WithinPercent(), 0);
    EXPECT_EQ(r.Events()->Total(kEventOther), 0);
    // Every ratio is 0 and every maximum 0: the lowest order with a limit.
    EXPECT_EQ(r.WorstVoltageOrder(0, 95).order, 2);
    r.Clear();
    EXPECT_EQ(r.VoltageVariation(), nullptr);
}

}  // namespace
}  // namespace varelo
