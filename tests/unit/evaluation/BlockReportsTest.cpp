#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "evaluation/BlockTable.h"
#include "evaluation/EvaluatedMeasurement.h"
#include "evaluation/EvaluationResult.h"
#include "evaluation/LimitValues.h"
#include "evaluation/MostCriticalValues.h"
#include "evaluation/StatisticalValues.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RawScaling.h"
#include "support/SteadyMeasurement.h"

namespace varelo {
namespace {

constexpr int kSignallingHz = 216;  // order 4.32 at 50 Hz
constexpr int kTopSignallingClass = 19;
constexpr int16_t kUnbalanceAngles[] = {9600, 19200};  // 120 and 240 degrees in 0.0125 degree

// A function A measurement of steady phase voltages with one signalling channel and events
// recorded, evaluated against the 50-Hz defaults with a 95 % share.
class BlockReportsTest : public ::testing::Test {
public:  // the cases' set-up functions reach in
    MeasurementData data;
    CLimitValues limits;
    CRawScaling scaling;
    CEvaluationResult result;
    std::string limitFile = "/limits/Plant.gwd";

    void Make(int intervals) {
        data = test::SteadyMeasurement(kMeasFuncA, intervals);
        limits.SetDefaults(50);
        limits.Histogram = 95;
        limits.SetSignallingLimit(kSignallingHz, 5);
        limits.SetInterharmonicLimit(kSignallingHz, 0.5f);
        data.job.NrInterHarm = 1;
        data.job.HarmOrder[0] = 432;
        data.job.EventReady = 1;
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
        // Every phase at the nominal voltage, in raw units as the evaluation takes it.
        const auto nominal = int16_t(scaling.NomVolt / scaling.VoltScale);
        for (CIntervalRecord& r : data.intervals)
            r.VoltAvgPhaseLxRawVal = {nominal, nominal, nominal};
    }
    // Raw voltage of a tenth above the nominal voltage's band in the first k intervals of L1.
    void OutOfBand(int k) {
        const int16_t nominalRaw = data.intervals[0].VoltAvgPhaseLxRawVal[0];
        for (int i = 0; i < k; ++i)
            data.intervals[size_t(i)].VoltAvgPhaseLxRawVal[0] = int16_t(nominalRaw * 1.2);
    }
    void Interruptions(int phase, int count) {
        for (int i = 0; i < count; ++i) {
            CEventRecord e;
            e.Phase = int16_t(phase + 1);
            e.Kind = kEventShortInterruption;
            e.StartDateTime = CTimeStamp(2026, 3, 2, 1, phase * 10 + i, 0);
            e.EndDateTime = e.StartDateTime;
            e.EndDateTime.AddSeconds(5);
            data.events.Add(e);
        }
    }
    void Unbalance(int16_t raw) {
        for (CIntervalRecord& r : data.intervals) {
            r.VoltUnbalance = raw;
            r.UnbalAngleL1L2 = kUnbalanceAngles[0];
            r.UnbalAngleL1L3 = kUnbalanceAngles[1];
        }
    }
    void SignallingInTopClass() {
        CStatisticSegment segment;
        segment.DateTime = data.intervals[0].DateTime;
        segment.NrSignalVoltInterval = 100;
        for (int p = 0; p < 3; ++p)
            segment.SignalVal[size_t(p)][0][kTopSignallingClass] = 100;
        data.statistics.Add(segment);
    }
    void Pst(int16_t raw) {
        for (CIntervalRecord& r : data.intervals)
            r.FlickPstPhaseLxRawVal = {raw, raw, raw};
    }

    EvaluatedMeasurement Evaluated() {
        const EvaluationInput input{data.intervals, data.statistics, data.events,
                                    data.job,       limits,          scaling};
        EXPECT_TRUE(result.Evaluate(input, true));
        return {data.job, scaling, limits, limitFile, result};
    }
    BlockReport Statistical() { return StatisticalValues::Build(Evaluated(), PhaseLabels::L123); }
    BlockReport Critical() { return MostCriticalValues::Build(Evaluated(), PhaseLabels::L123); }
};

const ReportBlock* FindBlock(const BlockReport& r, const std::string& label, size_t nth = 0) {
    for (const ReportBlock& b : r.blocks) {
        if (b.header[0].label == label && nth-- == 0) return &b;
    }
    return nullptr;
}

TEST_F(BlockReportsTest, CellsAreMarkedByTheirWrittenValues) {
    enum Part { kMeasured, kDeviation };
    struct Case {
        const char* what;
        int intervals;
        std::function<void(BlockReportsTest&)> setUp;
        const char* block;
        size_t row;
        Part part;
        int phase;
        const char* text;
        int mark;
    } cases[] = {
        // 19 of 20 intervals within: 95.00 % is not below 95 but below 100.
        {"share 95.00", 20, [](auto& t) { t.OutOfBand(1); }, "Voltage variations", 0, kMeasured, 0,
         "95.00", kMarkGrey},
        {"deviation of 95.00", 20, [](auto& t) { t.OutOfBand(1); }, "Voltage variations", 0,
         kDeviation, 0, "0.00", kMarkNone},
        // 322 of 339 within: 94.985 % written 94.99, below the required share.
        {"share 94.99", 339, [](auto& t) { t.OutOfBand(17); }, "Voltage variations", 0, kMeasured,
         0, "94.99", kMarkFramed},
        // 1899 of 1999 within: 94.9975 % is written 95.00 and so not below 95.
        {"share rounded up to 95.00", 1999, [](auto& t) { t.OutOfBand(100); }, "Voltage variations",
         0, kMeasured, 0, "95.00", kMarkGrey},
        {"share 100", 20, [](auto&) {}, "Voltage variations", 0, kMeasured, 1, "100.00", kMarkNone},
        {"maximum outside the band", 20, [](auto& t) { t.OutOfBand(1); }, "Voltage variations", 1,
         kMeasured, 0, nullptr, kMarkGrey},
        // NrEvents 2: a count of 2 is allowed, 3 is one too many.
        {"count equal to NrEvents", 20, [](auto& t) { t.Interruptions(0, 2); }, "short", 0,
         kMeasured, 0, "2", kMarkNone},
        {"count above NrEvents", 20, [](auto& t) { t.Interruptions(1, 3); }, "short", 0, kMeasured,
         1, "3", kMarkGrey},
        {"deviation of a count", 20, [](auto& t) { t.Interruptions(1, 3); }, "short", 0, kDeviation,
         1, "-1", kMarkNone},
        // The top class counts as 11.5: at a limit of 11.5 it is not above it.
        {"signalling top class at its limit", 20,
         [](auto& t) {
             t.SignallingInTopClass();
             t.limits.SetSignallingLimit(kSignallingHz, 11.5f);
         },
         "Mains signaling voltage", 1, kMeasured, 0, "> 11.50", kMarkNone},
        {"signalling top class against 11", 20,
         [](auto& t) {
             t.SignallingInTopClass();
             t.limits.SetSignallingLimit(kSignallingHz, 11);
         },
         "Mains signaling voltage", 1, kDeviation, 2, "-0.50", kMarkNone},
        {"signalling top class marked against 11", 20,
         [](auto& t) {
             t.SignallingInTopClass();
             t.limits.SetSignallingLimit(kSignallingHz, 11);
         },
         "Mains signaling voltage", 1, kMeasured, 2, "> 11.50", kMarkGrey},
        // Unbalance 2.5 % against 2.0 %: grey, 2.0 - 2.5 = -0.50. Merged rows use cell 1.
        {"unbalance above its limit", 20, [](auto& t) { t.Unbalance(250); }, "Unbalance V", 1,
         kMeasured, 1, "2.50", kMarkGrey},
        {"unbalance deviation", 20, [](auto& t) { t.Unbalance(250); }, "Unbalance V", 1, kDeviation,
         1, "-0.50", kMarkNone},
        // A limit of 0 is no limit: nothing to exceed and no deviation from it.
        {"unbalance without limit", 20,
         [](auto& t) {
             t.Unbalance(250);
             t.limits.VoltUnbal = 0;
         },
         "Unbalance V", 1, kMeasured, 1, "2.50", kMarkNone},
        {"unbalance deviation without limit", 20,
         [](auto& t) {
             t.Unbalance(250);
             t.limits.VoltUnbal = 0;
         },
         "Unbalance V", 1, kDeviation, 1, "", kMarkNone},
        {"unbalance share without limit", 20,
         [](auto& t) {
             t.Unbalance(250);
             t.limits.VoltUnbal = 0;
         },
         "Unbalance V", 0, kMeasured, 1, "", kMarkNone},
        {"flicker without limit", 20,
         [](auto& t) {
             t.Pst(2000);  // Pst 2.0, so Plt 2.0 from the twelfth interval on
             t.limits.FlickPlt = 0;
         },
         "Flicker", 1, kMeasured, 0, "2.000", kMarkNone},
        {"flicker deviation without limit", 20,
         [](auto& t) {
             t.Pst(2000);
             t.limits.FlickPlt = 0;
         },
         "Flicker", 1, kDeviation, 0, "", kMarkNone},
        {"flicker above its limit", 20, [](auto& t) { t.Pst(2000); }, "Flicker", 1, kDeviation, 0,
         "-1.000", kMarkNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Make(c.intervals);
        limits.NrEvents = 2;
        c.setUp(*this);
        const BlockReport report = Statistical();
        const ReportBlock* block = FindBlock(report, c.block);
        ASSERT_NE(block, nullptr);
        ASSERT_LT(c.row, block->statistical.size());
        const StatisticalRow& row = block->statistical[c.row];
        const size_t cell = size_t(c.phase);
        const std::string& text = c.part == kMeasured ? row.measured[cell] : row.deviation[cell];
        if (c.text) {
            EXPECT_EQ(text, c.text);
        }
        EXPECT_EQ(c.part == kMeasured ? row.measuredMark[cell] : row.deviationMark[cell], c.mark);
    }
}

TEST_F(BlockReportsTest, LimitOfZeroIsWrittenNoLimitValue) {
    Make(20);
    limits.VoltUnbal = 0;
    limits.FlickPlt = 0;
    limits.SetHarmonicLimit(3, 0);
    const BlockReport report = Statistical();
    for (const char* label : {"Unbalance V", "Flicker", "3. Harmonic"}) {
        const ReportBlock* block = FindBlock(report, label);
        ASSERT_NE(block, nullptr) << label;
        EXPECT_EQ(block->header[0].limit, "no limit value") << label;
    }
    EXPECT_EQ(FindBlock(report, "5. Harmonic")->header[0].limit, "6.00");
}

TEST_F(BlockReportsTest, HeadersOfVoltageAndFrequencyBlocksFollowTheirTolerances) {
    Make(20);
    // 50-Hz defaults: set 0 +/-10 %, set 1 +10/-15 %; frequency set 0 +/-1 %, set 1 +4/-6 %.
    const BlockReport report = Statistical();
    const ReportBlock* v95 = FindBlock(report, "Voltage variations", 0);
    const ReportBlock* v100 = FindBlock(report, "Voltage variations", 1);
    ASSERT_TRUE(v95 && v100);
    EXPECT_EQ(v95->header[0].limit, "230.00V +/- 10.00%");
    EXPECT_EQ(v100->header[0].limit, "230.00V +10.00/-15.00%");
    EXPECT_EQ(v95->statistical[0].limit, "95");
    EXPECT_EQ(v100->statistical[0].limit, "100");
    EXPECT_EQ(v100->statistical[1].limit, "253.00");  // 230 x 110 / 100
    EXPECT_EQ(v100->statistical[2].limit, "195.50");  // 230 x 85 / 100
    EXPECT_EQ(v95->statistical[1].unit, "V");

    const ReportBlock* f95 = FindBlock(report, "frequency 99.5%");
    const ReportBlock* f100 = FindBlock(report, "frequency 100%");
    ASSERT_TRUE(f95 && f100);
    EXPECT_EQ(f95->header[0].limit, "50Hz +/- 1%");
    EXPECT_EQ(f100->header[0].limit, "50Hz +4/-6%");
    EXPECT_EQ(f100->statistical[1].limit, "52.00");
    EXPECT_EQ(f100->statistical[2].limit, "47.00");
    EXPECT_TRUE(f95->statistical[0].merged);
    // Without frequency values every cell stays empty.
    EXPECT_EQ(f95->statistical[0].measured[1], "");
}

TEST_F(BlockReportsTest, BlockOrderAndAbsentObjects) {
    Make(20);
    std::vector<std::string> order;
    for (const ReportBlock& b : Statistical().blocks)
        order.push_back(b.header[0].label);
    const std::vector<std::string> expected = {"Voltage variations",
                                               "Voltage variations",
                                               "short",
                                               "long",
                                               "Events",
                                               "3. Harmonic",
                                               "5. Harmonic",
                                               "7. Harmonic",
                                               "9. Harmonic",
                                               "THD V",
                                               "Flicker",
                                               "Unbalance V",
                                               "Mains signaling voltage",
                                               "Interharm.",
                                               "frequency 99.5%",
                                               "frequency 100%"};
    EXPECT_EQ(order, expected);

    // Function P without events, signalling or interharmonics: no block of theirs.
    data = test::SteadyMeasurement(kMeasFuncP, 20);
    data.job.VoltPowSysType = 3;  // single phase: no unbalance either
    scaling.Build(data.job, data.fileVersion, 0);
    data.intervals.SetScaling(scaling);
    for (const BlockReport& report : {Statistical(), Critical()}) {
        EXPECT_EQ(report.presence.Count(), 1);
        for (const ReportBlock& b : report.blocks) {
            for (const char* absent : {"short", "Events", "3. Harmonic", "Unbalance V",
                                       "Mains signaling voltage", "Interharm."})
                EXPECT_NE(b.header[0].label, absent);
        }
    }
    const BlockReport critical = Critical();
    EXPECT_EQ(FindBlock(critical, "Voltage variations")->critical.size(), 5u);
}

TEST_F(BlockReportsTest, ChannelLabelsNameOrderOrFrequencyAndPrinciple) {
    Make(20);
    struct Case {
        int16_t order, sync, principle;
        const char* label;
    } cases[] = {{432, 0, 0, "216 Hz (Average value)"},
                 {432, 0, 2, "216 Hz (Max-value)"},
                 {250, 1, 1, "V h2.50 (Max-value)"},
                 {1067, 0, 0, "533 Hz (Average value)"}};  // trunc(10.67 x 50)
    for (const Case& c : cases) {
        data.job.HarmOrder[0] = c.order;
        data.job.HarmFreqSync[0] = c.sync;
        data.job.HarmMeasPrinciple[0] = c.principle;
        EXPECT_EQ(ChannelLabel(data.job, 0), c.label);
    }
    data.job.HarmOrder[0] = 432;
    data.job.HarmMeasPrinciple[0] = 1;
    const BlockReport report = Statistical();
    const ReportBlock* block = FindBlock(report, "Mains signaling voltage");
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->header.size(), 2u);
    EXPECT_EQ(block->header[1].label, "216 Hz (Max-value)");
    EXPECT_EQ(block->header[0].limit, "5.00");
}

TEST_F(BlockReportsTest, WithoutEventsTheCriticalEventBlocksSayNo) {
    Make(20);
    const BlockReport report = Critical();
    for (const char* label : {"short", "long", "Events"}) {
        const ReportBlock* block = FindBlock(report, label);
        ASSERT_NE(block, nullptr) << label;
        ASSERT_EQ(block->critical.size(), 1u) << label;
        EXPECT_EQ(block->critical[0].value, "no");
        EXPECT_EQ(block->critical[0].column, 1);
    }
    EXPECT_EQ(FindBlock(report, "Events")->critical[0].unit, "V");
    EXPECT_EQ(FindBlock(report, "short")->header[1].unit, "Meas.p.");
}

TEST_F(BlockReportsTest, CriticalRowsCarryTimePhaseAndDuration) {
    Make(20);
    Interruptions(1, 2);
    SignallingInTopClass();
    const BlockReport report = Critical();
    const ReportBlock* shortOnes = FindBlock(report, "short");
    ASSERT_EQ(shortOnes->critical.size(), 2u);
    EXPECT_EQ(shortOnes->critical[0].column, 1);  // L2
    EXPECT_EQ(shortOnes->critical[0].value, "x");
    EXPECT_EQ(shortOnes->critical[0].duration, "00:00:05.000");
    EXPECT_NE(shortOnes->critical[0].time.find(":"), std::string::npos);
    EXPECT_EQ(FindBlock(report, "long")->critical[0].value, "no");

    // Signalling: always five rows, each phase's highest values merged in phase order.
    const ReportBlock* signalling = FindBlock(report, "Mains signaling voltage");
    ASSERT_EQ(signalling->critical.size(), 5u);
    const int columns[] = {0, 0, 0, 0, 0};  // equal values keep L1's five first
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(signalling->critical[i].value, "> 11.50");
        EXPECT_EQ(signalling->critical[i].column, columns[i]);
        EXPECT_EQ(signalling->critical[i].time, "-");
    }
    // Frequency without values: five rows of "-" in the middle.
    const ReportBlock* frequency = FindBlock(report, "frequency 99.5% and");
    ASSERT_NE(frequency, nullptr);
    EXPECT_EQ(frequency->header[1].label, "frequency 100%");
    ASSERT_EQ(frequency->critical.size(), 5u);
    EXPECT_EQ(frequency->critical[4].value, "-");
}

TEST(BlockColumns, TextColumnsShareTheirPartByWidestTextAndGroupsSplitThePhases) {
    BlockReport report;
    report.SetPhases(0, PhaseLabels::L123);
    ReportBlock block;
    block.header = {{"LLLLLLLLLL", "U", "LIMIT"}};  // 10, 1 and 5 characters
    StatisticalRow row;
    row.label = "Max";
    row.unit = "UUUUUU";
    block.statistical = {row};
    report.blocks = {block};
    const TextWidth width = [](const std::string& s) { return double(s.size()); };
    // Widest texts plus 2 x 1: label 12, unit 8 ("UUUUUU" beats "Unit"), limit 7 of 27.
    BlockColumns c = LayoutColumns(report, 540, width, 1);
    EXPECT_DOUBLE_EQ(c.label, 270.0 * 12 / 27);
    EXPECT_DOUBLE_EQ(c.unit, 270.0 * 8 / 27);
    EXPECT_DOUBLE_EQ(c.group, 135);
    EXPECT_DOUBLE_EQ(c.last, 135);
    EXPECT_DOUBLE_EQ(c.Total(), 540);
    EXPECT_DOUBLE_EQ(c.PhaseCell(2, report.presence)[0], 90);

    // Most critical: the last quarter holds the measured group; a single-phase system has one
    // phase column, and a value of no phase spans the group when L2 is absent.
    report.kind = BlockReport::Kind::kCritical;
    report.SetPhases(3, PhaseLabels::L123);
    c = LayoutColumns(report, 400, width, 1);
    EXPECT_DOUBLE_EQ(c.group, 100);
    EXPECT_NEAR(c.label + c.unit + c.third + c.last, 300, 1e-9);
    EXPECT_EQ(c.phases, 1);
    EXPECT_DOUBLE_EQ(c.PhaseCell(1, report.presence)[1], 100);
}

}  // namespace
}  // namespace varelo
