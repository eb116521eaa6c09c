#include <gtest/gtest.h>

#include "measurement/IntervalRecord.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RawScaling.h"
#include "measurement/RecordColumns.h"

namespace varelo {
namespace {

CRawScaling Scaling(uint32_t measFunc) {
    CMeasurementJob job;
    job.MeasFunc = measFunc;
    job.VoltInputRangeCode = 6;      // 230 V
    job.PhCurrClampRawVal = 100000;  // 1000 A
    job.NeutralClampCurrRawVal = 20000;
    CRawScaling s;
    s.Build(job, 102, 0);
    return s;
}

TEST(IntervalRecord, NewRecordIsAllZeroAndCopiesAreIndependent) {
    const CIntervalRecord fresh;
    for (const RecordColumn& c : IntervalColumns(kMeasFuncA))
        EXPECT_EQ(GetColumnValue(fresh, c), 0) << ColumnName(c);
    EXPECT_TRUE(fresh.DateTime.IsZero());
    EXPECT_EQ(fresh.VoltUnbalance, 0);
    EXPECT_EQ(fresh.CurrUnbalance, 0);
    EXPECT_EQ(fresh.VoltTHDAvgCalc, (std::array<double, 3>{}));
    EXPECT_EQ(fresh.CurrTHDAvgCalc, (std::array<double, 4>{}));

    CIntervalRecord a;
    a.SetVoltHarm(1, 5, 77);
    CIntervalRecord b = a;
    b.SetVoltHarm(1, 5, 12);
    EXPECT_EQ(a.VoltHarm(1, 5), 77);
    EXPECT_EQ(b.VoltHarm(1, 5), 12);
}

TEST(IntervalRecord, HarmonicAccessorsUseOrdersAndIgnoreIndicesOutside) {
    CIntervalRecord r;
    r.SetVoltHarm(0, 1, 11);
    r.SetVoltHarm(2, 50, 250);
    r.SetVoltInterharm(2, 4, 24);
    r.SetCurrHarm(kNeutral, 50, 350);
    r.SetCurrInterharm(kNeutral, 0, 30);
    EXPECT_EQ(r.VoltHarmPhaseLxRawVal[0][0], 11);
    EXPECT_EQ(r.VoltHarmPhaseLxRawVal[2][49], 250);
    EXPECT_EQ(r.VoltZHarmPhaseLxRawVal[2][4], 24);
    EXPECT_EQ(r.CurrHarmPhaseLxRawVal[3][49], 350);
    EXPECT_EQ(r.CurrZHarmPhaseLxRawVal[3][0], 30);

    const CIntervalRecord before = r;
    r.SetVoltHarm(3, 1, 1);
    r.SetVoltHarm(0, 0, 1);
    r.SetVoltHarm(0, 51, 1);
    r.SetVoltInterharm(0, 5, 1);
    r.SetCurrHarm(4, 1, 1);
    r.SetCurrInterharm(-1, 0, 1);
    for (const RecordColumn& c : IntervalColumns(kMeasFuncA))
        EXPECT_EQ(GetColumnValue(r, c), GetColumnValue(before, c)) << ColumnName(c);
    EXPECT_EQ(r.VoltHarm(0, 0), 0);
    EXPECT_EQ(r.VoltHarm(-1, 1), 0);
    EXPECT_EQ(r.CurrHarm(kNeutral, 51), 0);
    EXPECT_EQ(r.VoltInterharm(3, 0), 0);
    EXPECT_EQ(r.CurrInterharm(kNeutral, 5), 0);
}

TEST(IntervalRecord, FamilyFunctionsScaleRawValues) {
    const CRawScaling s = Scaling(kMeasFuncA);
    CIntervalRecord r;
    r.VoltAvgPhaseLxRawVal[1] = 17600;
    r.VoltUh1AvgPhaseLxRawVal[1] = 23800;
    r.VoltHalfpMaxPhaseLxRaw[2] = 40000;  // unsigned: not a negative voltage
    r.VoltUDeltaRmsPhaseLxRawVal[0] = 1760;
    r.CurrAvgPhaseLxRawVal[0] = 8800;
    r.CurrPeakPhaseLxRawVal[0] = 1760;
    r.NeutralCurrAvgRawVal = 1760;
    r.CurrHalfpToVoltMaxPhaseLxRaw[0] = 50000;
    r.RealPowAvgPhaseLxRawVal[2] = -176;
    r.RealPowMaxTotRawVal = 176;
    r.Freq10min = 5001;
    r.FlickPstPhaseLxRawVal[0] = 1250;

    EXPECT_DOUBLE_EQ(r.Voltage(&CIntervalRecord::VoltAvgPhaseLxRawVal, 1, s), 230);
    EXPECT_DOUBLE_EQ(r.FundamentalVoltage(1, s), 230);
    EXPECT_DOUBLE_EQ(r.HalfPeriodVoltage(&CIntervalRecord::VoltHalfpMaxPhaseLxRaw, 2, s),
                     40000 * 230.0 / 17600);
    EXPECT_DOUBLE_EQ(r.DeltaRmsVoltage(0, s), 23 * 1.732050808);
    EXPECT_DOUBLE_EQ(r.Current(&CIntervalRecord::CurrAvgPhaseLxRawVal, 0, s), 500);
    EXPECT_DOUBLE_EQ(r.PeakCurrent(0, s), 100 * 1.414213);
    EXPECT_DOUBLE_EQ(r.NeutralCurrent(&CIntervalRecord::NeutralCurrAvgRawVal, s), 20);
    EXPECT_DOUBLE_EQ(r.HalfPeriodCurrent(&CIntervalRecord::CurrHalfpToVoltMaxPhaseLxRaw, 0, s),
                     50000 * 1000.0 / 17600);
    // 176 raw of 230 V x 1000 A / 17600 = 2300 W.
    EXPECT_DOUBLE_EQ(r.Power(&CIntervalRecord::RealPowAvgPhaseLxRawVal, 2, s, true), -2300);
    EXPECT_DOUBLE_EQ(r.Power(&CIntervalRecord::RealPowAvgPhaseLxRawVal, 2, s, false), -2.3);
    EXPECT_DOUBLE_EQ(r.PowerTotal(&CIntervalRecord::RealPowMaxTotRawVal, s, true), 6900);
    EXPECT_DOUBLE_EQ(r.PowerTotal(&CIntervalRecord::RealPowMaxTotRawVal, s, false), 6.9);
    EXPECT_DOUBLE_EQ(r.Frequency(s), 50.01);
    EXPECT_DOUBLE_EQ(r.Pst(0, s), 1.25);
    EXPECT_DOUBLE_EQ(CIntervalRecord::UnbalanceAngleDegrees(9600), 120);
    EXPECT_EQ(r.Voltage(&CIntervalRecord::VoltAvgPhaseLxRawVal, 3, s), 0);
    EXPECT_EQ(r.Power(&CIntervalRecord::RealPowAvgPhaseLxRawVal, -1, s, true), 0);
}

TEST(IntervalRecord, MaxThdOfAandPNeverFallsBelowTheThdOfTheMeanHarmonics) {
    CIntervalRecord r;
    r.VoltTHDMaxPhaseLxRawVal[0] = 1638;  // 1638 x 100 / 32768 = 4.9988 %
    r.VoltTHDAvgCalc[0] = 6.5;
    r.CurrTHDMaxPhaseLxRawVal[1] = 3277;  // 10.0006 %
    r.CurrTHDAvgCalc[1] = 4;
    r.NeutralCurrTHDMaxRawVal = 500;
    EXPECT_DOUBLE_EQ(r.MaxVoltageThd(0, Scaling(kMeasFuncA)), 6.5);
    EXPECT_DOUBLE_EQ(r.MaxCurrentThd(1, Scaling(kMeasFuncP)), 3277 * 100.0 / 32768);
    EXPECT_DOUBLE_EQ(r.MaxVoltageThd(0, Scaling(0)), 16.38);
    EXPECT_DOUBLE_EQ(r.MaxCurrentThd(kNeutral, Scaling(0)), 5);
}

TEST(IntervalRecord, StatusLetterCodeShowsElevenConditionsInOrder) {
    struct Case {
        uint16_t status;
        const char* code;
    };
    const Case cases[] = {
        {0x0000, "LG---------"}, {0xFFFF, "M-012YNSUIC"}, {0x8000, "MG---------"},
        {0x4000, "L----------"}, {0x0004, "LG0--------"}, {0x0001, "LG--2------"},
        {0x0008, "LG---Y-----"}, {0x0040, "LG----N----"}, {0x0020, "LG-----S---"},
        {0x0010, "LG------U--"}, {0x0080, "LG-------I-"}, {0x2000, "LG--------C"},
        {0x1F00, "LG---------"},  // bits without a letter
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusLetterCode(c.status), c.code) << std::hex << c.status;
}

}  // namespace
}  // namespace varelo
