#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/GenerateCommand.h"
#include "sim/MeasurementGenerator.h"
#include "sim/RawEncoding.h"
#include "sim/StatisticSynthesis.h"

namespace varelo::sim {
namespace {

TEST(GeneratorEncoding, EveryLevelCodeIsTheNearestCodeOfItsOwnLevel) {
    for (int k = 0; k <= 255; ++k) {
        const int level = LevelOfCode(uint8_t(k));
        EXPECT_EQ(LevelCode(level / 100.0), k) << k;
        if (k > 0) {
            EXPECT_GT(level, LevelOfCode(uint8_t(k - 1))) << k;
        }
    }
    const std::vector<std::pair<double, int>> nearest = {
        {0.02, 0}, {0.03, 1}, {6.53, 130}, {6.56, 131}, {10.4, 165}, {10.6, 166}, {150, 255},
    };
    for (const auto& [percent, code] : nearest)
        EXPECT_EQ(LevelCode(percent), code) << percent;
}

TEST(GeneratorEncoding, HarmonicsFromCodesAsThePcComputesThem) {
    const struct {
        int16_t rms;
        uint8_t code;
        int16_t raw;
    } cases[] = {
        {1000, 100, 67},   // 67.6
        {1000, 200, 608},  // 608.5
        {1000, 0, 0},        {0, 200, 0},
        {17600, 255, 23800},  // 100 % of the RMS value in the fundamental's unit
    };
    for (const auto& c : cases)
        EXPECT_EQ(HarmonicFromCode(c.rms, c.code), c.raw) << c.rms << " " << int(c.code);
}

TEST(GeneratorEncoding, RawValuesStayWithinTheirFields) {
    EXPECT_EQ(ToRaw(230, 230.0 / 17600), 17600);
    EXPECT_EQ(ToRaw(1e6, 1), 32767);
    EXPECT_EQ(ToRaw(-5, 1), 0);
    EXPECT_EQ(ToSignedRaw(-1e6, 1), -32768);
    EXPECT_EQ(ToUnsignedRaw(40000, 1), 40000);
    EXPECT_EQ(ToUnsignedRaw(1e6, 1), 65535);
}

TEST(GeneratorEncoding, FrequencyClassesAroundTheNominalFrequency) {
    // Below the nominal frequency a class ends at its limit, above it too: 49.90 belongs to
    // the class limited by 50.00, 50.00 to that limited by 50.10.
    const std::vector<std::tuple<int32_t, int, int>> cases = {
        {49899, 50, 19}, {49900, 50, 20}, {49999, 50, 20}, {50000, 50, 21}, {50099, 50, 21},
        {50100, 50, 22}, {40000, 50, 0},  {41000, 50, 1},  {65000, 50, 41}, {59950, 60, 20},
        {60000, 60, 21}, {68999, 60, 40}, {69000, 60, 41},
    };
    for (const auto& [milliHz, nominal, expected] : cases)
        EXPECT_EQ(StatisticSynthesis::FrequencyClass(milliHz, nominal), expected) << milliHz;
    const std::vector<std::pair<double, int>> signalling = {
        {0.99, -1}, {1, 0}, {1.99, 0}, {2, 1}, {3.49, 2}, {11.49, 18}, {11.5, 19}, {50, 19},
    };
    for (const auto& [percent, expected] : signalling)
        EXPECT_EQ(StatisticSynthesis::SignallingClass(percent), expected) << percent;
}

TEST(GenerateCommand, OptionsDescribeAMeasurementALoggerCouldHaveRecorded) {
    const std::vector<std::pair<std::vector<std::string>, bool>> cases = {
        {{"--function", "A", "--intervals", "1008", "--output", "m.VXM"}, true},
        {{"--function=P", "--intervals=10", "--interval=3600", "--seed=99", "--system=120",
          "--start=2030-06-30 23:50", "--gap=4:2", "--output=m.VXM"},
         true},
        {{"--function", "B", "--intervals", "10", "--output", "m.VXM"}, false},
        {{"--function", "A", "--output", "m.VXM"}, false},
        {{"--function", "A", "--intervals", "10"}, false},
        {{"--function", "A", "--intervals", "0", "--output", "m.VXM"}, false},
        {{"--function", "A", "--intervals", "1000001", "--output", "m.VXM"}, false},
        {{"--function", "A", "--intervals", "10", "--interval", "120", "--output", "m"}, false},
        {{"--function", "A", "--intervals", "10", "--system", "240", "--output", "m"}, false},
        {{"--function", "A", "--intervals", "10", "--start", "2024-02-30 00:00", "--output", "m"},
         false},
        {{"--function", "A", "--intervals", "10", "--start", "2081-12-31 23:55", "--output", "m"},
         false},
        // 32767 hourly statistic segments at most.
        {{"--function", "A", "--intervals", "32767", "--interval", "3600", "--output", "m"}, false},
        {{"--function", "A", "--intervals", "10", "--gap", "527:2", "--output", "m"}, false},
        {{"--function", "A", "--intervals", "10", "--gap", "528:1", "--output", "m"}, true},
        {{"--function", "A", "--intervals", "10", "--gap", "527:1", "--output", "m"}, true},
        {{"--function", "P", "--intervals", "10", "--gap", "200:10", "--output", "m"}, false},
        {{"--function", "A", "--intervals", "10", "--gap", "5:0", "--output", "m"}, false},
        {{"--function", "A", "--intervals", "10", "--bogus", "1", "--output", "m"}, false},
    };
    for (const auto& [args, valid] : cases) {
        GenerateOptions options;
        std::string error;
        EXPECT_EQ(ParseGenerateOptions(args, options, error), valid)
            << testing::PrintToString(args) << ": " << error;
        EXPECT_EQ(error.empty(), valid) << error;
    }
    GenerateOptions options;
    std::string error;
    ASSERT_TRUE(ParseGenerateOptions(cases[1].first, options, error));
    const GeneratorSettings& s = options.settings;
    EXPECT_EQ(s.function, kMeasFuncP);
    EXPECT_EQ(s.intervals, 10u);
    EXPECT_EQ(s.intervalSeconds, 3600);
    EXPECT_EQ(s.seed, 99u);
    EXPECT_EQ(s.nominalVoltage, 120);
    EXPECT_EQ(s.start, CTimeStamp(2030, 6, 30, 23, 50, 0));
    ASSERT_TRUE(s.gap);
    EXPECT_EQ(s.gap->staleRecords, 4u);
    EXPECT_EQ(s.gap->emptyRecords, 2u);
    EXPECT_EQ(options.output, "m.VXM");
}

TEST(GenerateCommand, InstallationOptionsGoIntoTheJob) {
    const std::vector<std::pair<std::vector<std::string>, bool>> cases = {
        {{"--power-system", "two-element-delta", "--vt", "20000/100", "--ct", "400/5", "--job-text",
          "6=Substation \"North\"", "--job-text", "1=Utility"},
         true},
        {{"--power-system", "star"}, false},
        {{"--vt", "20000"}, false},
        {{"--vt", "0/100"}, false},
        {{"--ct", "400/x"}, false},
        {{"--job-text", "7=Text"}, false},
        {{"--job-text", "Text"}, false},
    };
    for (const auto& [extra, valid] : cases) {
        std::vector<std::string> args = {"--function", "A", "--intervals", "10", "--output", "m"};
        args.insert(args.end(), extra.begin(), extra.end());
        GenerateOptions options;
        std::string error;
        EXPECT_EQ(ParseGenerateOptions(args, options, error), valid)
            << testing::PrintToString(extra) << ": " << error;
        if (!valid) continue;
        const MeasurementGenerator generator(options.settings);
        const CMeasurementJob& job = generator.Job();
        EXPECT_EQ(job.VoltPowSysType, kPowSysTwoElementDelta);
        EXPECT_EQ(job.VoltTransformer, 1);
        EXPECT_EQ(job.VoltPrimaryRawVal, 2000000);
        EXPECT_EQ(job.VoltSecondaryRawVal, 10000);
        EXPECT_EQ(job.PhCurrTransformer, 1);
        EXPECT_EQ(job.PhCurrPrimaryRawVal, 40000);
        EXPECT_EQ(job.PhCurrSecondaryRawVal, 500);
        EXPECT_EQ(job.JobText[5], "Substation \"North\"");
        EXPECT_EQ(job.JobText[0], "Utility");
        EXPECT_EQ(job.JobText[1], "Network operations");  // the generated text stays
    }
}

}  // namespace
}  // namespace varelo::sim
