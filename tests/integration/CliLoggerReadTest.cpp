#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

std::string Cli(const test::TempDir& home, const std::string& port, const std::string& args) {
    return test::BuiltProgramLine(home.Path(), "varelo-cli", args, {{"VARELO_COM1", port}});
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A small function A measurement, so that the real-time transfer stays short.
std::string WriteScenario(const test::TempDir& dir) {
    const std::string path = dir.File("small.ini");
    std::ofstream(path) << "[Logger]\nstate = +\n\n[Measurement]\nfunction = A\nintervals = "
                           "6\ninterval = 600\nseed = 3\n";
    return path;
}

// Each run waits the seconds the Logger's interface needs after the port opens: few cases.
TEST(CliLoggerRead, WritesTheFileAndRefusesToOverwriteWithoutForce) {
    test::TempDir dir;
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    ASSERT_TRUE(sim.Serve(link, {"--scenario", WriteScenario(dir)})) << sim.Output();
    const std::string target = dir.File("m1.VXM");

    test::ProgramResult run = test::RunProgram(
        Cli(dir, link, "logger read --port 1 --output " + test::ShellQuote(target)));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Logger - Read results"), std::string::npos) << run.output;
    // Six intervals numbered from 0.
    EXPECT_NE(Contents(target).find("<i>,5,"), std::string::npos);

    { std::ofstream(target) << "kept"; }
    run = test::RunProgram(
        Cli(dir, link, "logger read --port 1 --output " + test::ShellQuote(target)));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("--force"), std::string::npos) << run.output;
    EXPECT_EQ(Contents(target), "kept");

    run = test::RunProgram(
        Cli(dir, link, "logger read --port 1 --force --output " + test::ShellQuote(target)));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(Contents(target).find("<i>,5,"), std::string::npos);
}

TEST(CliLoggerRead, OldJobOfAnActiveLoggerIsRefusedWithItsMessage) {
    test::TempDir dir;
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    const std::string link = dir.File("ttyLogger");
    const std::string scenario = dir.File("active.ini");
    std::ofstream(scenario) << "[Logger]\nstate = +\n\n[CurrentJob]\nstate = A\nintervals = 5\n";
    ASSERT_TRUE(sim.Serve(link, {"--scenario", scenario})) << sim.Output();
    const std::string target = dir.File("old.VXM");
    const test::ProgramResult run = test::RunProgram(
        Cli(dir, link, "logger read --old --port 1 --output " + test::ShellQuote(target)));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("1098: Old job is not available"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace varelo
