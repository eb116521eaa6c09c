#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo::test {

// A test on a generated week of function A (230 V, three phases, absolute interharmonic
// channels) in a temporary folder, with the built command-line program to run on it.
class GeneratedWeekTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir.File("week.VXM");

    void SetUp() override {
        ASSERT_EQ(RunProgram(BuiltProgramLine(dir.Path(), "logger-sim",
                                              "generate --function A --intervals 1008 --output " +
                                                  ShellQuote(file)))
                      .status,
                  0);
    }
    ProgramResult Cli(const std::string& args) {
        return RunProgram(BuiltProgramLine(dir.Path(), "varelo-cli", args));
    }
};

}  // namespace varelo::test
