#include <gtest/gtest.h>

#include <string>

#include "support/GeneratedWeekTest.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

using CliReferenceCommands = test::GeneratedWeekTest;

// The generated job: 230 V on range code 6, 1000 A sensors, 50 Hz.
TEST_F(CliReferenceCommands, RangesGiveMeasuringRangeAndNominalValue) {
    const test::ProgramResult r =
        Cli("ranges " + ShellQuote(file) + " --channel 1011 --channel 1031 --json");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("\"channel\": 1011,\n    \"name\": \"V average L1\",\n    \"begin\": "
                            "0,\n    \"end\": 276,\n    \"nominal\": 230"),
              std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("\"end\": 1200,\n    \"nominal\": 1000"), std::string::npos);
    EXPECT_EQ(Cli("ranges " + ShellQuote(file) + " --channel 99999").status, 2);
}

TEST_F(CliReferenceCommands, CumulativeFrequencyTakesItsClassLimitsAndRefusesCrossedOnes) {
    const test::ProgramResult r =
        Cli("cumulative voltage " + ShellQuote(file) + " --lower 10 --upper 90 --json");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("\"lowerClassLimit\": 10"), std::string::npos);
    EXPECT_NE(r.output.find("\"upperClassLimit\": 90"), std::string::npos);
    EXPECT_NE(r.output.find("\"channel\": 1011"), std::string::npos);
    EXPECT_EQ(r.output.find("\"channel\": 1031"), std::string::npos);  // currents: the other view

    const test::ProgramResult crossed =
        Cli("cumulative current " + ShellQuote(file) + " --lower 50 --upper 50");
    EXPECT_EQ(crossed.status, 2);
    EXPECT_NE(crossed.output.find("error 788"), std::string::npos);
}

TEST_F(CliReferenceCommands, TimeplotShowsItsWindowLimitLineEnergyAndGaps) {
    // Interval 301 missing: the record after the gap ends 2024-01-03 02:20.
    ASSERT_EQ(RunProgram(test::BuiltProgramLine(dir.Path(), "logger-sim",
                                                "generate --function A --intervals 1008 "
                                                "--missing 300:1 --output " +
                                                    ShellQuote(file)))
                  .status,
              0);
    const std::string after = "2024-1-3 2:20:0.0";

    const test::ProgramResult r =
        Cli("timeplot " + ShellQuote(file) +
            " --channel 1011 --channel 1067 --limit-line 1011:1 --energy --json");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("\"label\": \"Measurement period\""), std::string::npos);
    // The 100 % band of 230 V: +10 % and -15 %.
    EXPECT_NE(r.output.find("\"upper\": 253,\n        \"lower\": 195.5"), std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("\"energy\""), std::string::npos);
    EXPECT_NE(r.output.find("\"gaps\": [\n    \"" + after + "\"\n  ]"), std::string::npos)
        << r.output;
    EXPECT_EQ(Cli("timeplot " + ShellQuote(file) + " --json").status, 2);  // no channel
}

}  // namespace
}  // namespace varelo
