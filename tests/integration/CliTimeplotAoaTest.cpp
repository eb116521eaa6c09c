// varelo-cli timeplot and print timeplot with --aoa: the curves and manual ranges of an
// application of the default definitions.
#include <gtest/gtest.h>

#include <string>

#include "support/GeneratedWeekTest.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

using CliTimeplotAoa = test::GeneratedWeekTest;

TEST_F(CliTimeplotAoa, JsonShowsTheApplicationsCurvesWithTheirManualRanges) {
    const test::ProgramResult r = Cli("timeplot " + ShellQuote(file) +
                                      " --aoa 'Voltage quality/Slow voltage variations' --json");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("\"scaling\": 3"), std::string::npos) << r.output;
    EXPECT_EQ(Count(r.output, "\"channel\""), 9u) << r.output;
    // V average L1 first, with nominal 230 V -15 % .. +15 %.
    EXPECT_NE(r.output.find("\"channel\": 1011,\n      \"name\": \"V average L1\",\n      "
                            "\"bottom\": 195.5,\n      \"top\": 264.5"),
              std::string::npos)
        << r.output;

    // One phase chosen; a mixed application keeps each channel's phase.
    const test::ProgramResult one = Cli("timeplot " + ShellQuote(file) +
                                        " --aoa 'Voltage quality/Voltage of one phase' "
                                        "--phase L2 --json");
    ASSERT_EQ(one.status, 0) << one.output;
    EXPECT_NE(one.output.find("\"channel\": 2011"), std::string::npos);
    EXPECT_NE(one.output.find("\"channel\": 2013"), std::string::npos);
    EXPECT_EQ(Count(one.output, "\"channel\""), 3u) << one.output;
    const test::ProgramResult mixed =
        Cli("timeplot " + ShellQuote(file) + " --aoa 'Load/Voltage and current L1' --json");
    ASSERT_EQ(mixed.status, 0) << mixed.output;
    EXPECT_NE(mixed.output.find("\"channel\": 1011"), std::string::npos);
    EXPECT_NE(mixed.output.find("\"channel\": 1031"), std::string::npos);
}

TEST_F(CliTimeplotAoa, UnknownNamesAndUnmatchedApplicationsFail) {
    struct Case {
        const char* options;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"--aoa 'Voltage quality/Nothing'", 1, "names no application"},
        {"--aoa 'Nothing/Flicker'", 1, "names no application"},
        // "All" applications do not fit one phase.
        {"--aoa 'Voltage quality/Flicker' --phase L1", 1, "fits --phase"},
        // The job measures its interharmonics absolutely: order 2.5 relative has no channel.
        {"--aoa 'Voltage quality/Interharmonic 2.5'", 1, "gives no channel"},
        {"--aoa 'Voltage quality/Flicker' --aoa-file "
         "/nonexistent/x.aoa",
         1, "cannot open"},
        {"--aoa Flicker", 2, "GROUP/APPLICATION"},
        {"--aoa 'Voltage quality/Flicker' --channel 1011", 2, "exclude each other"},
        {"--aoa 'Voltage quality/Flicker' --phase L4", 2, "--phase takes"},
    };
    for (const Case& c : cases) {
        const test::ProgramResult r =
            Cli("timeplot " + ShellQuote(file) + " " + c.options + " --json");
        EXPECT_EQ(r.status, c.status) << c.options << "\n" << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << c.options << "\n" << r.output;
    }
}

TEST_F(CliTimeplotAoa, PrintTimeplotDrawsTheApplication) {
    const std::string pdf = dir.File("aoa.pdf");
    const test::ProgramResult printed = Cli("print timeplot " + ShellQuote(file) +
                                            " --aoa 'Load/Currents' --output " + ShellQuote(pdf));
#ifndef VARELO_CLI_PRINTS
    EXPECT_EQ(printed.status, 1) << "a build without the desktop program cannot print";
    return;
#endif
    ASSERT_EQ(printed.status, 0) << printed.output;
    EXPECT_EQ(test::ReadAll(pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(Cli("print timeplot " + ShellQuote(file) + " --aoa 'Load/None' --output " +
                  ShellQuote(dir.File("none.pdf")))
                  .status,
              1);
}

}  // namespace
}  // namespace varelo
