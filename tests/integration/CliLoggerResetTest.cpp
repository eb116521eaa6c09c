#include <gtest/gtest.h>

#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

std::string Cli(const test::TempDir& home, const std::string& port, const std::string& args) {
    return test::BuiltProgramLine(home.Path(), "varelo-cli", args, {{"VARELO_COM1", port}});
}

bool Has(const std::string& output, const std::string& text) {
    return output.find(text) != std::string::npos;
}

// The shipped reset package into a Logger in its bootstrap mode, without prompts.
TEST(CliLoggerReset, NoPromptResetReachesStep5) {
    test::TempDir dir;
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    ASSERT_TRUE(sim.Serve(link, {"--bootstrap"})) << sim.Output();

    test::ProgramResult run =
        test::RunProgram(Cli(dir, link, "logger reset --type \"Logger 408b\" --no-prompt"));
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* text :
         {"Please make sure that the Logger is properly connected to the COM1 port.",
          "a) Activating connection", "d) Downloading the CPU program",
          "e) Logger restart and check in progress.", "18 / 18  Done",
          "Step 5\nThe Logger is ready for operation now. Press the 'OK' button."})
        EXPECT_TRUE(Has(run.output, text)) << text << "\n" << run.output;
    EXPECT_FALSE(Has(run.output, "press Enter"));
}

// A Logger still running its application answers in step 1: 816, and exit status 1.
TEST(CliLoggerReset, LoggerSwitchedOnFailsWith816) {
    test::TempDir dir;
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    ASSERT_TRUE(sim.Serve(link, {})) << sim.Output();

    test::ProgramResult run = test::RunProgram(Cli(dir, link, "logger reset --no-prompt"));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(Has(run.output, "816: Cannot continue, the Logger must be switched off."))
        << run.output;
    EXPECT_TRUE(Has(run.output, "ended with error 816")) << run.output;
    EXPECT_FALSE(Has(run.output, "Step 3")) << run.output;
}

TEST(CliLoggerReset, UnknownTypeIsAUsageError) {
    test::TempDir dir;
    test::ProgramResult run =
        test::RunProgram(Cli(dir, dir.File("none"), "logger reset --type \"Logger 300b\""));
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_TRUE(Has(run.output, "\"Logger 404b\" \"Logger 408b\"")) << run.output;
}

}  // namespace
}  // namespace varelo
