#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "logger/JobWireFormat.h"

namespace varelo {
namespace {

using Block = std::array<uint8_t, kJobWriteBlockSize>;

std::vector<uint8_t> At(const Block& block, size_t offset, size_t count) {
    return std::vector<uint8_t>(block.begin() + offset, block.begin() + offset + count);
}

std::vector<uint8_t> Chars(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A Delta job of function P with transformers everywhere but in the neutral, and values that
// differ from field to field.
CMeasurementJob DistinctJob() {
    CMeasurementJob job;
    job.JobTitle[0] = "Company:";
    job.JobText[0] =
        "Gr\xC3\xBC\xC3\x9F"
        "e";  // "Grüße"
    job.JobTitle[2] = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    job.JobText[2] = std::string(45, 'x');
    job.JobType = kJobSwitchActivated;
    job.ProgStartMeas = CTimeStamp(2024, 2, 29, 10, 0, 0);
    job.ProgStopMeas = CTimeStamp(1999, 12, 31, 23, 59, 59);
    job.NrMeasSectionsProg = 1;
    job.NrMeasSectionsProgStart[0].weekday = 1;
    job.NrMeasSectionsProgStart[0].hour = 6;
    job.NrMeasSectionsProgEnd[0].weekday = 5;
    job.NrMeasSectionsProgEnd[0].hour = 18;
    job.NrMeasSectionsProgEnd[0].minute = 30;
    job.NrMeasSectionsProgStart[1].weekday = 7;
    job.NrMeasSectionsProgStart[1].hour = 22;
    job.NrMeasSectionsProgStart[1].minute = 15;
    job.NrMeasSectionsProgEnd[1].hour = 23;
    job.NrMeasSectionsProgEnd[1].minute = 45;
    job.Interval = 1800;
    job.IntervalMemModel = 1;
    job.PowSysNomVolt = 120;
    job.PowSysNomFreq = 60;
    job.VoltMinMaxValInterval = 5;
    job.VoltPowSysType = kPowSysDelta;
    job.NomVoltRawVal = 1150000;
    job.VoltInputRangeCode = 6;
    job.VoltTransformer = 1;
    job.MeasFunc = kMeasFuncP;
    job.VoltPrimaryRawVal = 2000000;  // 20 kV : 200 V
    job.VoltSecondaryRawVal = 20000;
    job.NrInterHarm = 2;
    job.HarmFreqSync = {1, 0, 1, 1, 1};
    job.HarmMeasPrinciple = {2, 3, 1, 1, 1};
    job.HarmOrder = {250, 6, 9, 9, 9};
    job.HarmText = {"sync 2.5",
                    "Gr\xC3\xBC\xC3\x9F"
                    "e",
                    "unused", "unused", "unused"};
    job.EventMemModel = 5;
    job.VoltUpperThreshShort = 109.999f;
    job.VoltLowerThreshShort = 85.5f;
    job.ClampId = 7;
    job.CurrPowSys = 1;
    job.PhMaxValInterval = 4;
    job.PhCurrClampRawVal = 100000;  // 1000 A
    job.PhCurrTransformer = 1;
    job.PhCurrPrimaryRawVal = 1000;  // 10 A : 5 A
    job.PhCurrSecondaryRawVal = 500;
    job.NeutralMeas = 2;
    job.NeutralMaxValInterval = 3;
    job.NeutralClampCurrRawVal = 20000;  // 200 A
    job.NeutralCurrTransformer = 0;
    job.NeutralCurrPrimaryRawVal = 77777;
    job.NeutralCurrSecondaryRawVal = 333;
    job.MaxClampCurr = 3000;
    job.InstrHardwNr = 300;
    job.PowMinMaxValInterval = 3;
    job.SpecialTransformerPhase = 1;
    job.PhaseCorrRawVal = -250;
    job.EventHysteresis = 1.25;
    return job;
}

TEST(JobEncode, EveryFieldGoesToItsOffset) {
    const Block block = EncodeJob(DistinctJob(), true);
    struct Field {
        size_t offset;
        std::vector<uint8_t> bytes;
    };
    const std::vector<uint8_t> notMeasured = Chars("3. interharmonic not measured!!!");
    const Field fields[] = {
        {0, Chars("Company:")},
        {8, std::vector<uint8_t>(13, 0)},
        {21, {'G', 'r', 0xFC, 0xDF, 'e', 0}},
        {62, Chars("Department:")},  // the default captions go out too
        {73, std::vector<uint8_t>(10 + 41, 0)},
        {124, Chars("ABCDEFGHIJKLMNOPQRSTU")},  // cut to the field, no terminating zero
        {145, Chars(std::string(41, 'x'))},
        {186, Chars("Transformer:")},
        {372, {1}},
        {373, {24, 2, 29, 10, 0, 0}},
        {379, {99, 12, 31, 23, 59, 59}},
        {385, {1}},
        {386, {1, 6, 0, 5, 18, 30}},
        {392, {7, 22, 15, 0, 23, 45}},
        {398, std::vector<uint8_t>(12, 0)},
        {410, {9, 1, 0x00, 0x78, 60, 5, 1}},
        {417, {0x00, 0x11, 0x8C, 0x30}},
        {421, {9, 0x03}},
        {423, {0x00, 0x1E, 0x84, 0x80, 0x00, 0x00, 0x4E, 0x20}},
        {431, {2}},
        {432, {1, 2, 0x00, 0xFA}},
        {436, Chars("sync 2.5")},
        {444, std::vector<uint8_t>(24, 0)},
        {468, {0, 3, 0x00, 0x06, 'G', 'r', 0xFC, 0xDF, 'e', 0}},
        {504, {0, 0, 0, 0}},
        {508, notMeasured},
        {612, {1, 0x2A, 0xF8, 0x21, 0x66}},
        {617, {7, 1, 0, 4}},
        {621, {0x00, 0x03, 0x0D, 0x40}},  // 2000 A through the current transformer
        {625, {0x00, 0x01, 0x86, 0xA0}},
        {629, {0x21}},
        {630, {0x00, 0x00, 0x03, 0xE8, 0x00, 0x00, 0x01, 0xF4}},
        {638, {2, 3}},
        {640, {0x00, 0x00, 0x4E, 0x20, 0x00, 0x00, 0x4E, 0x20}},
        {648, {0, 0, 0, 0, 100, 0, 0, 0, 100}},
        {657, {0x00, 0x04, 0x93, 0xE0}},
        {661, {0x01, 0x6E, 0x36, 0x00}},  // 400 V x 100 x 1000 A x 2 x 3 = 240000 kVA
        {665, {0x00, 0xB7, 0x1B, 0x00}},  // half of it in a Delta system
        {669, {3, 1, 0xFF, 0x06, 0x00, 0x7D}},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(At(block, f.offset, f.bytes.size()), f.bytes) << "offset " << f.offset;
    }
}

// A change to the distinct job.
#define SET(statements) []([[maybe_unused]] CMeasurementJob& j) { statements; }

TEST(JobEncode, CodedFieldsFollowTheirTables) {
    struct Case {
        const char* name;
        std::function<void(CMeasurementJob&)> set;
        size_t offset;
        std::vector<uint8_t> bytes;
        bool extendedFamily = true;
    };
    const std::vector<uint8_t> noTransformer = {0, 0, 0, 100, 0, 0, 0, 100};
    // clang-format off
    const Case cases[] = {
        {"job type 0", SET(j.JobType = 0), 372, {0}},
        {"job type 2", SET(j.JobType = 2), 372, {2}},
        {"job type 5", SET(j.JobType = 5), 372, {2}},
        {"job type -1", SET(j.JobType = -1), 372, {2}},
        {"interval 120", SET(j.Interval = 120), 410, {5}},
        {"interval 1", SET(j.Interval = 1), 410, {10}},
        {"interval 3", SET(j.Interval = 3), 410, {8}},
        {"interval 3600", SET(j.Interval = 3600), 410, {7}},
        {"interval 5", SET(j.Interval = 5), 410, {0}},
        {"function A", SET(j.MeasFunc = kMeasFuncA), 422, {0x01}},
        {"no voltage transformer", SET(j.VoltTransformer = 0), 423, noTransformer},
        {"no voltage transformer flag", SET(j.VoltTransformer = 0), 422, {0x02}},
        {"Wye line type", SET(j.VoltPowSysType = kPowSysWye), 416, {0}},
        {"2-Element Delta line type", SET(j.VoltPowSysType = kPowSysTwoElementDelta), 416, {1}},
        {"2-Element Delta probes", SET(j.VoltPowSysType = kPowSysTwoElementDelta), 619, {1}},
        {"Wye type bits", SET(j.VoltPowSysType = kPowSysWye), 629, {0x01}},
        {"2-Element Delta type bits", SET(j.VoltPowSysType = kPowSysTwoElementDelta), 629, {0x41}},
        {"Single phase type bits", SET(j.VoltPowSysType = kPowSysSinglePhase), 629, {0x61}},
        {"Split single phase type bits",
         SET(j.VoltPowSysType = kPowSysSplitSinglePhase; j.PhCurrTransformer = 0), 629, {0x80}},
        {"no phase transformer", SET(j.PhCurrTransformer = 0), 630, noTransformer},
        {"neutral transformer", SET(j.NeutralCurrTransformer = 1), 648,
         {1, 0x00, 0x01, 0x2F, 0xD1, 0x00, 0x00, 0x01, 0x4D}},
        {"basic range code 15 A", SET(j.PhCurrClampRawVal = 1500), 617, {8}, false},
        {"basic range code 15.01 A", SET(j.PhCurrClampRawVal = 1501), 617, {9}, false},
        {"basic range code 150 A", SET(j.PhCurrClampRawVal = 15000), 617, {9}, false},
        {"basic range code 150.01 A", SET(j.PhCurrClampRawVal = 15001), 617, {10}, false},
        {"basic hardware number", SET(), 657, {0x00, 0x00, 0x01, 0x2C}, false},
        {"upper threshold 109.999", SET(j.VoltUpperThreshShort = 109.999f), 613, {0x2A, 0xF8}},
        {"upper threshold 110.004", SET(j.VoltUpperThreshShort = 110.004f), 613, {0x2A, 0xF8}},
        {"hysteresis 0.994", SET(j.EventHysteresis = 0.994), 673, {0x00, 0x63}},
        {"phase shift 990", SET(j.PhaseCorrRawVal = 990), 671, {0x03, 0xDE}},
    };
    // clang-format on
    for (const Case& c : cases) {
        CMeasurementJob job = DistinctJob();
        c.set(job);
        const Block block = EncodeJob(job, c.extendedFamily);
        EXPECT_EQ(At(block, c.offset, c.bytes.size()), c.bytes) << c.name;
    }
}

TEST(JobEncode, UnusedInterharmonicEntriesSayTheyAreNotMeasured) {
    for (int count : {0, 2, 5, 7}) {
        CMeasurementJob job = DistinctJob();
        job.NrInterHarm = int16_t(count);
        const Block block = EncodeJob(job, true);
        EXPECT_EQ(block[431], count);
        for (int entry = 1; entry <= 5; ++entry) {
            const size_t offset = 432 + 36 * size_t(entry - 1);
            SCOPED_TRACE(testing::Message() << count << " channels, entry " << entry);
            if (entry <= count) {
                EXPECT_EQ(At(block, offset + 2, 2),
                          (std::vector<uint8_t>{0, uint8_t(job.HarmOrder[size_t(entry - 1)])}));
            } else {
                EXPECT_EQ(At(block, offset, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
                EXPECT_EQ(At(block, offset + 4, 32),
                          Chars(std::to_string(entry) + ". interharmonic not measured!!!"));
            }
        }
    }
}

TEST(JobEncode, DerivedRangeAndPowersUseThePhaseToPhaseRangeOfDeltaSystems) {
    struct Case {
        uint32_t type;
        int16_t rangeCode;
        uint32_t total, individual;  // 0.01 kVA
    };
    // 1000 A sensor, no transformers: St = range x 1000 A x 3 / 1000.
    const Case cases[] = {
        {kPowSysWye, 6, 69000, 23000},
        {kPowSysDelta, 6, 120000, 60000},
        {kPowSysDelta, 1, 36000, 18000},
        {kPowSysTwoElementDelta, 5, 60000, 30000},
        {kPowSysDelta, 7, 249000, 124500},
        {kPowSysSinglePhase, 7, 144000, 48000},
        {kPowSysWye, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CMeasurementJob job;
        job.VoltPowSysType = c.type;
        job.VoltInputRangeCode = c.rangeCode;
        job.PhCurrClampRawVal = 100000;
        const Block block = EncodeJob(job, true);
        const auto u32 = [&](size_t o) {
            return uint32_t(block[o]) << 24 | uint32_t(block[o + 1]) << 16 |
                   uint32_t(block[o + 2]) << 8 | block[o + 3];
        };
        EXPECT_EQ(u32(661), c.total) << c.type << "/" << c.rangeCode;
        EXPECT_EQ(u32(665), c.individual) << c.type << "/" << c.rangeCode;
        EXPECT_EQ(u32(621), 100000u);
    }
}

TEST(JobEncode, BrokenCurrentTransformerGivesZeroInsteadOfInfinity) {
    CMeasurementJob job = DistinctJob();
    job.PhCurrSecondaryRawVal = 0;
    const Block block = EncodeJob(job, true);
    EXPECT_EQ(At(block, 621, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(At(block, 661, 8), std::vector<uint8_t>(8, 0));
}

TEST(JobEncode, HundredthsRoundHalfUpAndStayWithin32Bits) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const std::pair<double, int32_t> cases[] = {
        {109.999, 11000}, {2.5, 250},    {0.994, 99},       {0.996, 100},     {-1.5, -149},
        {1e12, kMax},     {-1e12, kMin}, {std::nan(""), 0}, {INFINITY, kMax}, {-INFINITY, kMin},
    };
    for (auto [value, expected] : cases)
        EXPECT_EQ(WireHundredths(value), expected) << value;
}

TEST(JobEncode, DecodingAnEncodedJobGivesItBack) {
    CMeasurementJob job = DistinctJob();
    job.JobTitle[2] = "ABCDEFGHIJKLMNOPQRSTU";
    job.JobText[2] = std::string(41, 'x');
    job.VoltPowSysType = kPowSysTwoElementDelta;
    job.MeasFunc = kMeasFuncA;
    job.NrInterHarm = 5;
    job.HarmText[4] = std::string(30, 'z');
    job.NeutralCurrTransformer = 1;
    job.VoltUpperThreshShort = 110.5f;
    job.EventMemModel = 1;
    job.InstrHardwNr = 400;
    job.ClampId = 10;
    job.MaxClampCurr = 65535;
    // The Logger's report appended to what it was sent.
    job.IntervalMem = 1;
    job.StatMem = 2;
    job.EventMem = 1;
    job.EventOpen = 3;
    job.MeasStartMeasured = CTimeStamp(2024, 2, 29, 10, 0, 1);
    const Block sent = EncodeJob(job, true);
    std::vector<uint8_t> answer(sent.begin(), sent.end());
    const std::vector<uint8_t> report = {1,  0,  9, 2, 4, 1, 0, 7, 3, 24, 2,
                                         29, 10, 0, 1, 0, 0, 0, 0, 0, 0};
    answer.insert(answer.end(), report.begin(), report.end());

    CMeasurementJob decoded;
    ProtocolDiagnostics diagnostics;
    ASSERT_TRUE(DecodeJob(answer, decoded, true, diagnostics));
    EXPECT_TRUE(diagnostics.texts.empty()) << diagnostics.texts.front();
    EXPECT_TRUE(decoded == job);
    // Spot checks that say which field differs when the whole does not match.
    EXPECT_EQ(decoded.JobTitle, job.JobTitle);
    EXPECT_EQ(decoded.JobText, job.JobText);
    EXPECT_EQ(decoded.HarmText, job.HarmText);
    EXPECT_EQ(decoded.VoltPowSysType, job.VoltPowSysType);
    EXPECT_EQ(decoded.NeutralCurrPrimaryRawVal, job.NeutralCurrPrimaryRawVal);
    EXPECT_EQ(decoded.NrMeasSectionsProgStart, job.NrMeasSectionsProgStart);
}

}  // namespace
}  // namespace varelo
