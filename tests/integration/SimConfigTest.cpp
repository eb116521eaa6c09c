#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sim/ByteText.h"
#include "sim/ScenarioFile.h"
#include "sim/SimOptions.h"
#include "support/TempDir.h"

namespace varelo::sim {
namespace {

TEST(SimConfig, CommandBytesAreOneCharacterOrHex) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"y", 'y'}, {":", ':'},  {"0x1B", 0x1B}, {"0xff", 0xFF}, {"0X00", 0x00}, {"", -1},
        {"yy", -1}, {"0x1", -1}, {"0x1G", -1},   {"0x123", -1},  {"1B", -1},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        uint8_t byte = 0;
        EXPECT_EQ(ParseByte(text, byte), expected >= 0);
        if (expected >= 0) {
            EXPECT_EQ(byte, expected);
        }
    }
}

TEST(SimConfig, DropAndCorruptRules) {
    const std::vector<std::tuple<std::string, int, int>> drops = {
        {"y:2", 'y', 2}, {"0x1B:0", 0x1B, 0}, {"::3", ':', 3}, {"y", -1, 0},  {"y:", -1, 0},
        {"y:-1", -1, 0}, {"y:2x", -1, 0},     {"yy:2", -1, 0}, {":2", -1, 0},
    };
    for (const auto& [text, command, count] : drops) {
        SCOPED_TRACE(text);
        uint8_t c = 0;
        int n = -1;
        std::string error;
        EXPECT_EQ(ParseDropRule(text, c, n, error), command >= 0);
        if (command >= 0) {
            EXPECT_EQ(std::make_pair(int(c), n), std::make_pair(command, count));
        } else {
            EXPECT_NE(error.find(text), std::string::npos);
        }
    }

    const std::vector<std::pair<std::string, std::optional<CorruptRule>>> corrupts = {
        {"y:1:129", CorruptRule{'y', 1, 129}},
        {"0x1B:3:0", CorruptRule{0x1B, 3, 0}},
        {"y:0:1", std::nullopt},  // transmissions count from 1
        {"y:1", std::nullopt},
        {"y:1:x", std::nullopt},
        {"y:1:2:3", std::nullopt},
    };
    for (const auto& [text, expected] : corrupts) {
        SCOPED_TRACE(text);
        CorruptRule rule;
        std::string error;
        EXPECT_EQ(ParseCorruptRule(text, rule, error), expected.has_value());
        if (expected) {
            EXPECT_EQ(rule, *expected);
        }
    }
}

TEST(SimConfig, CommandLineWithoutSubcommandServes) {
    const std::vector<std::string> args = {
        "--link", "/tmp/port", "--drop=y:2", "--drop",         "0x1B:1",  "--corrupt",
        "k:2:84", "--noise",   "3",          "--silent-after", "0",       "--state",
        "0x3F",   "--log",     "cmd.log",    "--scenario",     "busy.ini"};
    SimOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimOptions(args, options, error)) << error;
    EXPECT_EQ(options.command, "serve");
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.link, "/tmp/port");
    EXPECT_EQ(options.logFile, "cmd.log");
    EXPECT_EQ(options.scenarioFile, "busy.ini");
    EXPECT_EQ(options.state, '?');
    EXPECT_EQ(options.drops, (std::vector<std::pair<uint8_t, int>>{{'y', 2}, {0x1B, 1}}));
    EXPECT_EQ(options.corrupts, (std::vector<CorruptRule>{{'k', 2, 84}}));
    EXPECT_EQ(options.noise, 3);
    EXPECT_EQ(options.silentAfter, 0);

    const std::vector<std::string> explicitServe = {"serve", "--help"};
    ASSERT_TRUE(ParseSimOptions(explicitServe, options, error)) << error;
    EXPECT_EQ(options.command, "serve");
    EXPECT_TRUE(options.help);
}

TEST(SimConfig, BadCommandLinesSayWhatIsWrong) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--drop"}, "--drop needs a value"},
        {{"--link="}, "--link needs a value"},
        {{"--bogus", "1"}, "unknown option --bogus"},
        {{"generate"}, "unknown command 'generate'"},
        {{"serve", "extra"}, "unexpected argument 'extra'"},
        {{"--noise", "-1"}, "--noise"},
        {{"--silent-after", "many"}, "--silent-after"},
        {{"--state", "ab"}, "--state"},
        {{"--drop", "y"}, "bad drop rule 'y'"},
        {{"--corrupt", "y:0:1"}, "bad corrupt rule"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        SimOptions options;
        std::string error;
        EXPECT_FALSE(ParseSimOptions(args, options, error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

TEST(SimConfig, ScenarioFileSetsStateAndFaults) {
    Scenario scenario;
    FaultSettings faults;
    std::string error;
    ASSERT_TRUE(
        ParseScenarioText("; busy Logger\n"
                          "[logger]\nState = '$'\n"
                          "[Faults]\ndrop = y:2, 0x1B:1\ncorrupt=y:1:129,k:2:0\n"
                          "noise = 2\nsilent-after = 40\n",
                          scenario, faults, error))
        << error;
    EXPECT_EQ(scenario.state, '$');
    EXPECT_EQ(faults.drop, (std::map<uint8_t, int>{{'y', 2}, {0x1B, 1}}));
    EXPECT_EQ(faults.corrupt, (std::vector<CorruptRule>{{'y', 1, 129}, {'k', 2, 0}}));
    EXPECT_EQ(faults.noise, 2);
    EXPECT_EQ(faults.silentAfter, 40);
}

TEST(SimConfig, BootModeWaitsInTheBootProgram) {
    Scenario scenario;
    FaultSettings faults;
    std::string error;
    ASSERT_TRUE(ParseScenarioText("[Logger]\nboot-mode = yes\n", scenario, faults, error)) << error;
    EXPECT_EQ(scenario.state, 'P');
    EXPECT_FALSE(ParseScenarioText("[Logger]\nboot-mode = maybe\n", scenario, faults, error));
    EXPECT_NE(error.find("maybe"), std::string::npos) << error;

    SimOptions options;
    std::vector<std::string> args{"--boot", "--state", "+"};
    ASSERT_TRUE(ParseSimOptions(args, options, error)) << error;
    Scenario fromCommandLine;
    options.ApplyTo(fromCommandLine, faults);
    EXPECT_EQ(fromCommandLine.state, 'P');
}

TEST(SimConfig, ScenarioFileKeepsWhatItDoesNotName) {
    Scenario scenario{.state = 'P'};
    FaultSettings faults{.noise = 1};
    std::string error;
    ASSERT_TRUE(ParseScenarioText("[Faults]\ndrop = k:1\n", scenario, faults, error)) << error;
    EXPECT_EQ(scenario.state, 'P');
    EXPECT_EQ(faults, (FaultSettings{.drop = {{'k', 1}}, .noise = 1}));
}

TEST(SimConfig, BadScenarioFilesSayWhatIsWrong) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[Loger]\nstate=+\n", "unknown section [Loger]"},
        {"[Logger]\nsate=+\n", "unknown key 'sate' in [Logger]"},
        {"[Logger]\nstate=++\n", "[Logger] state"},
        {"[Faults]\ndrop=y:1, y\n", "bad drop rule 'y'"},
        {"[Faults]\ncorrupt=y:1\n", "bad corrupt rule"},
        {"[Faults]\nnoise=two\n", "[Faults] noise"},
        {"[Faults]\nsilent-after=-3\n", "[Faults] silent-after"},
        {"[Faults]\nstate=+\n", "unknown key 'state' in [Faults]"},
        {"[Clamp]\nsize=3\n", "unknown key 'size' in [Clamp]"},
        {"[Hardware]\ntype=" + std::string(31, 'x') + "\n", "longer than 30 characters"},
        {"[Hardware]\nvoltage-range=123\n", "[Hardware] voltage-range"},
        {"[Clamp]\nid=256\n", "not a number from 0 to 255"},
        {"[Clamp]\nmax-current=12A\n", "[Clamp] max-current"},
        {"[Clamp]\nserial=0A1B2C3D4E\n", "12 hexadecimal digits"},
        {"[Clamp]\nknown=perhaps\n", "not yes or no"},
        {"[Logger]\nclock=2023-02-29 10:00:00\n", "[Logger] clock"},
        {"[MaxNumbers]\nintervals=40000\n", "[MaxNumbers] intervals"},
        {"[CurrentJob]\nstate=a\n", "not one of ASFVK"},
        {"[OldJob]\nfunction=X\n", "not one of AP"},
        {"[OldJob]\nend=yesterday\n", "[OldJob] end"},
        {"[CurrentJob]\nintervals=5x\n", "[CurrentJob] intervals"},
        {"[Hardware]\ntype=301b\n[CurrentJob]\nintervals=40000\n", "counts at most 32767"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        Scenario scenario;
        FaultSettings faults;
        std::string error;
        EXPECT_FALSE(ParseScenarioText(text, scenario, faults, error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

TEST(SimConfig, ScenarioFileDescribesTheLogger) {
    Scenario scenario;
    FaultSettings faults;
    std::string error;
    ASSERT_TRUE(
        ParseScenarioText("[Logger]\nclock = 2024-02-29 23:59:58\ndesignation = North\n"
                          "online = U\n"
                          "[Hardware]\ntype = \"301b  x\"\nvoltage-range = 7\n"
                          "current-range = A1\n"
                          "[Clamp]\nknown = no\nid = 2\nmax-current = 1000.5\n"
                          "serial = 0a1B2c3D4e5F\n"
                          "[Software]\ncpu-version = 1.07\n"
                          "[MaxNumbers]\nintervals = -1\n"
                          "[OldJob]\nstate = K\nfunction = P\nintervals = 32767\n"
                          "statistics = -2\nstart = 1982-01-01 00:00:00\nend = none\n"
                          "[Jobs]\nkeep-old-on-write = yes\n",
                          scenario, faults, error))
        << error;
    EXPECT_EQ(scenario.clock, (SimDateTime{2024, 2, 29, 23, 59, 58}));
    EXPECT_EQ(scenario.designation, "North");
    EXPECT_EQ(scenario.online, 'U');
    EXPECT_EQ(scenario.hardware.type, "301b  x");
    EXPECT_FALSE(scenario.IsExtendedFamily());
    EXPECT_EQ(scenario.hardware.codes[2], "07");
    EXPECT_EQ(scenario.hardware.codes[3], "A1");
    EXPECT_FALSE(scenario.clamp.known);
    EXPECT_EQ(scenario.clamp.id, 2);
    EXPECT_EQ(scenario.clamp.maxCurrent, 1000.5f);
    EXPECT_EQ(scenario.clamp.serial, (std::array<uint8_t, 6>{0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}));
    EXPECT_EQ(scenario.software.cpuVersion, "1.07");
    EXPECT_EQ(scenario.maxNumbers.intervals, -1);
    EXPECT_TRUE(scenario.hasOldJob);
    const JobReport& old = scenario.jobs[1].report;
    EXPECT_EQ(old.state, 'K');
    EXPECT_EQ(scenario.jobs[1].function, 'P');
    EXPECT_EQ(old.intervals, 32767);
    EXPECT_EQ(old.statistics, -2);
    EXPECT_EQ(old.start, (SimDateTime{1982, 1, 1, 0, 0, 0}));
    EXPECT_FALSE(old.end);
    EXPECT_TRUE(scenario.keepOldJobOnWrite);

    ASSERT_TRUE(ParseScenarioText("[Logger]\nclock = now\n", scenario, faults, error)) << error;
    EXPECT_FALSE(scenario.clock);
}

TEST(SimConfig, ShippedScenarioFilesLoad) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VARELO_SIM_SCENARIOS_DIR)) {
        SCOPED_TRACE(entry.path().string());
        Scenario scenario;
        FaultSettings faults;
        std::string error;
        EXPECT_TRUE(LoadScenarioFile(entry.path().string(), scenario, faults, error)) << error;
        ++files;
    }
    EXPECT_GE(files, 4);
}

TEST(SimConfig, CommandLineWinsOverTheScenarioFile) {
    test::TempDir dir;
    dir.Write("s.ini", "[Logger]\nstate=$\n[Faults]\ndrop=y:2,k:1\ncorrupt=y:1:0\nnoise=4\n");
    Scenario scenario;
    FaultSettings faults;
    std::string error;
    ASSERT_TRUE(LoadScenarioFile(dir.File("s.ini"), scenario, faults, error)) << error;

    SimOptions options;
    const std::vector<std::string> args = {"--state",   "+",     "--drop",         "y:5",
                                           "--corrupt", "y:2:1", "--silent-after", "9"};
    ASSERT_TRUE(ParseSimOptions(args, options, error)) << error;
    options.ApplyTo(scenario, faults);

    EXPECT_EQ(scenario.state, '+');
    EXPECT_EQ(faults, (FaultSettings{.drop = {{'y', 5}, {'k', 1}},
                                     .corrupt = {{'y', 1, 0}, {'y', 2, 1}},
                                     .noise = 4,
                                     .silentAfter = 9}));
}

TEST(SimConfig, MissingScenarioFileNamesThePath) {
    Scenario scenario;
    FaultSettings faults;
    std::string error;
    EXPECT_FALSE(LoadScenarioFile("/nonexistent/s.ini", scenario, faults, error));
    EXPECT_NE(error.find("/nonexistent/s.ini"), std::string::npos);
}

}  // namespace
}  // namespace varelo::sim
