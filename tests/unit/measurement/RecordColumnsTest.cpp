#include <gtest/gtest.h>

#include <set>
#include <string>

#include "measurement/EventRecord.h"
#include "measurement/IntervalRecord.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RecordColumns.h"
#include "measurement/StatisticSegment.h"

namespace varelo {
namespace {

TEST(RecordColumns, RowLengthsOfEveryLayout) {
    // Number, 20 measurement-wide values, 89 (A) or 34 (P) per phase, 220 current harmonics;
    // older A files add 7 + 3 x 8 values, 1.0.0 lacks the 20 current interharmonics and 1.0.1
    // has four more before them.
    EXPECT_EQ(IntervalColumns(kMeasFuncA).size(), 508u);
    EXPECT_EQ(IntervalColumns(kMeasFuncP).size(), 123u);
    EXPECT_EQ(IntervalColumns(kMeasFuncP, 100).size(), 123u);
    EXPECT_EQ(IntervalColumns(kMeasFuncA, 101).size(), 508u + 31 + 4);
    EXPECT_EQ(IntervalColumns(kMeasFuncA, 100).size(), 508u + 31 - 20);
    EXPECT_EQ(StatisticColumns().size(), 346u);
    EXPECT_EQ(EventColumns().size(), 6u);
}

TEST(RecordColumns, TitlesAtKnownPositions) {
    struct Case {
        uint32_t measFunc;
        int version;
        size_t index;
        const char* name;
        ColumnType type;
    };
    const Case cases[] = {
        {kMeasFuncA, 102, 0, "Nr", ColumnType::Number},
        {kMeasFuncA, 102, 1, "Status", ColumnType::Int16},
        {kMeasFuncA, 102, 2, "DateTime", ColumnType::TimeStamp},
        {kMeasFuncA, 102, 6, "NeutralCurrMaxRawVal", ColumnType::Int16},
        {kMeasFuncA, 102, 20, "DistPowMaxTotRawVal", ColumnType::Int16},
        {kMeasFuncA, 102, 21, "VoltMaxPhaseLxRawVal0", ColumnType::Int16},
        {kMeasFuncA, 102, 25, "VoltUDeltaRmsPhaseLxRawVal0", ColumnType::UInt16},
        {kMeasFuncA, 102, 28, "VoltHarmPhaseLxRawVal0_0", ColumnType::Int16},
        {kMeasFuncA, 102, 82, "VoltHarmPhaseLxRawVal0_54", ColumnType::Int16},
        {kMeasFuncA, 102, 83, "CurrMaxPhaseLxRawVal0", ColumnType::Int16},
        {kMeasFuncA, 102, 109, "VoltHalfpToCurrMaxPhaseLxRaw0", ColumnType::UInt16},
        {kMeasFuncA, 102, 110, "VoltMaxPhaseLxRawVal1", ColumnType::Int16},
        {kMeasFuncA, 102, 288, "CurrHarmPhaseLxRawVal0_0", ColumnType::Int16},
        {kMeasFuncA, 102, 487, "CurrHarmPhaseLxRawVal3_49", ColumnType::Int16},
        {kMeasFuncA, 102, 507, "CurrZHarmPhaseLxRawVal3_4", ColumnType::Int16},
        {kMeasFuncP, 102, 28, "CurrMaxPhaseLxRawVal0", ColumnType::Int16},
        {kMeasFuncP, 102, 55, "VoltMaxPhaseLxRawVal1", ColumnType::Int16},
        {kMeasFuncP, 102, 122, "VoltHalfpToCurrMaxPhaseLxRaw2", ColumnType::UInt16},
        {kMeasFuncA, 101, 6, "", ColumnType::Skip},
        {kMeasFuncA, 101, 7, "NeutralCurrMaxRawVal", ColumnType::Int16},
        {kMeasFuncA, 101, 28, "VoltMaxPhaseLxRawVal0", ColumnType::Int16},
        {kMeasFuncA, 101, 33, "VoltTHDMaxPhaseLxRawVal0", ColumnType::Int16},
        {kMeasFuncA, 101, 34, "", ColumnType::Skip},
        {kMeasFuncA, 101, 35, "FlickPstPhaseLxRawVal0", ColumnType::Int16},
        {kMeasFuncA, 101, 518, "CurrHarmPhaseLxRawVal3_49", ColumnType::Int16},
        {kMeasFuncA, 101, 519, "", ColumnType::Skip},
        {kMeasFuncA, 101, 523, "CurrZHarmPhaseLxRawVal0_0", ColumnType::Int16},
        {kMeasFuncA, 100, 518, "CurrHarmPhaseLxRawVal3_49", ColumnType::Int16},
    };
    for (const Case& c : cases) {
        const auto columns = IntervalColumns(c.measFunc, c.version);
        ASSERT_LT(c.index, columns.size());
        EXPECT_EQ(ColumnName(columns[c.index]), c.name) << c.version << ":" << c.index;
        EXPECT_EQ(columns[c.index].type, c.type) << c.version << ":" << c.index;
    }
    const auto stat = StatisticColumns();
    EXPECT_EQ(ColumnName(stat[44]), "Freq10sec41");
    EXPECT_EQ(ColumnName(stat[45]), "NrSignalVoltInterval");
    EXPECT_EQ(ColumnName(stat[46]), "SignalVal0_0_0");
    EXPECT_EQ(ColumnName(stat[345]), "SignalVal2_4_19");
    EXPECT_EQ(ColumnName(EventColumns()[3]), "StartDateTime");
}

// Every field is reached by exactly one column: distinct values written by column read back
// unchanged, and land in the fields their titles name.
TEST(RecordColumns, IntervalColumnsReachDistinctFields) {
    const auto columns = IntervalColumns(kMeasFuncA);
    CIntervalRecord r;
    std::set<uint16_t> offsets;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].type == ColumnType::Int16 || columns[i].type == ColumnType::UInt16) {
            SetColumnValue(r, columns[i], int64_t(i));
            EXPECT_TRUE(offsets.insert(columns[i].offset).second) << ColumnName(columns[i]);
        }
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].type == ColumnType::Int16 || columns[i].type == ColumnType::UInt16) {
            EXPECT_EQ(GetColumnValue(r, columns[i]), int64_t(i)) << ColumnName(columns[i]);
        }
    }
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.NeutralCurrMaxRawVal, 6);
    EXPECT_EQ(r.VoltUDeltaRmsPhaseLxRawVal[0], 25);
    EXPECT_EQ(r.VoltHarmPhaseLxRawVal[0][49], 77);
    EXPECT_EQ(r.VoltZHarmPhaseLxRawVal[0][0], 78);
    EXPECT_EQ(r.VoltMaxPhaseLxRawVal[1], 110);
    EXPECT_EQ(r.CurrHarmPhaseLxRawVal[3][49], 487);
    EXPECT_EQ(r.CurrZHarmPhaseLxRawVal[3][4], 507);
    // Byte count of the raw 16-bit fields: everything but the header, timestamp and derived.
    EXPECT_EQ(offsets.size(), 506u);
}

TEST(RecordColumns, ValuesAreStoredInTheFieldsWidth) {
    const auto columns = IntervalColumns(kMeasFuncP);
    const RecordColumn& halfPeriod = columns[122];  // VoltHalfpToCurrMaxPhaseLxRaw2
    const RecordColumn& status = columns[1];
    CIntervalRecord r;
    SetColumnValue(r, halfPeriod, -25536);
    EXPECT_EQ(r.VoltHalfpToCurrMaxPhaseLxRaw[2], 40000);
    EXPECT_EQ(GetColumnValue(r, halfPeriod), 40000);
    SetColumnValue(r, status, 0x18000);
    EXPECT_EQ(r.Status, int16_t(0x8000));
    EXPECT_EQ(GetColumnValue(r, status), -32768);

    const CTimeStamp t(2024, 5, 3, 10, 0, 0);
    SetColumnTimeStamp(r, columns[2], t);
    EXPECT_EQ(r.DateTime, t);
    EXPECT_EQ(GetColumnTimeStamp(r, columns[2]), t);
    SetColumnValue(r, columns[0], 99);  // the number lives nowhere
    EXPECT_EQ(GetColumnValue(r, columns[0]), 0);
}

TEST(RecordColumns, StatisticAndEventColumnsReachTheirFields) {
    CStatisticSegment s;
    const auto stat = StatisticColumns();
    SetColumnValue(s, stat[44], 4000000000LL);
    SetColumnValue(s, stat[45], 17);
    SetColumnValue(s, stat[46 + 20 * 5 + 20 + 3], 60000);  // phase 1, frequency 1, class 3
    EXPECT_EQ(s.Freq10sec[41], 4000000000u);
    EXPECT_EQ(s.NrSignalVoltInterval, 17u);
    EXPECT_EQ(s.SignalVal[1][1][3], 60000);

    CEventRecord e;
    const auto ev = EventColumns();
    SetColumnValue(e, ev[2], 3);
    SetColumnValue(e, ev[5], -5);
    SetColumnTimeStamp(e, ev[4], CTimeStamp(2024, 1, 2, 3, 4, 5));
    EXPECT_EQ(e.Phase, 3);
    EXPECT_EQ(e.Val, -5);
    EXPECT_EQ(e.EndDateTime, CTimeStamp(2024, 1, 2, 3, 4, 5));
    EXPECT_EQ(e.Kind, kEventOther);
}

}  // namespace
}  // namespace varelo
