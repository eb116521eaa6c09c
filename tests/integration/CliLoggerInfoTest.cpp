#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Every run waits the five seconds the Logger's interface needs after the port opens, so the
// cases are few and each checks much.
TEST(CliLoggerInfo, PrintsWhatTheLoggerReportsAsTextOrJson) {
    struct Case {
        const char* scenario;
        const char* args;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"408b-function-A.ini",
         "logger info --port 1",
         {"Hardware type:          Logger 408b\n"
          "                        408b Power Logger   1\n",
          "Serial number:          408-100234\n", "Current sensor type:    3\n",
          "Max. clamp current:     1000 A\n",
          "Status:                 Job is completed, old job is available\n",
          "Interval capacity:      8066\n", "Measurement function:   A           P\n",
          "Number of intervals:    4032 (*)    1008\n", "Events completed:       17 (**)     3\n",
          "CPU software:           5.02/  A;CPU 408\n"}},
        {"404b-on-402.ini",
         "logger info --port 1 --json",
         {"\"deviceType\": \"Logger 402b on 404b hardware, 3 voltage and 3 current inputs\"",
          "\"typeCode\": \"404b\"", "\"clamp\": {\n    \"id\": 5,\n    \"maxCurrent\": 600\n  }",
          "\"clock\": \"2024-06-01 09:00:00\"", "\"letter\": \"V\"",
          "\"currentJob\": {\n    \"function\": \"P\",\n    \"intervals\": 0,\n",
          "\"oldJob\": null\n}\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.scenario) + " " + c.args);
        test::TempDir dir;
        test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
        std::string link = dir.File("ttyLogger");
        ASSERT_TRUE(sim.Serve(
            link, {"--scenario", std::string(VARELO_SIM_SCENARIOS_DIR) + "/" + c.scenario}))
            << sim.Output();

        test::ProgramResult run = RunProgram(Cli(dir, link, c.args));
        EXPECT_EQ(run.status, 0) << run.output;
        for (const std::string& text : c.expected)
            EXPECT_NE(run.output.find(text), std::string::npos) << text << "\n---\n" << run.output;
    }
}

TEST(CliLoggerInfo, FailedConnectionShowsTheMessageAndFails) {
    test::TempDir dir;
    test::ProgramResult run =
        RunProgram(Cli(dir, dir.File("no-such-port"), "logger info --port 1 --json"));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("warning 322: Cannot connect to a Logger."), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find('{'), std::string::npos) << run.output;
}

}  // namespace
}  // namespace varelo
