// Every window of the desktop program drawn in each language module: no text may be left in
// English where the module translates it (varelo-screenshots exits 3 and lists them).
#include <gtest/gtest.h>

#include <string>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo::test {
namespace {

class LanguageWalkTest : public ::testing::TestWithParam<const char*> {};

TEST_P(LanguageWalkTest, EveryWindowOfAWeekShowsNoEnglishLeftover) {
    TempDir dir;
    const std::string week = dir.File("week.VXM");
    const ProgramResult generated = RunProgram(
        BuiltProgramLine(dir.Path(), "logger-sim",
                         "generate --function A --intervals 1008 --output " + ShellQuote(week)));
    ASSERT_EQ(generated.status, 0) << generated.output;

    const ProgramResult walk =
        RunProgram(BuiltProgramLine(dir.Path(), "varelo-screenshots",
                                    std::string("--language ") + GetParam() + " " +
                                        ShellQuote(week) + " " + ShellQuote(dir.File("shots")),
                                    {{"QT_QPA_PLATFORM", "offscreen"}}));
    EXPECT_EQ(walk.status, 0) << walk.output;
}

INSTANTIATE_TEST_SUITE_P(Modules, LanguageWalkTest,
                         ::testing::Values("GER", "FRA", "ITL", "SPA", "PTG", "CHN"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace varelo::test
