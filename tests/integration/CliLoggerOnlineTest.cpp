#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;

TEST(CliLoggerOnline, OneRowPerPollAndNoneWithoutAJob) {
    test::TempDir dir;
    const std::string link = dir.File("ttyLogger");
    auto cli = [&](const std::string& args) {
        return RunProgram(
            test::BuiltProgramLine(dir.Path(), "varelo-cli", args, {{"VARELO_COM1", link}}));
    };
    {
        test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
        ASSERT_TRUE(sim.Serve(link, {})) << sim.Output();
        const test::ProgramResult r = cli("logger online --seconds 3 --channel 1011 --channel 2");
        ASSERT_EQ(r.status, 0) << r.output;
        EXPECT_NE(r.output.find("Date/Time,"), std::string::npos) << r.output;
        // The header and three rows of a time and two values.
        size_t rows = 0;
        for (size_t at = r.output.find("\n20"); at != std::string::npos;
             at = r.output.find("\n20", at + 1))
            ++rows;
        EXPECT_EQ(rows, 3u) << r.output;
    }
    test::SimProcess sim(std::string(VARELO_BIN_DIR) + "/logger-sim");
    ASSERT_TRUE(
        sim.Serve(link, {"--scenario", std::string(VARELO_SIM_SCENARIOS_DIR) + "/301b-basic.ini"}))
        << sim.Output();
    const test::ProgramResult basic = cli("logger online --seconds 1");
    EXPECT_EQ(basic.status, 1);
    EXPECT_NE(basic.output.find("1089"), std::string::npos) << basic.output;
}

}  // namespace
}  // namespace varelo
