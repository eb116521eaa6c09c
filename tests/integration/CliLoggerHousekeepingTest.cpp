#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
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

// A question is answered No unless --yes is given, and No is a refusal (exit 1). Each run
// waits the seconds the Logger's interface needs after the port opens, so the runs are few.
TEST(CliLoggerHousekeeping, QuestionsNeedYesAndTheNameReachesTheLogger) {
    test::TempDir dir;
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    const std::string log = dir.File("sim.log");
    ASSERT_TRUE(sim.Serve(
        link,
        {"--scenario", std::string(VARELO_SIM_SCENARIOS_DIR) + "/301b-basic.ini", "--log", log}))
        << sim.Output();

    test::ProgramResult stop = RunProgram(Cli(dir, link, "logger stop --port 1"));
    EXPECT_EQ(stop.status, 1) << stop.output;
    EXPECT_NE(stop.output.find("warning 257: Warning:"), std::string::npos) << stop.output;
    EXPECT_NE(stop.output.find("[no]"), std::string::npos) << stop.output;

    test::ProgramResult name = RunProgram(Cli(dir, link, "logger name abc --port 1 --yes"));
    EXPECT_EQ(name.status, 0) << name.output;
    EXPECT_NE(name.output.find("message 258: Warning:"), std::string::npos)
        << "the active job is cleared first\n"
        << name.output;
    std::stringstream commands;
    commands << std::ifstream(log).rdbuf();
    EXPECT_NE(commands.str().find("designation \"abc                 \""), std::string::npos)
        << commands.str();

    EXPECT_EQ(RunProgram(Cli(dir, link, "logger clock --port 1")).status, 2);
    EXPECT_EQ(RunProgram(Cli(dir, link, "logger clock --set \"1981-12-31 23:59:59\"")).status, 2);
}

}  // namespace
}  // namespace varelo
