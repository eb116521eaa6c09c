#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/AppOptions.h"
#include "measurement/DerivedValues.h"
#include "measurement/IntervalRecord.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"
#include "measurement/RecordColumns.h"

namespace varelo {
namespace {

class MeasurementChannel : public ::testing::Test {
protected:
    void SetUp() override { AppOptions::Instance().Reset(); }
    void TearDown() override { AppOptions::Instance().Reset(); }

    // 400 V between phases and 440 A: 1 raw = 0.02273 V, 0.025 A, 10 W.
    static CMeasurementJob DeltaJob() {
        CMeasurementJob job;
        job.MeasFunc = kMeasFuncA;
        job.VoltPowSysType = kPowSysDelta;
        job.VoltInputRangeCode = 6;
        job.PhCurrClampRawVal = 44000;
        job.NeutralClampCurrRawVal = 44000;
        job.NomVoltRawVal = 40000;
        job.Interval = 600;
        job.PowSysNomFreq = 50;
        job.HarmOrder = {350, 1250, 0, 0, 0};
        return job;
    }
    static CRawScaling ScalingOf(const CMeasurementJob& job) {
        CRawScaling s;
        s.Build(job, 102, 0);
        return s;
    }
    static CMeasurementChannel Channel(int id) {
        CMeasurementChannel c;
        EXPECT_TRUE(c.SetupChannel(id)) << id;
        return c;
    }
};

TEST_F(MeasurementChannel, SetupDerivesPhaseQuantityHarmonicAndKind) {
    using C = CMeasurementChannel;
    struct Case {
        int id;
        int phase, quantity, harmonic;
        C::Kind kind;
    };
    const Case cases[] = {
        {1012, 0, 12, -1, C::kPlain},
        {3305, 2, 305, 5, C::kVoltageHarmonic},
        {1401, 0, 401, 0, C::kVoltageHarmonic},
        {4121, 3, 121, 1, C::kCurrentHarmonic},
        {2205, 1, 205, 4, C::kCurrentHarmonic},
        {4203, 3, 203, 2, C::kCurrentHarmonic},
        {1021, 0, 21, -1, C::kVoltageThd},
        {2022, 1, 22, -1, C::kVoltageThd},
        {1049, 0, 49, -1, C::kCurrentThd},
        {3040, 2, 40, -1, C::kCurrentThd},
        {64, 0, 64, -1, C::kPlain},
        {1109, 0, 109, -1, C::kPlain},
    };
    for (const Case& c : cases) {
        if (c.id >= 1000) {
            EXPECT_EQ(ChannelIdOf(c.phase, c.quantity), c.id);
        }
        CMeasurementChannel ch;
        ASSERT_TRUE(ch.SetupChannel(c.id)) << c.id;
        EXPECT_EQ(ch.ChannelId(), c.id);
        EXPECT_EQ(ch.PhaseIndex(), c.phase) << c.id;
        EXPECT_EQ(ch.QuantityId(), c.quantity) << c.id;
        EXPECT_EQ(ch.HarmonicIndex(), c.harmonic) << c.id;
        EXPECT_EQ(ch.ChannelKind(), c.kind) << c.id;
        EXPECT_TRUE(ch.relative);
        EXPECT_FALSE(ch.watts);
    }
    CMeasurementChannel ch = Channel(1011);
    for (int id : {0, -1011, 1098, 4012, 4305, 5011, 1171, 1351, 1406, 1120})
        EXPECT_FALSE(ch.SetupChannel(id)) << id;
    EXPECT_EQ(ch.ChannelId(), 1011);  // unchanged by a failed setup
    EXPECT_EQ(CMeasurementChannel().ChannelValue(CIntervalRecord(), CRawScaling()), 0);
}

TEST_F(MeasurementChannel, ValuesOfVoltageCurrentAndPowerChannels) {
    const CRawScaling s = ScalingOf(DeltaJob());
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal = {17600, 17600, 8800};
    r.CurrMaxPhaseLxRawVal[2] = 8800;
    r.NeutralCurrAvgRawVal = 400;
    r.RealPowAvgPhaseLxRawVal = {100, 200, 300};
    r.RealPowMaxTotRawVal = 100;
    r.AppPowAvgPhaseLxRawVal = {100, 0, 0};
    r.ReactPowAvgPhaseLxRawVal = {0, 0, 0};
    r.CurrAvgPhaseLxRawVal = {1000, 1000, 1000};
    r.VoltUnbalance = 123;
    r.CurrTHDAvgCalc = {1, 2, 3, 4};
    struct Case {
        int id;
        bool watts;
        double expected;
    };
    const Case cases[] = {
        {1011, false, 400}, {3011, false, 200},  {3032, false, 220}, {41, false, 10},
        {2067, false, 2},   {2067, true, 2000},  {1069, true, 3000}, {69, false, 3},
        {1070, true, 6000}, {1001, false, 1.23}, {1050, false, 4},   {2040, false, 2},
        {1084, false, 1},   {2031, false, 25},
    };
    const QuantitySettings settings;
    for (const Case& c : cases) {
        CMeasurementChannel ch = Channel(c.id);
        ch.watts = c.watts;
        EXPECT_NEAR(ch.ChannelValue(r, s, settings), c.expected, 1e-9) << c.id;
    }
}

// Each plain quantity reads the field its definition names: 880 raw in that field alone is
// 20 V, 22 A, 8800 W per phase or 26400 W as a total.
TEST_F(MeasurementChannel, ScaledQuantitiesReadTheirOwnField) {
    struct Case {
        int channel;
        const char* column;
        double expected;
    };
    const Case cases[] = {
        {2011, "VoltAvgPhaseLxRawVal1", 20},
        {2012, "VoltMaxPhaseLxRawVal1", 20},
        {2013, "VoltMinPhaseLxRawVal1", 20},
        {2090, "VoltHalfpMaxPhaseLxRaw1", 20},
        {2091, "VoltHalfpMinPhaseLxRaw1", 20},
        {2095, "VoltHalfpToCurrMaxPhaseLxRaw1", 20},
        {2102, "VoltUDeltaRmsPhaseLxRawVal1", 20 * 1.732050808},
        {2017, "FlickPstPhaseLxRawVal1", 0.88},
        {1002, "Freq10min", 8.8},
        {2031, "CurrAvgPhaseLxRawVal1", 22},
        {2032, "CurrMaxPhaseLxRawVal1", 22},
        {2033, "CurrPeakPhaseLxRawVal1", 22 * 1.414213},
        {2092, "CurrHalfpMaxPhaseLxRaw1", 22},
        {2093, "CurrHalfpToVoltMaxPhaseLxRaw1", 22},
        {2094, "CurrHalfpToVoltMinPhaseLxRaw1", 22},
        {1041, "NeutralCurrAvgRawVal", 22},
        {1042, "NeutralCurrMaxRawVal", 22},
        {1043, "NeutralCurrPeakRawVal", 22 * 1.414213},
        {2060, "AppPowMaxPhaseLxRawVal1", 8800},
        {2061, "AppPowAvgPhaseLxRawVal1", 8800},
        {2062, "AppPowMinPhaseLxRawVal1", 8800},
        {2066, "RealPowMaxPhaseLxRawVal1", 8800},
        {2067, "RealPowAvgPhaseLxRawVal1", 8800},
        {2068, "RealPowMinPhaseLxRawVal1", 8800},
        {2072, "RealPowMaxAbsPhaseLxRawVal1", 8800},
        {2073, "RealPowAvgAbsPhaseLxRawVal1", 8800},
        {2074, "RealPowMinAbsPhaseLxRawVal1", 8800},
        {2078, "ReactPowMaxPhaseLxRawVal1", 8800},
        {2079, "ReactPowAvgPhaseLxRawVal1", 8800},
        {2080, "ReactPowMinPhaseLxRawVal1", 8800},
        {2096, "DistPowMaxPhaseLxRawVal1", 8800},
        {2097, "DistPowAvgPhaseLxRawVal1", 8800},
        {2103, "RealPowPh1AvgPhaseLxRawVal1", 8800},
        {2104, "ReactPowPh1AvgPhaseLxRawVal1", 8800},
        {1069, "RealPowMaxTotRawVal", 26400},
        {1071, "RealPowMinTotRawVal", 26400},
        {1075, "RealPowMaxAbsTotRawVal", 26400},
        {1076, "RealPowAvgAbsTotRawVal", 26400},
        {1077, "RealPowMinAbsTotRawVal", 26400},
        {1081, "ReactPowMaxTotRawVal", 26400},
        {1083, "ReactPowMinTotRawVal", 26400},
        {1099, "DistPowMaxTotRawVal", 26400},
        {1070, "RealPowAvgPhaseLxRawVal1", 8800},
        {1082, "ReactPowAvgPhaseLxRawVal1", 8800},
        {1100, "DistPowAvgPhaseLxRawVal1", 8800},
        {1105, "RealPowPh1AvgPhaseLxRawVal1", 8800},
        {1106, "ReactPowPh1AvgPhaseLxRawVal1", 8800},
    };
    const CRawScaling s = ScalingOf(DeltaJob());
    const auto columns = IntervalColumns(kMeasFuncA);
    for (const Case& c : cases) {
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const auto& col) {
            return ColumnName(col) == c.column;
        });
        ASSERT_NE(column, columns.end()) << c.column;
        CIntervalRecord r;
        SetColumnValue(r, *column, 880);
        CMeasurementChannel ch = Channel(c.channel);
        ch.watts = true;
        EXPECT_NEAR(ch.ChannelValue(r, s), c.expected, 1e-9) << c.channel << " " << c.column;
    }
}

TEST_F(MeasurementChannel, HarmonicChannelsFollowTheReferenceAndTheRelativeFlag) {
    const CRawScaling s = ScalingOf(DeltaJob());
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[1] = 17600;  // 400 V
    r.SetVoltHarm(1, 1, 20000);
    r.SetVoltHarm(1, 5, 1000);
    r.CurrAvgPhaseLxRawVal[0] = 4000;  // 100 A
    r.SetCurrHarm(0, 1, 4000);         // 73.95 A
    r.SetCurrHarm(0, 7, 400);
    // 1000 raw = 1000 x 400 x k = 16.805 V = 4.2013 % of 400 V, 5 % of the fundamental.
    struct Case {
        int id;
        bool relative;
        int voltageReference, currentReference;
        double expected;
    };
    const Case cases[] = {
        {2305, true, kHarmonicsInNominal, 0, 4.201281777},
        {2305, true, kHarmonicsInFundamental, 0, 5},
        {2305, true, kHarmonicsInRms, 0, 4.201281777},
        {2305, true, kHarmonicsAbsolute, 0, 16.805127110},
        {2305, false, kHarmonicsInFundamental, 0, 4.201281777},
        {1127, true, 0, kHarmonicsInFundamental, 10},
        {1127, true, 0, kHarmonicsInRms, 7.394957983},
        {1127, true, 0, kHarmonicsAbsolute, 7.394957983},
        {1127, false, 0, kHarmonicsInFundamental, 7.394957983},
    };
    for (const Case& c : cases) {
        CMeasurementChannel ch = Channel(c.id);
        ch.relative = c.relative;
        const QuantitySettings settings{c.voltageReference, c.currentReference, 50};
        EXPECT_NEAR(ch.ChannelValue(r, s, settings), c.expected, 1e-8)
            << c.id << "/" << c.relative << "/" << c.voltageReference << c.currentReference;
    }
    // Without explicit settings the application options decide.
    AppOptions::Instance().SetVoltageHarmonicReference(kHarmonicsInFundamental);
    EXPECT_NEAR(Channel(2305).ChannelValue(r, s), 5, 1e-9);
}

TEST_F(MeasurementChannel, ThdChannelsUseTheDerivedValues) {
    const CRawScaling s = ScalingOf(DeltaJob());
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[0] = 17600;
    r.SetVoltHarm(0, 1, 1000);
    r.SetVoltHarm(0, 3, 30);
    r.SetVoltHarm(0, 5, 40);
    r.VoltTHDMaxPhaseLxRawVal[0] = 1311;  // 4.0009 %, below the 5 % of the mean harmonics
    ComputeThdFromHarmonics(r, 50);
    EXPECT_DOUBLE_EQ(Channel(1022).ChannelValue(r, s), 5);
    EXPECT_DOUBLE_EQ(Channel(1021).ChannelValue(r, s), 5);
    r.VoltTHDMaxPhaseLxRawVal[0] = 3277;
    EXPECT_DOUBLE_EQ(Channel(1021).ChannelValue(r, s), 3277 * 100.0 / 32768);
}

TEST_F(MeasurementChannel, EnergyOfTheIntervalOrOfAFixedLength) {
    const CRawScaling s = ScalingOf(DeltaJob());
    CIntervalRecord r;
    r.RealPowAvgPhaseLxRawVal = {100, 100, 100};  // 1000 W each
    CMeasurementChannel energy = Channel(1088);
    EXPECT_NEAR(energy.ChannelValue(r, s), 0.166667, 1e-6);  // kWh
    energy.watts = true;
    EXPECT_NEAR(energy.ChannelValue(r, s), 166.67, 0.005);
    energy.fixedIntervalSeconds = 900;
    EXPECT_DOUBLE_EQ(energy.ChannelValue(r, s), 250);
    CMeasurementChannel total = Channel(89);
    total.watts = true;
    EXPECT_DOUBLE_EQ(total.ChannelValue(r, s), 500);
}

TEST_F(MeasurementChannel, PltComesFromTheProviderTheDocumentSets) {
    const CRawScaling s = ScalingOf(DeltaJob());
    CMeasurementChannel plt = Channel(2018);
    CIntervalRecord r;
    r.Freq10min = 7;
    EXPECT_EQ(plt.ChannelValue(r, s), 0);
    plt.plt = [](const CIntervalRecord& record, int phase) {
        return record.Freq10min * 0.1 + phase;
    };
    EXPECT_DOUBLE_EQ(plt.ChannelValue(r, s), 1.7);
}

TEST_F(MeasurementChannel, NamesWithBothLabelStylesAndEveryLabelSet) {
    CMeasurementJob wye = DeltaJob();
    wye.VoltPowSysType = kPowSysWye;
    const CMeasurementJob delta = DeltaJob();
    struct Case {
        const CMeasurementJob* job;
        int id;
        PhaseLabels labels;
        const char* name;
    };
    const Case cases[] = {
        {&wye, 1012, PhaseLabels::L123, "V max L1"},
        {&wye, 2102, PhaseLabels::L123, "V delta rms L2L3"},
        {&wye, 3067, PhaseLabels::ABC, "Active power average C"},
        {&wye, 1064, PhaseLabels::L123, "S total average"},
        {&wye, 64, PhaseLabels::ABC, "S total average"},
        {&wye, 3305, PhaseLabels::L123, "V h5 L3"},
        {&wye, 4121, PhaseLabels::L123, "I h1 N"},
        {&wye, 1401, PhaseLabels::L123, "V 175.0 Hz L1"},
        {&wye, 2202, PhaseLabels::ABC, "I 625.0 Hz B"},
        {&wye, 1072, PhaseLabels::L123, "|P| max L1"},
        {&delta, 1012, PhaseLabels::ABC, "V max AB"},
        {&delta, 3012, PhaseLabels::L123, "V max L3L1"},
        {&delta, 3031, PhaseLabels::ABC, "I average C"},
        {&delta, 3067, PhaseLabels::ABC, "Active power average CB"},
        {&delta, 2067, PhaseLabels::L123, "Active power average L2"},
        {&delta, 2305, PhaseLabels::ABC, "V h5 BC"},
        {&delta, 1401, PhaseLabels::L123, "V 175.0 Hz L1L2"},
        {&delta, 1121, PhaseLabels::ABC, "I h1 A"},
        {&delta, 2102, PhaseLabels::ABC, "V delta rms BC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Channel(c.id).ChannelName(*c.job, c.labels), c.name) << c.id;
    AppOptions::Instance().SetPhaseLabeling(PhaseLabels::ABC);
    EXPECT_EQ(Channel(1011).ChannelName(wye), "V average A");
}

TEST_F(MeasurementChannel, AvailabilityOfChannelsByPhase) {
    struct Case {
        uint32_t powSys;
        int id;
        bool available;
    };
    const Case cases[] = {
        {kPowSysWye, 1011, true},
        {kPowSysWye, 3011, true},
        {kPowSysWye, 11, false},  // a per-phase quantity needs its phase
        {kPowSysWye, 64, true},
        {kPowSysWye, 1064, true},
        {kPowSysWye, 2064, false},
        {kPowSysWye, 4121, true},
        {kPowSysDelta, 4121, false},  // no neutral
        {kPowSysSinglePhase, 2011, false},
        {kPowSysSplitSinglePhase, 2011, true},
        {kPowSysSplitSinglePhase, 3011, false},
        {kPowSysWye, 1090, false},
    };
    for (const Case& c : cases) {
        CMeasurementJob job = DeltaJob();
        job.VoltPowSysType = c.powSys;
        job.NeutralMeas = 1;
        CLoggerInfo logger;
        logger.HardwType = "402b";
        const AvailabilityContext ctx =
            AvailabilityContext::Build(job, logger, 102, false, true, true);
        EXPECT_EQ(Channel(c.id).IsAvailable(ctx), c.available) << c.powSys << "/" << c.id;
    }
}

// Garbage raw values and broken scalings never give inf or NaN from any channel.
TEST_F(MeasurementChannel, EveryChannelStaysFiniteForExtremeInputs) {
    std::vector<CRawScaling> scalings;
    for (uint32_t powSys : {kPowSysWye, kPowSysDelta, kPowSysSplitSinglePhase}) {
        for (uint32_t measFunc : {kMeasFuncA, kMeasFuncP, 0u}) {
            CMeasurementJob job = DeltaJob();
            job.VoltPowSysType = powSys;
            job.MeasFunc = measFunc;
            CRawScaling s;
            s.Build(job, 102, 2);
            scalings.push_back(s);
            job.VoltInputRangeCode = 0;  // no voltage range
            job.PhCurrTransformer = 1;   // and a current transformer with secondary 0
            job.PhCurrSecondaryRawVal = 0;
            job.NomVoltRawVal = 0;
            s.Build(job, 100, 1);
            scalings.push_back(s);
        }
    }
    std::vector<CIntervalRecord> records(4);
    const auto fill = [](CIntervalRecord& r, int16_t value, int16_t step) {
        for (const RecordColumn& c : IntervalColumns(kMeasFuncA))
            SetColumnValue(r, c, value + step * c.offset);
    };
    fill(records[1], -32768, 0);
    fill(records[2], 32767, 0);
    fill(records[3], 0, 7919);  // mixed signs and sizes
    for (const CRawScaling& s : scalings) {
        for (CIntervalRecord r : records) {
            ComputeThdFromHarmonics(r, 50);
            r.VoltUnbalance = ComputeVoltageUnbalance(r, s);
            r.CurrUnbalance = ComputeCurrentUnbalance(r, s);
            ASSERT_TRUE(std::isfinite(r.CurrUnbalance));
            for (int id = 1; id < 5000; ++id) {
                CMeasurementChannel ch;
                if (!ch.SetupChannel(id)) continue;
                for (int reference = 0; reference <= 4; ++reference) {
                    const QuantitySettings settings{reference, reference, 50};
                    ASSERT_TRUE(std::isfinite(ch.ChannelValue(r, s, settings))) << id;
                }
            }
        }
    }
}

}  // namespace
}  // namespace varelo
