#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;

std::string Cli(const test::TempDir& home, const std::string& port, const std::string& args) {
    return test::BuiltProgramLine(home.Path(), "varelo-cli", args, {{"VARELO_COM1", port}});
}

// A job made offline goes to a Logger whose firmware is that of the packages and comes back
// from it. Each Logger run waits the seconds its interface needs after the port opens.
TEST(CliJobTransfer, ANewJobIsWrittenToTheLoggerAndReadBack) {
    test::TempDir dir;
    const std::string scenario = dir.File("logger.ini");
    std::ofstream(scenario) << "[Logger]\nstate = +\n\n[Hardware]\n"
                               "type = \"408b Power Logger   1\"\nboot-version = 1.20\n"
                               "calibration = 2024-01-15\n\n[Software]\ncpu-version = 5.03\n"
                               "dsp-version = 5.03\n\n[CurrentJob]\nstate = K\n";
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    ASSERT_TRUE(sim.Serve(link, {"--scenario", scenario})) << sim.Output();

    const std::string job = dir.File("week.aua");
    test::ProgramResult made = RunProgram(Cli(dir, link, "job new --function A --output " + job));
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_EQ(RunProgram(Cli(dir, link, "job check " + job)).status, 0);

    test::ProgramResult written =
        RunProgram(Cli(dir, link, "logger write-job " + job + " --port 1"));
    EXPECT_EQ(written.status, 0) << written.output;
    EXPECT_NE(written.output.find("message 248: Job has been saved successfully."),
              std::string::npos)
        << written.output;

    const std::string back = dir.File("back.aua");
    test::ProgramResult read = RunProgram(Cli(dir, link, "logger read-job --output " + back));
    ASSERT_EQ(read.status, 0) << read.output;
    const std::string shownBack = RunProgram(Cli(dir, link, "job show " + back)).output;
    const std::string shownMade = RunProgram(Cli(dir, link, "job show " + job)).output;
    EXPECT_EQ(shownBack, shownMade);

    // The old job of a Logger that holds only the new one is refused with 1098.
    test::ProgramResult old =
        RunProgram(Cli(dir, link, "logger read-job --old --output " + dir.File("old.aua")));
    EXPECT_EQ(old.status, 1) << old.output;
    EXPECT_NE(old.output.find("1098"), std::string::npos) << old.output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("old.aua")));
}

}  // namespace
}  // namespace varelo
