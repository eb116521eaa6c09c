#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "evaluation/LimitValueFile.h"
#include "evaluation/LimitValues.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

class CliLimits : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string base = dir.File("base.gwd");

    void SetUp() override {
        ASSERT_EQ(Cli("limits default --output " + ShellQuote(base)).status, 0);
    }
    test::ProgramResult Cli(const std::string& args) {
        return RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli", args));
    }
};

TEST_F(CliLimits, SetAppliesTheEditorsRulesAndWritesTheFile) {
    const test::ProgramResult r =
        Cli("limits set " + ShellQuote(base) + " --output " + ShellQuote(dir.File("new")) +
            " NrEvents=32768 InterruptionLimit=5 FlickPst=0.8 'Text=a</t>b' --harmonic 3=0"
            " --interharmonic 100=0.5 --signalling 1052=3.5 --vse 10,100,10000"
            " --current-harmonic 5=1.2");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("NrEvents 32768 replaced by 100"), std::string::npos) << r.output;
    CLimitValues l;
    ASSERT_TRUE(ReadLimitFile(dir.File("new.gwd"), l));  // the extension completed
    EXPECT_EQ(l.NrEvents, 100);
    EXPECT_EQ(l.InterruptionLimit, 5);
    EXPECT_EQ(l.FlickPst, 0.8f);
    EXPECT_EQ(l.Text, "ab");
    EXPECT_EQ(l.HarmonicLimit(3), 0.0f);
    EXPECT_EQ(l.HarmonicLimit(5), 6.0f);
    EXPECT_EQ(l.Harm[18], 0.5f);  // bin 95 Hz
    EXPECT_EQ(l.SignallingLimit(1050), 3.5f);
    EXPECT_EQ(l.CurrentHarmonicLimit(5), 1.2f);
    EXPECT_EQ(l.CurrentHarmonicLimit(3), 0.0f);  // offered 6 x 0.1, but not selected
    EXPECT_EQ(l.CurrTHD, 20.0f);
}

TEST_F(CliLimits, RefusalsUseTheEditorsMessagesAndWriteNothing) {
    struct Case {
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {"InterruptionLimit=41", "error 61714: Please enter an integer between 1 and 40."},
        {"--harmonic 51=1", "error 171: The rank of the harmonic must be within 2 to 50."},
        {"--harmonic 7=101", "error 166: The value for the limit value must be within 0% to 100%"},
        {"--signalling 3007=1", "error 164: The frequency must be within 100 Hz to 3000 Hz"},
        {"--vse 10,0,100", "error 1378: The value for 'Rated apparent power SA' must be greater"},
        {"--interharmonic 110=1 --interharmonic 120=1 --interharmonic 130=1 --interharmonic 140=1 "
         "--interharmonic 160=1 --interharmonic 170=1 --interharmonic 180=1 --interharmonic 190=1 "
         "--interharmonic 210=1 --interharmonic 220=1 --interharmonic 230=1",
         "error 169: A maximum of 10 limit values"},
    };
    const std::string out = dir.File("refused.gwd");
    for (const Case& c : cases) {
        const test::ProgramResult r =
            Cli("limits set " + ShellQuote(base) + " --output " + ShellQuote(out) + " " + c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_NE(r.output.find(c.message), std::string::npos) << r.output;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(Cli("limits set " + ShellQuote(base) + " --output x.gwd Nothing=1").status, 2);
}

TEST_F(CliLimits, ShowJsonAndPrint) {
    const test::ProgramResult shown = Cli("limits show " + ShellQuote(base) + " --json");
    ASSERT_EQ(shown.status, 0) << shown.output;
    EXPECT_NE(shown.output.find("\"NrEvents\": 100,"), std::string::npos) << shown.output;
    EXPECT_NE(shown.output.find("{\n      \"order\": 3,\n      \"limit\": 5\n    }"),
              std::string::npos);
    const std::string pdf = dir.File("limits.pdf");
    const test::ProgramResult printed =
        Cli("limits print " + ShellQuote(base) + " --output " + ShellQuote(pdf));
#ifndef VARELO_CLI_PRINTS
    EXPECT_EQ(printed.status, 1) << "a build without the desktop program cannot print";
    return;
#endif
    ASSERT_EQ(printed.status, 0) << printed.output;
    EXPECT_EQ(test::ReadAll(pdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(Cli("limits print " + ShellQuote(dir.File("none.gwd")) + " --output x.pdf").status,
              1);
}

}  // namespace
}  // namespace varelo
