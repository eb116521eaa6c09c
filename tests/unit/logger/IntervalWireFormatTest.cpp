#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "logger/IntervalWireFormat.h"

namespace varelo {
namespace {

// An interval answer's data bytes put together word by word at the Logger's offsets, with a
// plausible date and mean values so that only the field under test draws a substitution.
struct Block {
    std::vector<uint8_t> bytes;

    explicit Block(size_t size) : bytes(size, 0) {
        const uint8_t date[6] = {24, 2, 29, 13, 40, 0};
        for (size_t i = 0; i < 6; ++i)
            bytes[2 + i] = date[i];
        Word(4, 5000);
    }
    Block& Word(size_t word, int value) {
        bytes.at(2 * word) = uint8_t(uint16_t(value) >> 8);
        bytes.at(2 * word + 1) = uint8_t(value);
        return *this;
    }
    Block& Byte(size_t offset, uint8_t value) {
        bytes.at(offset) = value;
        return *this;
    }
};

using Field = std::function<int(const CIntervalRecord&)>;

struct WordCase {
    const char* what;
    size_t word;
    int sent;
    Field field;
    int expected;
    const char* text;  // the substitution text, or null when the value is taken
};

void ExpectWordCase(const WordCase& c, bool functionA) {
    SCOPED_TRACE(c.what);
    Block block(functionA ? kIntervalADataSize : kIntervalPDataSize);
    block.Word(c.word, c.sent);
    CIntervalRecord record;
    ProtocolDiagnostics d;
    ASSERT_TRUE(functionA ? DecodeIntervalA(block.bytes, record, false, d)
                          : DecodeIntervalP(block.bytes, record, false, 0, d));
    EXPECT_EQ(c.field(record), c.expected);
    if (c.text) {
        EXPECT_EQ(d.substitutionCount, 1);
        ASSERT_EQ(d.texts.size(), 1u);
        EXPECT_EQ(d.texts[0], c.text);
    } else {
        EXPECT_EQ(d.substitutionCount, 0);
        EXPECT_TRUE(d.texts.empty());
    }
}

TEST(IntervalWireFormat, FunctionPWordsAreCheckedAndSubstituted) {
    const WordCase cases[] = {
        {"frequency 0 stays", 4, 0, [](auto& r) { return r.Freq10min; }, 0, nullptr},
        {"frequency 5000 stays", 4, 5000, [](auto& r) { return r.Freq10min; }, 5000, nullptr},
        {"frequency 3999", 4, 3999, [](auto& r) { return r.Freq10min; }, 0,
         "Frequenz10min=3999 is out of range <4000..7000>, substituted with 0"},
        {"frequency 7001", 4, 7001, [](auto& r) { return r.Freq10min; }, 0,
         "Frequenz10min=7001 is out of range <4000..7000>, substituted with 0"},
        {"negative Umax L2", 6, -5, [](auto& r) { return r.VoltMaxPhaseLxRawVal[1]; }, 0,
         "UmaxPhaseLxRohwert[L1]=-5 is out of range <0..32767>, substituted with 0"},
        {"flicker 120 is noise", 14, 120, [](auto& r) { return r.FlickPstPhaseLxRawVal[0]; }, 0,
         nullptr},
        {"flicker 149 stays", 16, 149, [](auto& r) { return r.FlickPstPhaseLxRawVal[2]; }, 149,
         nullptr},
        {"flicker 30000", 15, 30000, [](auto& r) { return r.FlickPstPhaseLxRawVal[1]; }, 29000,
         "FlickerPstPhaseLxRohwert[L1]=30000 is out of range <0..29000>, substituted with 29000"},
        {"angle 28800 stays", 17, 28800, [](auto& r) { return r.UnbalAngleL1L2; }, 28800, nullptr},
        {"angle 28801", 18, 28801, [](auto& r) { return r.UnbalAngleL1L3; }, 11200,
         "UnsymmWinkelL1L3=28801 is out of range <0..28800>, substituted with 11200"},
        {"delta RMS -1", 27, -1, [](auto& r) { return r.VoltUDeltaRmsPhaseLxRawVal[2]; }, 0,
         "UDeltaRmsPhaseLxRaw[L2]=-1 is out of range <0..32767>, substituted with 0"},
        {"neutral Imax negative", 31, -7, [](auto& r) { return r.NeutralCurrMaxRawVal; }, 0,
         "ImaxNeutralRohwert=-7 is out of range <0..32767>, substituted with 0"},
        {"Ih1 N negative", 43, -2, [](auto& r) { return r.NeutralCurrIh1AvgRawVal; }, 0,
         "Ih1meanNeutralRohwert=-2 is out of range <0..32767>, substituted with 0"},
        {"real power unchecked", 49, -1234, [](auto& r) { return r.RealPowMaxPhaseLxRawVal[1]; },
         -1234, nullptr},
        {"|Pmin| total negative", 70, -1, [](auto& r) { return r.RealPowMinAbsTotRawVal; }, 0,
         "PminBetragTotalRohwert=-1 is out of range <0..32767>, substituted with 0"},
        {"reactive min total", 81, -300, [](auto& r) { return r.ReactPowMinTotRawVal; }, -300,
         nullptr},
        {"Qh1 L3", 105, -9, [](auto& r) { return r.ReactPowPh1AvgPhaseLxRawVal[2]; }, -9, nullptr},
        {"half period unsigned", 106, 0xFFFF,
         [](auto& r) { return int(r.VoltHalfpMaxPhaseLxRaw[0]); }, 65535, nullptr},
        {"last word", 123, 40000, [](auto& r) { return int(r.VoltHalfpToCurrMaxPhaseLxRaw[2]); },
         40000, nullptr},
    };
    for (const WordCase& c : cases)
        ExpectWordCase(c, false);
}

TEST(IntervalWireFormat, FunctionAMovesTheWordsAfterEachHarmonicBlock) {
    const WordCase cases[] = {
        {"Uh1 L3 unmoved", 21, 300, [](auto& r) { return r.VoltUh1AvgPhaseLxRawVal[2]; }, 300,
         nullptr},
        {"delta RMS L1", 106, 77, [](auto& r) { return int(r.VoltUDeltaRmsPhaseLxRawVal[0]); }, 77,
         nullptr},
        {"Imax L1", 109, -4, [](auto& r) { return r.CurrMaxPhaseLxRawVal[0]; }, 0,
         "ImaxPhaseLxRohwert[L0]=-4 is out of range <0..32767>, substituted with 0"},
        {"Ih1 N", 124, 555, [](auto& r) { return r.NeutralCurrIh1AvgRawVal; }, 555, nullptr},
        {"Pmax L1", 237, -20, [](auto& r) { return r.RealPowMaxPhaseLxRawVal[0]; }, -20, nullptr},
        {"|Pmax| total", 251, -3, [](auto& r) { return r.RealPowMaxAbsTotRawVal; }, 0,
         "PmaxBetragTotalRohwert=-3 is out of range <0..32767>, substituted with 0"},
        {"last word", 312, 1234, [](auto& r) { return int(r.VoltHalfpToCurrMaxPhaseLxRaw[2]); },
         1234, nullptr},
    };
    for (const WordCase& c : cases)
        ExpectWordCase(c, true);
}

TEST(IntervalWireFormat, MaximumThdDependsOnFundamentalOnlineFlagAndFirmware) {
    struct Case {
        const char* what;
        bool functionA;
        bool online;
        int generation;
        int fundamental;
        int expected;
    } const cases[] = {
        {"P gen 0, fundamental 70", false, false, 0, 70, 900},
        {"P gen 0, fundamental 69", false, false, 0, 69, 0},
        {"P gen 1, fundamental 69", false, false, 1, 69, 0},
        {"P gen 2 ignores the fundamental", false, false, 2, 0, 900},
        {"P gen 2 online", false, true, 2, 500, 0},
        {"A fundamental 69", true, false, 0, 69, 0},
        {"A fundamental 70", true, false, 0, 70, 900},
        {"A online", true, true, 0, 500, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Block block(c.functionA ? kIntervalADataSize : kIntervalPDataSize);
        const size_t vThd = c.functionA ? 103 : 22, iThd = c.functionA ? 233 : 44;
        const size_t iFund = c.functionA ? 121 : 40, nFund = c.functionA ? 124 : 43;
        block.Word(19, c.fundamental).Word(vThd, 900).Word(iFund, c.fundamental);
        block.Word(iThd, 900).Word(nFund, c.fundamental).Word(iThd + 3, 900);
        CIntervalRecord r;
        ProtocolDiagnostics d;
        ASSERT_TRUE(c.functionA ? DecodeIntervalA(block.bytes, r, c.online, d)
                                : DecodeIntervalP(block.bytes, r, c.online, c.generation, d));
        EXPECT_EQ(r.VoltTHDMaxPhaseLxRawVal[0], c.expected);
        EXPECT_EQ(r.VoltTHDMaxPhaseLxRawVal[1], 0);  // its fundamental is 0
        EXPECT_EQ(r.CurrTHDMaxPhaseLxRawVal[0], c.expected);
        EXPECT_EQ(r.NeutralCurrTHDMaxRawVal, c.expected);
    }
}

TEST(IntervalWireFormat, HarmonicLevelCodes) {
    struct Case {
        int rms;
        uint8_t code;
        int level;
        int raw;
    } const cases[] = {
        {1000, 0, 0, 0},        {1000, 100, 500, 67},   {1000, 130, 650, 87},
        {1000, 131, 660, 89},   {1000, 165, 1000, 135}, {1000, 166, 1100, 148},
        {1000, 200, 4500, 608}, {0, 200, 4500, 0},      {32767, 255, 10000, 44309},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "R " << c.rms << " code " << int(c.code));
        EXPECT_EQ(LevelFromCode(c.code), c.level);
        EXPECT_EQ(HarmonicFromLevelCode(c.rms, c.code), c.raw);
    }
}

TEST(IntervalWireFormat, FunctionAHarmonicsComeFromTheirCodeBytes) {
    Block block(kIntervalADataSize);
    const int umean[3] = {1000, 2000, 0}, imean[4] = {1000, 3000, 500, 800};
    for (size_t p = 0; p < 3; ++p)
        block.Word(8 + p, umean[p]).Word(19 + p, 900 + int(p));
    for (size_t k = 0; k < 4; ++k)
        block.Word(113 + k, imean[k]).Word(121 + k, 700 + int(k));
    // Every code byte different, so a byte read from the wrong place shows.
    for (size_t at = 44; at < 206; ++at)
        block.Byte(at, uint8_t(at * 7));
    for (size_t at = 250; at < 466; ++at)
        block.Byte(at, uint8_t(at * 11));
    CIntervalRecord r;
    ProtocolDiagnostics d;
    ASSERT_TRUE(DecodeIntervalA(block.bytes, r, false, d));
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(r.VoltHarmPhaseLxRawVal[size_t(p)][0], 900 + p);
        for (int h = 1; h < 50; ++h)
            EXPECT_EQ(r.VoltHarmPhaseLxRawVal[size_t(p)][size_t(h)],
                      HarmonicFromLevelCode(umean[p], uint8_t((44 + p * 49 + h - 1) * 7)))
                << "phase " << p << " order " << h;
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(r.VoltZHarmPhaseLxRawVal[size_t(p)][size_t(c)],
                      HarmonicFromLevelCode(umean[p], uint8_t((191 + p * 5 + c) * 7)));
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(r.CurrHarmPhaseLxRawVal[size_t(k)][0], 700 + k);
        for (int h = 1; h < 50; ++h)
            EXPECT_EQ(r.CurrHarmPhaseLxRawVal[size_t(k)][size_t(h)],
                      HarmonicFromLevelCode(imean[k], uint8_t((250 + k * 49 + h - 1) * 11)))
                << "conductor " << k << " order " << h;
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(r.CurrZHarmPhaseLxRawVal[size_t(k)][size_t(c)],
                      HarmonicFromLevelCode(imean[k], uint8_t((446 + k * 5 + c) * 11)));
    }
    EXPECT_EQ(r.VoltHarmPhaseLxRawVal[2][5], 0);  // R = 0
    EXPECT_EQ(d.substitutionCount, 0);
}

TEST(IntervalWireFormat, HarmonicAboveTheRawRangeIsSubstituted) {
    Block block(kIntervalADataSize);
    block.Word(8, 32767).Byte(44, 255).Word(116, 32767).Byte(446 + 15 + 2, 255);
    CIntervalRecord r;
    ProtocolDiagnostics d;
    ASSERT_TRUE(DecodeIntervalA(block.bytes, r, false, d));
    EXPECT_EQ(r.VoltHarmPhaseLxRawVal[0][1], 32767);
    EXPECT_EQ(r.CurrZHarmPhaseLxRawVal[3][2], 32767);
    ASSERT_EQ(d.texts.size(), 2u);
    EXPECT_EQ(d.texts[0],
              "UOSPhaseLxRohwert[L0][h1]=44309 is out of range <0..32767>, substituted with 32767");
    EXPECT_EQ(d.texts[1],
              "IzharmPhaseLxRaw[L3][h2]=44309 is out of range <0..32767>, substituted with 32767");
}

TEST(IntervalWireFormat, DateIsDecodedOrSubstitutedUnlessOnline) {
    Block block(kIntervalPDataSize);
    CIntervalRecord r;
    ProtocolDiagnostics d;
    ASSERT_TRUE(DecodeIntervalP(block.bytes, r, false, 0, d));
    EXPECT_EQ(r.DateTime, CTimeStamp(2024, 2, 29, 13, 40, 0, 0));
    block.Byte(2, 99);  // 1999 has no 29 February
    ASSERT_TRUE(DecodeIntervalP(block.bytes, r, false, 0, d));
    EXPECT_EQ(r.DateTime, CTimeStamp(1997, 12, 31, 23, 59, 59, 0));
    ASSERT_EQ(d.texts.size(), 6u);
    EXPECT_EQ(d.substitutionCount, 6);
    EXPECT_EQ(d.texts[0], "Year=99 is out of range, substituted with 97");
    EXPECT_EQ(d.texts[5], "Sec=0 is out of range, substituted with 59");

    r.DateTime = CTimeStamp(2025, 1, 2, 3, 4, 5, 6);
    ASSERT_TRUE(DecodeIntervalP(block.bytes, r, true, 0, d));
    EXPECT_EQ(r.DateTime, CTimeStamp(2025, 1, 2, 3, 4, 5, 6));
    EXPECT_EQ(d.texts.size(), 6u);
}

TEST(IntervalWireFormat, ShortBuffersAreRefusedAndEmptyRecordsRecognised) {
    CIntervalRecord r;
    r.Status = 5;
    ProtocolDiagnostics d;
    std::vector<uint8_t> shortP(kIntervalPDataSize - 1, 0), shortA(kIntervalADataSize - 1, 0);
    EXPECT_FALSE(DecodeIntervalP(shortP, r, false, 0, d));
    EXPECT_FALSE(DecodeIntervalA(shortA, r, false, d));
    EXPECT_EQ(r.Status, 5);
    EXPECT_TRUE(d.texts.empty());

    std::vector<uint8_t> erased(kIntervalPDataSize, 0xFF);
    EXPECT_TRUE(IsEmptyRecord(erased));
    erased[247] = 0xFE;
    EXPECT_FALSE(IsEmptyRecord(erased));
    EXPECT_FALSE(IsEmptyRecord({}));
}

}  // namespace
}  // namespace varelo
