#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>

#include "support/SerialClient.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace varelo::test {
namespace {

const std::string kSimProgram = VARELO_BIN_DIR "/logger-sim";

TEST(LoggerSimProgram, ServesOnItsLinkAndCleansUpWhenStopped) {
    for (int stopSignal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(stopSignal);
        TempDir dir;
        dir.Write("busy.ini", "[Logger]\nstate = $\n");
        std::string link = dir.File("port");
        SimProcess sim(kSimProgram);
        ASSERT_TRUE(sim.Serve(link, {"--scenario", dir.File("busy.ini"), "--noise", "1", "--log",
                                     dir.File("commands.log")}))
            << sim.Output();

        SerialClient client(link);
        ASSERT_TRUE(client.IsOpen()) << client.OpenError().text;
        ASSERT_TRUE(client.Send("\x1b"));
        EXPECT_EQ(client.Read(2), std::string("\0$", 2));
        client.Close();

        ASSERT_TRUE(sim.Signal(stopSignal));
        EXPECT_EQ(sim.Wait(), 0) << sim.Output();
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
        std::ifstream log(dir.File("commands.log"));
        std::string line, more;
        ASSERT_TRUE(std::getline(log, line));
        EXPECT_NE(line.find("1B"), std::string::npos) << line;
        EXPECT_FALSE(std::getline(log, more)) << more;
    }
}

TEST(LoggerSimProgram, BadArgumentsEndItWithAMessage) {
    TempDir dir;
    dir.Write("bad.ini", "[Faults]\nnoise = lots\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--drop", "y"}, "bad drop rule"},
        {{"--scenario", dir.File("bad.ini")}, "[Faults] noise"},
        {{"--scenario", dir.File("missing.ini")}, "missing.ini"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        SimProcess sim(kSimProgram);
        ASSERT_TRUE(sim.Start(args));
        EXPECT_EQ(sim.Wait(), 2);
        EXPECT_NE(sim.Output().find(message), std::string::npos) << sim.Output();
    }
}

}  // namespace
}  // namespace varelo::test
