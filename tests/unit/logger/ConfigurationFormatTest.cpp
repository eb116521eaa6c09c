#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "app/StringTable.h"
#include "logger/ConfigurationFormat.h"

namespace varelo {
namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, size_t offset, std::string_view text) {
    std::memcpy(b.data() + offset, text.data(), text.size());
}

Bytes HardwareParagraph(std::string_view type, std::string_view codes = "01020304") {
    Bytes b(kHardwareLength, 0);
    Put(b, 0, type);
    Put(b, 30, "SN-123456");
    Put(b, 52, "Basic unit 7");
    Put(b, 72, codes);
    Put(b, 82, "1.10");
    Put(b, 87, "Boot");
    Put(b, 109, "Cal 2001");
    b[129] = 0x0D;
    b[130] = 0x0A;
    return b;
}

Bytes StatusParagraph(std::string_view clock, char operating, char job) {
    Bytes b(kStatusLength, 0);
    Put(b, 0, clock);
    Put(b, 12, "Substation North");
    b[32] = uint8_t(operating);
    b[33] = 'K';
    b[35] = uint8_t(job);
    b[48] = 0x0D;
    b[49] = 0x0A;
    return b;
}

TEST(ConfigurationFormat, HardwareParagraphFieldsAndCodeSubstitutes) {
    CLoggerInfo info;
    ProtocolDiagnostics diag;
    DecodeHardware(HardwareParagraph("408b Logger", "02A1994x"), info, diag);
    EXPECT_EQ(info.HardwType, "408b Logger");
    EXPECT_EQ(info.SerialNr, "SN-123456");
    EXPECT_EQ(info.HardwBasicUnit, "Basic unit 7");
    EXPECT_EQ(info.VersionBoot, "1.10");
    EXPECT_EQ(info.FuncBoot, "Boot");
    EXPECT_EQ(info.Calibration, "Cal 2001");
    EXPECT_EQ(info.HardwSupplyVoltage, 2);
    EXPECT_EQ(info.HardwNomFreq, 1);  // "A1" is no number
    EXPECT_EQ(info.HardwVoltRange, 99);
    EXPECT_EQ(info.HardwCurrRange, 1);  // "4x"
    EXPECT_EQ(diag.substitutionCount, 2);
    EXPECT_EQ(diag.texts[0], Msg(385, {"A1", "1"}));
    EXPECT_EQ(diag.texts[1], Msg(387, {"4x", "1"}));
    EXPECT_EQ(info.HardwareCodeSummary(), "T: 2,  F: 1,  U: 99,  I: 1");
}

TEST(ConfigurationFormat, SupplyCodeAboveTwoIsReplaced) {
    CLoggerInfo info;
    ProtocolDiagnostics diag;
    DecodeHardware(HardwareParagraph("301b", "03000000"), info, diag);
    EXPECT_EQ(info.HardwSupplyVoltage, 1);
    EXPECT_EQ(diag.texts, std::vector<std::string>{Msg(384, {"03", "1"})});
}

Bytes ClampAnswer(uint8_t id, float maximum) {
    Bytes b(kClampLength, 0);
    b[0] = id;
    uint32_t bits = std::bit_cast<uint32_t>(maximum);
    for (int i = 0; i < 4; ++i)
        b[1 + i] = uint8_t(bits >> (8 * i));  // least significant first
    for (int i = 0; i < 6; ++i)
        b[5 + i] = uint8_t(0xA0 + i);
    return b;
}

TEST(ConfigurationFormat, ClampTypesAndTheirMaximumCurrent) {
    struct Case {
        uint8_t id;
        float maximum;
        uint8_t expectedId;
        uint16_t expectedMax;
        int substitutions;
        bool serialRead;
    } cases[] = {
        {0, 999.0f, 0, 1500, 0, false},  // no clamp: nothing else is read
        {2, 1000.0f, 2, 3000, 0, true}, {1, 20.0f, 1, 3000, 0, true},
        {5, 250.7f, 5, 250, 0, true},   {6, 0.0f, 6, 1500, 1, true},  // a zero maximum becomes 1500
        {3, 600.9f, 3, 600, 0, true},   {11, 600.0f, 0, 1500, 1, false},  // unknown type: no clamp
    };
    for (const auto& c : cases) {
        CLoggerInfo info;
        ProtocolDiagnostics diag;
        DecodeClamp(ClampAnswer(c.id, c.maximum), info, diag);
        ApplyClampTypeRule(info);
        EXPECT_EQ(info.ClampId, c.expectedId) << int(c.id);
        EXPECT_EQ(info.MaxClampCurr, c.expectedMax) << int(c.id);
        EXPECT_EQ(diag.substitutionCount, c.substitutions) << int(c.id);
        EXPECT_EQ(info.ClampSerNr[5], c.serialRead ? 0xA5 : 0) << int(c.id);
    }
}

// A clamp answer cut short keeps what it holds and reads nothing beyond it: the serial
// number's missing bytes are zero, not those of an earlier clamp.
TEST(ConfigurationFormat, ShortClampAnswerLeavesTheMissingSerialBytesZero) {
    struct Case {
        size_t length;
        std::array<uint8_t, 6> serial;
    } cases[] = {
        {1, {}},
        {5, {}},
        {8, {0xA0, 0xA1, 0xA2, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Bytes answer = ClampAnswer(3, 600.0f);
        answer.resize(c.length);
        CLoggerInfo info;
        info.ClampSerNr = {9, 9, 9, 9, 9, 9};
        ProtocolDiagnostics diag;
        DecodeClamp(answer, info, diag);
        EXPECT_EQ(info.ClampId, 3) << c.length;
        EXPECT_EQ(info.ClampSerNr, c.serial) << c.length;
    }
}

TEST(ConfigurationFormat, DeviceTypeRowFromTheTypeText) {
    struct Case {
        std::string type;
        std::string typeCode;
        int family;
    } cases[] = {
        {"404b" + std::string(16, ' ') + "2xx", "404b", 400},  // index 20 is '2': 402 on 404
        {"404b" + std::string(16, ' ') + "1xx", "404b", 400},
        {"408b", "408b", 400},
        {"301b", "301b", 300},
        {"999", "", 0},
    };
    for (const auto& c : cases) {
        CLoggerInfo info;
        info.HardwType = c.type;
        const DeviceTypeRow* row = DeviceTypeRowOf(info);
        EXPECT_EQ(row ? std::string(row->typeCode) : "", c.typeCode) << c.type;
        EXPECT_EQ(info.DeviceFamily(), c.family) << c.type;
    }
    CLoggerInfo on404;
    on404.HardwType = "404b" + std::string(16, ' ') + "2";
    EXPECT_EQ(std::string(DeviceTypeRowOf(on404)->shortCode), "402-4");
    EXPECT_EQ(DesignationToTypeCode(DeviceDesignation(on404)), "404b");
    EXPECT_EQ(DesignationToTypeCode("Logger 999"), "");
}

TEST(ConfigurationFormat, SoftwareParagraphGivesFunctionAndGeneration) {
    Bytes b(kSoftwareLength, 0);
    Put(b, 0, "A Power Quality");
    Put(b, 32, "5.01");
    Put(b, 37, "A;CPU");
    Put(b, 59, "5.00");
    Put(b, 64, "P;DSP");
    CLoggerInfo info;
    DecodeSoftware(b, info);
    EXPECT_EQ(info.MeasFunc, "A Power Quality");
    EXPECT_EQ(info.VersionCPU, "5.01");
    EXPECT_EQ(info.MeasurementFunction(), kMeasFuncP);  // the DSP program is not function A
    EXPECT_EQ(info.FirmwareGeneration(), 1);
    info.FuncDSP = "A;DSP";
    EXPECT_EQ(info.MeasurementFunction(), kMeasFuncA);
    info.VersionCPU = " 5.02";
    EXPECT_EQ(info.FirmwareGeneration(), 2);
    info.VersionCPU = "4.99";
    EXPECT_EQ(info.FirmwareGeneration(), 0);
}

TEST(ConfigurationFormat, MaxNumbersWithTheirSumTestSum) {
    Bytes b = {0x0F, 0xC0, 0xFF, 0xFF, 0x00, 0x30, 0};
    b[6] = uint8_t(0x0F + 0xC0 + 0xFF + 0xFF + 0x00 + 0x30);
    MaxNumbers numbers;
    ProtocolDiagnostics diag;
    ASSERT_TRUE(DecodeMaxNumbers(b, numbers, diag));
    EXPECT_EQ(numbers.intervals, 4032);
    EXPECT_EQ(numbers.events, 0);  // -1 is not a maximum
    EXPECT_EQ(numbers.statistics, 48);
    EXPECT_EQ(diag.texts, std::vector<std::string>{Msg(748, {"-1", "0"})});

    b[6] ^= 1;
    EXPECT_FALSE(DecodeMaxNumbers(b, numbers, diag));
    EXPECT_EQ(diag.dataErrorCount, 1);
}

TEST(ConfigurationFormat, StatusLettersFromBothStateBytes) {
    struct Case {
        char operating;
        char job;
        char letter;
        int dataErrors;
    } cases[] = {
        {'A', 'A', 'A', 0}, {'A', 'a', 'S', 0}, {'F', 'f', 'F', 0}, {'V', 'v', 'V', 0},
        {'K', 'k', 'K', 0}, {'X', 'a', 's', 0}, {'X', 'f', 'f', 0}, {'X', 'k', 'k', 0},
        {'X', 'q', 'k', 1}, {'Z', 'A', '?', 1}, {'Z', 'q', '?', 2},
    };
    for (const auto& c : cases) {
        CLoggerInfo info;
        ProtocolDiagnostics diag;
        DecodeStatusHeader(StatusParagraph("260315101112", c.operating, c.job), info, diag);
        EXPECT_EQ(info.OperatingState, c.letter) << c.operating << c.job;
        EXPECT_EQ(diag.dataErrorCount, c.dataErrors) << c.operating << c.job;
    }
    EXPECT_EQ(OperatingStateText('s'), Str(879));
    EXPECT_EQ(OperatingStateText('s'), "Job is active (between segments), old job is available");
    EXPECT_EQ(OperatingStateText('?'), "???");
    EXPECT_EQ(JobClass('s'), 2);
    EXPECT_EQ(JobClass('K'), 0);
}

TEST(ConfigurationFormat, StatusClockAndItsSubstitute) {
    CLoggerInfo info;
    ProtocolDiagnostics diag;
    DecodeStatusHeader(StatusParagraph("810102030405", 'A', 'A'), info, diag);
    EXPECT_EQ(info.InstrTime, CTimeStamp(2081, 1, 2, 3, 4, 5));  // below 82: 20xx
    EXPECT_EQ(info.FirmwDescription, "Substation North");
    DecodeStatusHeader(StatusParagraph("820102030405", 'A', 'A'), info, diag);
    EXPECT_EQ(info.InstrTime, CTimeStamp(1982, 1, 2, 3, 4, 5));
    EXPECT_EQ(diag.substitutionCount, 0);

    DecodeStatusHeader(StatusParagraph("990230101112", 'A', 'A'), info, diag);  // 30 February
    EXPECT_EQ(info.InstrTime, CTimeStamp(1997, 12, 1, 23, 58, 59));
    ASSERT_EQ(diag.substitutionCount, 6);
    EXPECT_EQ(diag.texts[0], Msg(394, {"99", "97"}));
    EXPECT_EQ(diag.texts[2], Msg(396, {"30", "1"}));
    EXPECT_EQ(diag.texts[5], Msg(399, {"12", "59"}));
}

TEST(ConfigurationFormat, StatusCountsOfBothFamilies) {
    Bytes b = StatusParagraph("260315101112", 'A', 'A');
    b[34] = 1;
    b[36] = 0x01;
    b[37] = 0xFF;
    b[38] = 0xFF;
    b[39] = 7;  // not a memory state
    b[40] = 0x00;
    b[41] = 0x2A;
    b[42] = 2;
    b[45] = 0x00;
    b[46] = 0x05;
    b[47] = 4;
    ProtocolDiagnostics diag;
    StatusFields extended = DecodeStatusFields(b, true, true, diag);
    EXPECT_EQ(extended.counts.intervalCount, 0x01FFFF);
    EXPECT_EQ(extended.counts.intervalMemoryState, 1);
    EXPECT_EQ(extended.counts.statisticsMemoryState, 0);
    EXPECT_EQ(extended.counts.statisticCount, 42);
    EXPECT_EQ(extended.counts.eventMemoryState, 2);
    EXPECT_EQ(extended.counts.completeEvents, 5);
    EXPECT_EQ(extended.counts.incompleteEvents, 0);
    EXPECT_EQ(extended.onlineState, 'K');
    EXPECT_EQ(diag.substitutionCount, 1);  // statistics memory state
    EXPECT_EQ(diag.dataErrorCount, 1);     // incomplete events, counted for multi-job Loggers

    ProtocolDiagnostics basicDiag;
    StatusFields basic = DecodeStatusFields(b, false, false, basicDiag);
    EXPECT_EQ(basic.counts.intervalCount, 0);  // -1 from bytes 37-38
    EXPECT_EQ(basicDiag.dataErrorCount, 0);
    EXPECT_EQ(basicDiag.substitutionCount, 2);
    EXPECT_EQ(basicDiag.texts.size(), 3u);  // the incomplete-event text is still produced
}

TEST(ConfigurationFormat, TheLoggersEightBitTextsArriveAsUtf8) {
    // Written into a measurement file unconverted, such bytes would make it invalid UTF-8.
    CLoggerInfo info;
    ProtocolDiagnostics diag;
    Bytes status = StatusParagraph("260315101112", 'A', 'A');
    std::fill(status.begin() + 12, status.begin() + 32, 0);
    Put(status, 12, "K\xFChlhaus \xB5");  // code page 1252: "Kühlhaus µ"
    DecodeStatusHeader(status, info, diag);
    EXPECT_EQ(info.FirmwDescription, "K\xC3\xBChlhaus \xC2\xB5");

    DecodeHardware(HardwareParagraph("408b Logger \xE9t\xE9"), info, diag);
    EXPECT_EQ(info.HardwType, "408b Logger \xC3\xA9t\xC3\xA9");

    Bytes software(kSoftwareLength, 0);
    Put(software, 37, "Fonction \xC0");
    DecodeSoftware(software, info);
    EXPECT_EQ(info.FuncCPU, "Fonction \xC3\x80");
}

}  // namespace
}  // namespace varelo
