#include <gtest/gtest.h>

#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

std::string Cli(const test::TempDir& home, const std::string& port, const std::string& args) {
    return test::BuiltProgramLine(home.Path(), "varelo-cli", args, {{"VARELO_COM1", port}});
}

TEST(CliLoggerConnect, ConnectsToTheSimulatedLogger) {
    test::TempDir dir;
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    std::string link = dir.File("ttyLogger");
    ASSERT_TRUE(sim.Serve(link, {})) << sim.Output();

    test::ProgramResult run = RunProgram(Cli(dir, link, "logger connect --port 1"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Connect: 1 (connected, the Logger is ready)"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("State character: '+'"), std::string::npos) << run.output;
}

TEST(CliLoggerConnect, MissingPortShowsTheOpenFailureAndFails) {
    test::TempDir dir;
    test::ProgramResult run = RunProgram(Cli(dir, dir.File("no-such-port"), "logger connect"));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("error 718: Error serial interface COM1!"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Error: 2 - No such file or directory"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("warning 322: Cannot connect to a Logger."), std::string::npos);
}

TEST(CliLoggerConnect, BadOptionsAreUsageErrors) {
    test::TempDir dir;
    for (const char* args : {"logger connect --port 10", "logger connect --bogus", "nothing"}) {
        test::ProgramResult run = RunProgram(Cli(dir, "/dev/null", args));
        EXPECT_EQ(run.status, 2) << args << run.output;
    }
}

}  // namespace
}  // namespace varelo
