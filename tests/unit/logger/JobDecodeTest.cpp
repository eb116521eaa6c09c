#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "logger/JobWireFormat.h"
#include "logger/TestSum.h"

namespace varelo {
namespace {

// A "Read Measurement Job Data" answer put together byte by byte at the Logger's offsets.
class ReadBlock {
  public:
    ReadBlock() : bytes_(697, 0) {}

    ReadBlock& Set(size_t offset, std::vector<uint8_t> values) {
        for (size_t i = 0; i < values.size(); ++i)
            bytes_.at(offset + i) = values[i];
        return *this;
    }
    ReadBlock& U16(size_t offset, uint16_t v) { return Set(offset, {uint8_t(v >> 8), uint8_t(v)}); }
    ReadBlock& U32(size_t offset, uint32_t v) {
        return Set(offset, {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
    }
    ReadBlock& Text(size_t offset, const std::string& text) {
        return Set(offset, std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::vector<uint8_t> Bytes() {
        bytes_[696] = XorTestSum(std::span(bytes_).first(696));
        return bytes_;
    }

  private:
    std::vector<uint8_t> bytes_;
};

// A plausible block in which every field has a value of its own, so a field read from the
// wrong place shows.
ReadBlock PlausibleBlock(bool extendedFamily) {
    ReadBlock b;
    b.Text(0, "Company:").Text(21, "Orbant Test");
    b.Text(5 * 62, "ABCDEFGHIJKLMNOPQRSTU").Text(5 * 62 + 21, std::string(41, 'x'));
    b.Set(372, {1});
    b.Set(373, {24, 2, 29, 10, 0, 0}).Set(379, {24, 3, 7, 10, 0, 0});
    b.Set(385, {2}).Set(386, {1, 6, 0, 5, 18, 30}).Set(392, {0, 22, 15, 0, 23, 45});
    b.Set(410, {9}).Set(411, {1}).U16(412, 120).Set(414, {60}).Set(415, {5}).Set(416, {0});
    b.U32(417, 12000).Set(421, {8}).Set(422, {0x03}).U32(423, 2000000).U32(427, 10000);
    b.Set(431, {2});
    b.Set(432, {1, 2}).U16(434, 250).Text(436, "sync 2.5");
    b.Set(468, {0, 0}).U16(470, 6).Text(472, "absolute");
    for (int entry = 3; entry <= 5; ++entry) {
        b.Text(432 + 36 * (entry - 1) + 4,
               std::to_string(entry) + ". interharmonic not measured!!!");
    }
    b.Set(612, {1}).U16(613, 10500).U16(615, 8500);
    b.Set(617, {9}).Set(618, {1}).Set(619, {0}).Set(620, {7});
    b.U32(621, 50000000).U32(625, 250000).Set(629, {0x61}).U32(630, 200000).U32(634, 1000);
    b.Set(638, {2}).Set(639, {6}).U32(640, 150000).U32(644, 50000).Set(648, {1});
    b.U32(649, 30000).U32(653, 100);
    b.U32(657, extendedFamily ? 300000 : 30000);
    b.U32(661, 123456).U32(665, 123456).Set(669, {3}).Set(670, {1});
    b.U16(671, uint16_t(-500)).U16(673, 150);
    b.Set(675, {1, 0x01, 0x02, 2, 9, 2, 0, 3, 3});
    b.Set(684, {24, 2, 29, 10, 0, 5}).Set(690, {24, 3, 7, 9, 59, 59});
    return b;
}

struct Decoded {
    CMeasurementJob job;
    ProtocolDiagnostics diagnostics;
};

Decoded Decode(ReadBlock block, bool extendedFamily = true, CMeasurementJob job = {}) {
    Decoded d{std::move(job), {}};
    const std::vector<uint8_t> bytes = block.Bytes();
    EXPECT_TRUE(DecodeJob(bytes, d.job, extendedFamily, d.diagnostics));
    return d;
}

TEST(JobDecode, PlausibleBlockLandsInEveryFieldWithoutATextAndKeepsTheStatusCounts) {
    CMeasurementJob before;
    before.NrInterval = 77;
    before.EventReady = 5;
    before.NrStat = 3;
    before.NrIntervalMax = 4000;
    before.THDVoltMaxValInterval = 7;
    const Decoded d = Decode(PlausibleBlock(true), true, before);
    const CMeasurementJob& j = d.job;
    EXPECT_TRUE(d.diagnostics.texts.empty()) << d.diagnostics.texts.front();
    EXPECT_EQ(d.diagnostics.substitutionCount + d.diagnostics.dataErrorCount, 0);

    EXPECT_EQ(j.JobTitle[0], "Company:");
    EXPECT_EQ(j.JobText[0], "Orbant Test");
    EXPECT_EQ(j.JobTitle[1], "");
    EXPECT_EQ(j.JobTitle[5], "ABCDEFGHIJKLMNOPQRSTU");  // full field, no terminating zero
    EXPECT_EQ(j.JobText[5], std::string(41, 'x'));
    EXPECT_EQ(j.JobType, kJobSwitchActivated);
    EXPECT_EQ(j.ProgStartMeas.FileText(), "2024-2-29 10:0:0.0");
    EXPECT_EQ(j.ProgStopMeas.FileText(), "2024-3-7 10:0:0.0");
    EXPECT_EQ(j.NrMeasSectionsProg, 2);
    const auto section = [](const CTimeStamp& t) {
        return std::vector<int>{t.weekday, t.hour, t.minute, t.year, t.month, t.day};
    };
    EXPECT_EQ(section(j.NrMeasSectionsProgStart[0]), (std::vector<int>{1, 6, 0, 0, 0, 0}));
    EXPECT_EQ(section(j.NrMeasSectionsProgEnd[0]), (std::vector<int>{5, 18, 30, 0, 0, 0}));
    EXPECT_EQ(section(j.NrMeasSectionsProgStart[1]), (std::vector<int>{0, 22, 15, 0, 0, 0}));
    EXPECT_EQ(section(j.NrMeasSectionsProgEnd[1]), (std::vector<int>{0, 23, 45, 0, 0, 0}));
    EXPECT_EQ(j.Interval, 1800);
    EXPECT_EQ(j.IntervalMemModel, 1u);
    EXPECT_EQ(j.PowSysNomVolt, 120);
    EXPECT_EQ(j.PowSysNomFreq, 60);
    EXPECT_EQ(j.VoltMinMaxValInterval, 5);
    EXPECT_EQ(j.NomVoltRawVal, 12000);
    EXPECT_EQ(j.VoltInputRangeCode, 5);
    EXPECT_EQ(j.VoltTransformer, 1);
    EXPECT_EQ(j.MeasFunc, kMeasFuncP);
    EXPECT_EQ(j.VoltPrimaryRawVal, 2000000);
    EXPECT_EQ(j.VoltSecondaryRawVal, 10000);
    EXPECT_EQ(j.NrInterHarm, 2);
    EXPECT_EQ(j.HarmFreqSync, (std::array<int16_t, 5>{1, 0, 0, 0, 0}));
    EXPECT_EQ(j.HarmMeasPrinciple, (std::array<int16_t, 5>{2, 0, 0, 0, 0}));
    EXPECT_EQ(j.HarmOrder, (std::array<int16_t, 5>{250, 6, 0, 0, 0}));
    EXPECT_EQ(j.HarmText[0], "sync 2.5");
    EXPECT_EQ(j.HarmText[1], "absolute");
    EXPECT_EQ(j.HarmText[4], "5. interharmonic not measured!");  // 30 of the 32 bytes
    EXPECT_EQ(j.EventMemModel, 1);
    EXPECT_FLOAT_EQ(j.VoltUpperThreshShort, 105.0f);
    EXPECT_FLOAT_EQ(j.VoltLowerThreshShort, 85.0f);
    EXPECT_EQ(j.ClampId, 9);
    EXPECT_EQ(j.CurrPowSys, 1);
    EXPECT_EQ(j.PhMaxValInterval, 7);
    EXPECT_EQ(j.PhCurrClampRawVal, 250000);
    EXPECT_EQ(j.PhCurrTransformer, 1);
    EXPECT_EQ(j.VoltPowSysType, kPowSysSinglePhase);
    EXPECT_EQ(j.PhCurrPrimaryRawVal, 200000);
    EXPECT_EQ(j.PhCurrSecondaryRawVal, 1000);
    EXPECT_EQ(j.NeutralMeas, 2);
    EXPECT_EQ(j.NeutralMaxValInterval, 6);
    EXPECT_EQ(j.NeutralClampCurrRawVal, 50000);
    EXPECT_EQ(j.NeutralCurrTransformer, 1);
    EXPECT_EQ(j.NeutralCurrPrimaryRawVal, 30000);
    EXPECT_EQ(j.NeutralCurrSecondaryRawVal, 100);
    EXPECT_EQ(j.MaxClampCurr, 3000);
    EXPECT_EQ(j.InstrHardwNr, 400);
    EXPECT_EQ(j.PowMinMaxValInterval, 3);
    EXPECT_EQ(j.SpecialTransformerPhase, 1);
    EXPECT_EQ(j.PhaseCorrRawVal, -500);
    EXPECT_DOUBLE_EQ(j.EventHysteresis, 1.5);
    EXPECT_EQ(j.IntervalMem, 1);
    EXPECT_EQ(j.StatMem, 2);
    EXPECT_EQ(j.EventMem, 2);
    EXPECT_EQ(j.EventOpen, 3);
    EXPECT_EQ(j.MeasStartMeasured.FileText(), "2024-2-29 10:0:5.0");
    EXPECT_EQ(j.MeasStopMeasured.FileText(), "2024-3-7 9:59:59.0");
    EXPECT_EQ(j.THDVoltMaxValInterval, 2);
    EXPECT_EQ(j.NrInterval, 77u);
    EXPECT_EQ(j.EventReady, 5);
    EXPECT_EQ(j.NrStat, 3);
    EXPECT_EQ(j.NrIntervalMax, 4000);
}

TEST(JobDecode, BasicFamilyReadsTheHardwareNumberAndLeavesTheClampAlone) {
    CMeasurementJob before;
    before.ClampId = 4;
    before.MaxClampCurr = 1234;
    const Decoded d = Decode(PlausibleBlock(false), false, before);
    EXPECT_TRUE(d.diagnostics.texts.empty());
    EXPECT_EQ(d.job.InstrHardwNr, 300);
    EXPECT_EQ(d.job.ClampId, 4);
    EXPECT_EQ(d.job.MaxClampCurr, 1234);
}

// One implausible field: its substitute (no field for values the job does not keep), and
// exactly one text with the received value and the substitute, counted as a substitution
// unless it is a data error.
struct SubstitutionCase {
    const char* name;
    size_t offset;
    std::vector<uint8_t> bytes;
    std::function<double(const CMeasurementJob&)> field;
    double expected;
    int textId;
    std::vector<std::string> values;
    bool dataError = false;
    bool extendedFamily = true;
};

// The decoded field a case looks at.
#define F(member) [](const CMeasurementJob& j) -> double { return j.member; }

TEST(JobDecode, ImplausibleValuesAreSubstitutedAndReported) {
    const std::vector<uint8_t> zero = {0, 0, 0, 0};
    const std::vector<uint8_t> big = {0x05, 0xF4, 0x5A, 0x61};  // 99900001
    // clang-format off
    const SubstitutionCase cases[] = {
        {"job type 7", 372, {7}, F(JobType), 2, 430, {"7", "2"}, true},
        {"segment count", 385, {3}, F(NrMeasSectionsProg), 0, 451, {"3", "0"}},
        {"seg 1 start day", 386, {8}, F(NrMeasSectionsProgStart[0].weekday), 0, 445, {"8", "0"}},
        {"seg 1 start hour", 387, {24}, F(NrMeasSectionsProgStart[0].hour), 0, 446, {"24", "0"}},
        {"seg 2 end minute", 397, {60}, F(NrMeasSectionsProgEnd[1].minute), 0, 450, {"60", "0"}},
        {"interval code 11", 410, {11}, F(Interval), 600, 452, {"11", "600"}},
        {"interval memory", 411, {2}, F(IntervalMemModel), 0, 453, {"2", "0"}},
        {"nominal voltage", 412, {0x01, 0x90}, F(PowSysNomVolt), 230, 454, {"400", "230"}},
        {"nominal frequency", 414, {55}, F(PowSysNomFreq), 50, 455, {"55", "50"}},
        {"voltage averaging", 415, {6}, F(VoltMinMaxValInterval), 0, 456, {"6", "0"}},
        {"line type", 416, {2}, F(VoltPowSysType), kPowSysSinglePhase, 457, {"2", "0"}},
        {"nominal raw 0", 417, zero, F(NomVoltRawVal), 23000, 458, {"0", "23000"}},
        {"nominal raw big", 417, big, F(NomVoltRawVal), 23000, 458, {"99900001", "23000"}},
        {"range code byte 5", 421, {5}, F(VoltInputRangeCode), 6, 459, {"5", "9"}},
        {"input flags", 422, {0x05}, F(VoltTransformer), 0, 460, {"5", "0"}},
        {"voltage primary", 423, zero, F(VoltPrimaryRawVal), 23000, 461, {"0", "23000"}},
        {"voltage secondary", 427, big, F(VoltSecondaryRawVal), 23000, 462, {"99900001", "23000"}},
        {"interharmonic count", 431, {6}, F(NrInterHarm), 0, 464, {"6", "0"}},
        {"principle 2", 433 + 36, {4}, F(HarmMeasPrinciple[1]), 3, 463, {"2", "4", "3"}},
        {"event memory", 612, {2}, F(EventMemModel), 0, 465, {"2", "0"}},
        {"upper low", 613, {0x27, 0x41}, F(VoltUpperThreshShort), 110, 466, {"100.49", "110.00"}},
        {"upper high", 613, {0x2E, 0xE1}, F(VoltUpperThreshShort), 110, 466, {"120.01", "110.00"}},
        {"lower -1", 615, {0xFF, 0xFF}, F(VoltLowerThreshShort), 90, 467, {"-1", "9000"}},
        {"lower high", 615, {0x26, 0xDF}, F(VoltLowerThreshShort), 90, 467, {"9951", "9000"}},
        {"clamp id", 617, {11}, F(ClampId), 0, 740, {"11", "0"}},
        {"basic range code", 617, {7}, nullptr, 0, 468, {"7", "7"}, false, false},
        {"currents measured", 618, {2}, F(CurrPowSys), 0, 469, {"2", "0"}},
        {"probe flag", 619, {2}, F(VoltPowSysType), kPowSysSinglePhase, 470, {"2", "0"}},
        {"phase averaging", 620, {9}, F(PhMaxValInterval), 2, 471, {"9", "2"}},
        {"phase maximum", 621, zero, nullptr, 0, 472, {"0", "0"}},
        {"phase clamp", 625, zero, F(PhCurrClampRawVal), 10000, 712, {"0", "10000"}},
        {"phase CT primary", 630, zero, F(PhCurrPrimaryRawVal), 1, 474, {"0", "1"}},
        {"phase CT secondary", 634, big, F(PhCurrSecondaryRawVal), 1, 475, {"99900001", "1"}},
        {"neutral measurement", 638, {3}, F(NeutralMeas), 1, 476, {"3", "1"}},
        {"neutral averaging", 639, {9}, F(NeutralMaxValInterval), 2, 477, {"9", "2"}},
        {"neutral maximum", 640, big, nullptr, 0, 478, {"99900001", "99900001"}},
        {"neutral clamp", 644, zero, F(NeutralClampCurrRawVal), 10000, 479, {"0", "10000"}},
        {"neutral CT primary", 649, zero, F(NeutralCurrPrimaryRawVal), 1, 481, {"0", "1"}},
        {"neutral CT secondary", 653, zero, F(NeutralCurrSecondaryRawVal), 1, 482, {"0", "1"}},
        {"hardware", 657, {0, 0, 1, 0x2C}, F(InstrHardwNr), 300, 483, {"3", "300"}, false, false},
        {"clamp maximum", 657, {0, 0, 0, 99}, F(MaxClampCurr), 1500, 741, {"0", "1500"}},
        {"total power", 661, zero, nullptr, 0, 621, {"0", "0"}},
        {"single power", 665, big, nullptr, 0, 622, {"99900001", "99900001"}},
        {"power averaging", 669, {5}, F(PowMinMaxValInterval), 8, 623, {"5", "8"}},
        {"special transformer", 670, {2}, F(SpecialTransformerPhase), 1, 624, {"2", "1"}},
        {"phase shift +1000", 671, {0x03, 0xE8}, F(PhaseCorrRawVal), 990, 625, {"1000", "990"}},
        {"phase shift -1000", 671, {0xFC, 0x18}, F(PhaseCorrRawVal), -990, 625, {"-1000", "-990"}},
        {"hysteresis", 673, {0x01, 0x91}, F(EventHysteresis), 0, 860, {"401", "0"}},
        {"negative hysteresis", 673, {0xFF, 0xFE}, F(EventHysteresis), 0, 860, {"-2", "0"}},
        {"interval memory st", 675, {2}, F(IntervalMem), 0, 484, {"2", "0"}},
        {"statistics memory", 678, {3}, F(StatMem), 0, 486, {"3", "0"}},
        {"event memory st", 680, {3}, F(EventMem), 0, 488, {"3", "0"}},
        {"open events", 683, {4}, F(EventOpen), 0, 490, {"4", "0"}},
    };
    // clang-format on
    for (const SubstitutionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReadBlock block = PlausibleBlock(c.extendedFamily);
        block.Set(c.offset, c.bytes);
        const Decoded d = Decode(block, c.extendedFamily);
        if (c.field) {
            EXPECT_DOUBLE_EQ(c.field(d.job), c.expected);
        }
        std::vector<std::string> v = c.values;
        v.resize(3);
        EXPECT_EQ(d.diagnostics.texts, std::vector<std::string>{Msg(c.textId, {v[0], v[1], v[2]})});
        EXPECT_EQ(d.diagnostics.dataErrorCount, c.dataError ? 1 : 0);
        EXPECT_EQ(d.diagnostics.substitutionCount, c.dataError ? 0 : 1);
        EXPECT_EQ(d.diagnostics.transmissionErrorCount, 0);
    }
}

TEST(JobDecode, JobTypeTwoIsAContinuousJobWithoutAnError) {
    const Decoded d = Decode(PlausibleBlock(true).Set(372, {2}));
    EXPECT_EQ(d.job.JobType, kJobContinuous);
    EXPECT_TRUE(d.diagnostics.texts.empty());
}

TEST(JobDecode, OneInvalidProgrammedDateReplacesBothWithDataErrors) {
    // 31 February as start; the end is valid but goes too.
    const Decoded d = Decode(PlausibleBlock(true).Set(373, {24, 2, 31, 8, 30, 15}));
    EXPECT_EQ(d.job.ProgStartMeas.FileText(), "1997-12-31 23:58:58.0");
    EXPECT_EQ(d.job.ProgStopMeas.FileText(), "1997-12-31 23:59:59.0");
    const std::vector<std::string> expected = {
        Msg(431, {"24", "97"}), Msg(432, {"2", "12"}),  Msg(433, {"31", "31"}),
        Msg(435, {"8", "23"}),  Msg(436, {"30", "58"}), Msg(437, {"15", "58"}),
        Msg(438, {"24", "97"}), Msg(439, {"3", "12"}),  Msg(440, {"7", "31"}),
        Msg(442, {"10", "23"}), Msg(443, {"0", "59"}),  Msg(444, {"0", "59"}),
    };
    EXPECT_EQ(d.diagnostics.texts, expected);
    EXPECT_EQ(d.diagnostics.dataErrorCount, 12);
    EXPECT_EQ(d.diagnostics.substitutionCount, 0);
}

TEST(JobDecode, DateFieldsAreCheckedOneByOne) {
    struct Case {
        std::vector<uint8_t> end;
        bool valid;
    };
    const Case cases[] = {
        {{24, 3, 7, 23, 59, 59}, true}, {{24, 3, 7, 24, 0, 0}, false},
        {{24, 3, 7, 0, 60, 0}, false},  {{24, 3, 7, 0, 0, 60}, false},
        {{24, 13, 1, 0, 0, 0}, false},  {{24, 4, 31, 0, 0, 0}, false},
        {{23, 2, 29, 0, 0, 0}, false},  {{0, 2, 29, 0, 0, 0}, true},  // 2000 is a leap year
        {{100, 1, 1, 0, 0, 0}, false},  {{0, 0, 0, 0, 0, 0}, false},  // zero is no programmed end
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(PlausibleBlock(true).Set(379, c.end));
        EXPECT_EQ(d.diagnostics.dataErrorCount, c.valid ? 0 : 12) << testing::PrintToString(c.end);
    }
}

TEST(JobDecode, TwoDigitYearsBelow82AreThisCentury) {
    const Decoded d81 =
        Decode(PlausibleBlock(true).Set(373, {81, 1, 1, 0, 0, 0}).Set(379, {81, 1, 2, 0, 0, 0}));
    EXPECT_EQ(d81.job.ProgStartMeas.year, 2081);
    const Decoded d82 =
        Decode(PlausibleBlock(true).Set(373, {82, 1, 1, 0, 0, 0}).Set(379, {99, 12, 31, 0, 0, 0}));
    EXPECT_EQ(d82.job.ProgStartMeas.year, 1982);
    EXPECT_EQ(d82.job.ProgStopMeas.year, 1999);
    EXPECT_TRUE(d82.diagnostics.texts.empty());
}

TEST(JobDecode, EffectiveEndOfZerosIsNotSetButADayZeroIsReplaced) {
    const Decoded running = Decode(PlausibleBlock(true).Set(690, {0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(running.job.MeasStopMeasured.IsZero());
    EXPECT_TRUE(running.diagnostics.texts.empty());

    const Decoded dayZero = Decode(PlausibleBlock(true).Set(690, {0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(dayZero.job.MeasStopMeasured.FileText(), "1997-12-31 23:59:59.0");
    const std::vector<std::string> expected = {
        Msg(497, {"0", "97"}), Msg(498, {"1", "12"}), Msg(499, {"0", "31"}),
        Msg(500, {"0", "23"}), Msg(501, {"0", "59"}), Msg(502, {"0", "59"}),
    };
    EXPECT_EQ(dayZero.diagnostics.texts, expected);
    EXPECT_EQ(dayZero.diagnostics.substitutionCount, 6);
    EXPECT_EQ(dayZero.diagnostics.dataErrorCount, 0);
}

TEST(JobDecode, EffectiveStartHasNoNotSetForm) {
    const Decoded d = Decode(PlausibleBlock(true).Set(684, {0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(d.job.MeasStartMeasured.FileText(), "1997-12-31 23:58:58.0");
    ASSERT_EQ(d.diagnostics.texts.size(), 6u);
    EXPECT_EQ(d.diagnostics.texts[0], Msg(491, {"0", "97"}));
    EXPECT_EQ(d.diagnostics.texts[5], Msg(496, {"0", "58"}));
    EXPECT_EQ(d.diagnostics.substitutionCount, 6);
    EXPECT_EQ(d.job.MeasStopMeasured.FileText(), "2024-3-7 9:59:59.0");  // decoded on its own
}

TEST(JobDecode, PowerSystemTypeComesFromLineTypeProbesAndTopBits) {
    struct Case {
        uint8_t lineType, probes, flags;
        uint32_t type;
        int16_t phaseCT;
    };
    const Case cases[] = {
        {1, 1, 0x00, kPowSysTwoElementDelta, 0},
        {1, 0, 0x61, kPowSysDelta, 1},
        {0, 0, 0x00, kPowSysWye, 0},
        {0, 1, 0x60, kPowSysSinglePhase, 0},
        {0, 0, 0x81, kPowSysSplitSinglePhase, 1},
        {0, 0, 0x21, kPowSysWye, 1},
        {0, 0, 0x40, kPowSysWye, 0},
        {0, 0, 0xA0, kPowSysWye, 0},
        {0, 0, 0xE1, kPowSysWye, 1},
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(
            PlausibleBlock(true).Set(416, {c.lineType}).Set(619, {c.probes}).Set(629, {c.flags}));
        EXPECT_EQ(d.job.VoltPowSysType, c.type) << int(c.flags);
        EXPECT_EQ(d.job.PhCurrTransformer, c.phaseCT) << int(c.flags);
        EXPECT_TRUE(d.diagnostics.texts.empty());
    }
}

TEST(JobDecode, InterharmonicTextSkipsControlBytesAndStopsAfterThirtyBytes) {
    ReadBlock block = PlausibleBlock(true);
    block.Set(432, {7, 0}).Set(436, std::vector<uint8_t>(32, 0));
    block.Set(436, {'a', 0, 'b', 0x1F, 'c', '\n', 0xE9});
    const std::string thirtyFive = "0123456789abcdefghijklmnopqrstuvwxy";
    block.Text(468 + 4, std::string(thirtyFive.begin(), thirtyFive.begin() + 32));
    const Decoded d = Decode(block);
    EXPECT_EQ(d.job.HarmFreqSync[0], 1);
    EXPECT_EQ(d.job.HarmText[0], "abc\xC3\xA9");  // 8-bit text arrives as UTF-8
    EXPECT_EQ(d.job.HarmText[1], thirtyFive.substr(0, 30));
}

TEST(JobDecode, ClampMaximumFallsBackToTheLargerSensorWithinItsField) {
    struct Case {
        uint32_t phaseClamp, neutralClamp;
        uint16_t expected;
    };
    const Case cases[] = {{250000, 50000, 2500}, {50000, 320000, 3200}, {99900000, 1000, 65535}};
    for (const Case& c : cases) {
        ReadBlock block = PlausibleBlock(true);
        block.Set(617, {0}).U32(625, c.phaseClamp).U32(644, c.neutralClamp).U32(657, 6553600);
        const Decoded d = Decode(block);
        EXPECT_EQ(d.job.MaxClampCurr, c.expected);
        EXPECT_EQ(d.diagnostics.texts,
                  std::vector<std::string>{Msg(741, {"65536", std::to_string(c.expected)})});
    }
}

TEST(JobDecode, ShortBlockIsRefusedAndChangesNothing) {
    std::vector<uint8_t> bytes = PlausibleBlock(true).Bytes();
    bytes.resize(kJobReadBlockSize - 1);
    CMeasurementJob job;
    ProtocolDiagnostics diagnostics;
    EXPECT_FALSE(DecodeJob(bytes, job, true, diagnostics));
    EXPECT_EQ(job, CMeasurementJob());
    EXPECT_TRUE(diagnostics.texts.empty());
    bytes.resize(kJobReadBlockSize);  // without its test sum byte
    EXPECT_TRUE(DecodeJob(bytes, job, true, diagnostics));
}

TEST(JobDecode, JobFunctionComesFromBitOneOfTheInputFlags) {
    std::vector<uint8_t> bytes = PlausibleBlock(true).Bytes();
    EXPECT_EQ(DecodeJobFunction(bytes), kMeasFuncP);
    bytes[422] = 0x01;
    EXPECT_EQ(DecodeJobFunction(bytes), kMeasFuncA);
    bytes.resize(422);
    EXPECT_EQ(DecodeJobFunction(bytes), kMeasFuncNotSet);
}

}  // namespace
}  // namespace varelo
