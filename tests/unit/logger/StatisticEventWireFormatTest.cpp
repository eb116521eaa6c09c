#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/StringTable.h"
#include "logger/StatisticEventWireFormat.h"

namespace varelo {
namespace {

void Put(std::vector<uint8_t>& bytes, size_t offset, std::vector<uint8_t> values) {
    for (size_t i = 0; i < values.size(); ++i)
        bytes.at(offset + i) = values[i];
}

TEST(StatisticWireFormat, FieldsComeFromTheirOffsets) {
    std::vector<uint8_t> b(kStatisticDataSize, 0);
    Put(b, 0, {0xFF, 81, 12, 31, 23, 59, 59, 99});
    Put(b, 8, {0x01, 0x02, 0x03, 0x04});    // class 0
    Put(b, 172, {0xFF, 0xFF, 0xFF, 0xFE});  // class 41
    Put(b, 176, {0x00, 0x01, 0x00, 0x00});  // signalling intervals
    Put(b, 180, {0x80, 0x01});              // L1, frequency 0, class 0
    Put(b, 380 + 40 + 2, {0x12, 0x34});     // L2, frequency 1, class 1
    Put(b, 778, {0xFF, 0xFF});              // L3, frequency 4, class 19
    CStatisticSegment s;
    ProtocolDiagnostics d;
    ASSERT_TRUE(DecodeStatisticSegment(b, s, d));
    EXPECT_EQ(s.Status, 0x70);
    EXPECT_EQ(s.DateTime, CTimeStamp(2081, 12, 31, 23, 59, 59, 990));
    EXPECT_EQ(s.Freq10sec[0], 0x01020304u);
    EXPECT_EQ(s.Freq10sec[41], 0xFFFFFFFEu);
    EXPECT_EQ(s.NrSignalVoltInterval, 65536u);
    EXPECT_EQ(s.SignalVal[0][0][0], 0x8001);
    EXPECT_EQ(s.SignalVal[1][1][1], 0x1234);
    EXPECT_EQ(s.SignalVal[2][4][19], 0xFFFF);
    EXPECT_TRUE(d.texts.empty());
}

TEST(StatisticWireFormat, InvalidDateIsSubstitutedWithSevenTexts) {
    struct Case {
        const char* what;
        std::vector<uint8_t> date;
    } const cases[] = {
        {"year 100", {100, 1, 1, 0, 0, 0, 0}},    {"month 13", {24, 13, 1, 0, 0, 0, 0}},
        {"30 February", {24, 2, 30, 0, 0, 0, 0}}, {"hour 24", {24, 1, 1, 24, 0, 0, 0}},
        {"second 60", {24, 1, 1, 0, 0, 60, 0}},   {"hundredths 100", {24, 1, 1, 0, 0, 0, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> b(kStatisticDataSize, 0);
        Put(b, 1, c.date);
        CStatisticSegment s;
        ProtocolDiagnostics d;
        ASSERT_TRUE(DecodeStatisticSegment(b, s, d));
        EXPECT_EQ(s.DateTime, CTimeStamp(1997, 12, 31, 23, 58, 58, 58));
        EXPECT_EQ(d.substitutionCount, 7);
        ASSERT_EQ(d.texts.size(), 7u);
        EXPECT_EQ(d.texts[0], Msg(556, {std::to_string(c.date[0]), "97"}));
        EXPECT_EQ(d.texts[6], Msg(562, {std::to_string(c.date[6]), "58"}));
    }
}

struct EventBytes {
    std::vector<uint8_t> b = std::vector<uint8_t>(kEventDataSize, 0);
    EventBytes(uint8_t phase, std::vector<uint8_t> start, std::vector<uint8_t> end, int val) {
        b[0] = 0x40;
        b[1] = phase;
        Put(b, 2, start);
        Put(b, 9, end);
        Put(b, 16, {uint8_t(uint16_t(val) >> 8), uint8_t(val)});
    }
};

TEST(EventWireFormat, FieldsChecksAndSubstitutes) {
    const std::vector<uint8_t> start{24, 3, 1, 12, 0, 1, 50}, later{24, 3, 1, 12, 0, 2, 5};
    const CTimeStamp startTime(2024, 3, 1, 12, 0, 1, 500);
    struct Case {
        const char* what;
        EventBytes bytes;
        int phase;
        CTimeStamp start, end;
        int val;
        std::vector<std::string> texts;
    } const cases[] = {
        {"plain",
         {2, start, later, 1500},
         2,
         startTime,
         CTimeStamp(2024, 3, 1, 12, 0, 2, 50),
         1500,
         {}},
        {"phase 0",
         {0, start, later, 1},
         3,
         startTime,
         CTimeStamp(2024, 3, 1, 12, 0, 2, 50),
         1,
         {Msg(566, {"0", "3"})}},
        {"phase 4",
         {4, start, later, 1},
         3,
         startTime,
         CTimeStamp(2024, 3, 1, 12, 0, 2, 50),
         1,
         {Msg(566, {"4", "3"})}},
        {"negative value",
         {1, start, later, -2},
         1,
         startTime,
         CTimeStamp(2024, 3, 1, 12, 0, 2, 50),
         32767,
         {Msg(584, {"-2", "32767"})}},
        {"end equals start",
         {1, start, start, 7},
         1,
         startTime,
         CTimeStamp(2024, 3, 1, 12, 0, 1, 501),
         7,
         {Str(581), Msg(582, {"2024-03-01 12:00:01.500"}), Msg(583, {"2024-03-01 12:00:01.500"})}},
        {"end before start",
         {1, later, start, 7},
         1,
         CTimeStamp(2024, 3, 1, 12, 0, 2, 50),
         CTimeStamp(2024, 3, 1, 12, 0, 2, 51),
         7,
         {Str(581), Msg(582, {"2024-03-01 12:00:02.050"}), Msg(583, {"2024-03-01 12:00:01.500"})}},
        {"ends at 999 ms",
         {1, {24, 12, 31, 23, 59, 59, 99}, {24, 12, 31, 23, 59, 59, 99}, 7},
         1,
         CTimeStamp(2024, 12, 31, 23, 59, 59, 990),
         CTimeStamp(2024, 12, 31, 23, 59, 59, 991),
         7,
         {Str(581), Msg(582, {"2024-12-31 23:59:59.990"}), Msg(583, {"2024-12-31 23:59:59.990"})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEventRecord e;
        ProtocolDiagnostics d;
        ASSERT_TRUE(DecodeEvent(c.bytes.b, e, d));
        EXPECT_EQ(e.Status, 0x40);
        EXPECT_EQ(e.Phase, c.phase);
        EXPECT_EQ(e.StartDateTime, c.start);
        EXPECT_EQ(e.EndDateTime, c.end);
        EXPECT_EQ(e.Val, c.val);
        EXPECT_EQ(d.texts, c.texts);
        EXPECT_EQ(d.substitutionCount, int(c.texts.size()));
    }
}

TEST(EventWireFormat, OneInvalidTimeReplacesBoth) {
    EventBytes bytes(1, {24, 3, 1, 12, 0, 1, 50}, {24, 2, 30, 0, 0, 0, 0}, 5);
    CEventRecord e;
    ProtocolDiagnostics d;
    ASSERT_TRUE(DecodeEvent(bytes.b, e, d));
    EXPECT_EQ(e.StartDateTime, CTimeStamp(1997, 12, 31, 23, 58, 59, 123));
    EXPECT_EQ(e.EndDateTime, CTimeStamp(1997, 12, 31, 23, 59, 59, 124));
    ASSERT_EQ(d.texts.size(), 14u);
    EXPECT_EQ(d.texts[0], Msg(567, {"24", "97"}));
    EXPECT_EQ(d.texts[6], Msg(573, {"50", "123"}));
    EXPECT_EQ(d.texts[9], Msg(576, {"30", "31"}));
    EXPECT_EQ(d.texts[13], Msg(580, {"0", "124"}));
}

TEST(StatisticEventWireFormat, ShortBuffersAreRefused) {
    std::vector<uint8_t> shortStat(kStatisticDataSize - 1, 0), shortEvent(kEventDataSize - 1, 0);
    CStatisticSegment s;
    CEventRecord e;
    ProtocolDiagnostics d;
    EXPECT_FALSE(DecodeStatisticSegment(shortStat, s, d));
    EXPECT_FALSE(DecodeEvent(shortEvent, e, d));
    EXPECT_TRUE(d.texts.empty());
}

}  // namespace
}  // namespace varelo
