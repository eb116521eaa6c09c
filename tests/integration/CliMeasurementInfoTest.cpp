#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementFileReader.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class CliMeasurementInfo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunProgram(test::BuiltProgramLine(
                                 dir.Path(), "logger-sim",
                                 "generate --function A --intervals 1008 --seed 3 --output " +
                                     ShellQuote(path)))
                      .status,
                  0);
    }
    test::ProgramResult Cli(const std::string& args) {
        return RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli", args));
    }
    // The value of a row in the JSON: "key": "K", ..., "value": "V".
    static std::string JsonValue(const std::string& json, const std::string& key) {
        std::smatch m;
        const std::regex row("\"key\": \"" + key +
                             "\",\\s*\"label\": \"[^\"]*\",\\s*\"value\": \"([^\"]*)\"");
        return std::regex_search(json, m, row) ? m[1].str() : "(missing)";
    }

    test::TempDir dir;
    std::string path = dir.File("week.VXM");
};

TEST_F(CliMeasurementInfo, JsonHoldsTheRowsOfTheInformationDialogs) {
    const test::ProgramResult run = Cli("info " + ShellQuote(path) + " --json");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string& json = run.output;
    EXPECT_EQ(JsonValue(json, "function"), "A");
    EXPECT_EQ(JsonValue(json, "inputRange"), "230 V, P-N, 50 Hz");
    EXPECT_EQ(JsonValue(json, "intervals"), "10 minutes,  linear");
    // The generated week: time job, 600 s, exactly seven days in 1008 linear intervals.
    for (const char* key : {"timeJob", "interval10Minutes", "duration1Week", "lessThan1050Events"})
        EXPECT_EQ(JsonValue(json, key), "Yes") << key;
    EXPECT_NE(json.find("\"caption\": \"1008 Intervals\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"interharmonics\": ["), std::string::npos);
    // Counted, not "?": the command counts the records it read.
    EXPECT_NE(JsonValue(json, "lineInterruptions"), "?");
    // The plain form stays what it was.
    const test::ProgramResult plain = Cli("info " + ShellQuote(path));
    ASSERT_EQ(plain.status, 0);
    EXPECT_NE(plain.output.find("Measurement period:"), std::string::npos);
}

TEST_F(CliMeasurementInfo, TextsChangeTheJobThroughItsReplacementOnly) {
    CMeasurementJob before;
    ASSERT_TRUE(ReadJobFile(path, before));
    test::ProgramResult run =
        Cli("texts " + ShellQuote(path) + " --title '2=Feeder' --text '6=Substation North'");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("2\tFeeder\t"), std::string::npos) << run.output;
    CMeasurementJob after;
    ASSERT_TRUE(ReadJobFile(path, after));
    EXPECT_EQ(after.JobTitle[1], "Feeder");
    EXPECT_EQ(after.JobText[5], "Substation North");
    before.JobTitle[1] = "Feeder";
    before.JobText[5] = "Substation North";
    EXPECT_EQ(after, before);
    MeasurementData data;
    EXPECT_TRUE(ReadMeasurementFile(path, data));  // the records came through
    EXPECT_EQ(data.intervals.size(), 1008u);

    // The same texts again, no options, a refused text, a bad line number: nothing written.
    const std::string bytes = FileBytes(path);
    const auto written = std::filesystem::last_write_time(path);
    struct Case {
        const char* args;
        int status;
    } cases[] = {{" --title '2=Feeder'", 0},
                 {"", 0},
                 {" --text '1=a</t>b=c'", 2},
                 {" --title '7=x'", 2},
                 {" --title 'x'", 2}};
    for (const Case& c : cases) {
        run = Cli("texts " + ShellQuote(path) + c.args);
        EXPECT_EQ(run.status, c.status) << c.args << run.output;
        EXPECT_EQ(FileBytes(path), bytes) << c.args;
        EXPECT_EQ(std::filesystem::last_write_time(path), written) << c.args;
    }
    EXPECT_NE(Cli("texts " + ShellQuote(path) + " --text '1=a</t>b=c'").output.find(" 2200: "),
              std::string::npos);
}

TEST_F(CliMeasurementInfo, TextsOnAFileWithoutAcceptedHeaderShow374AndKeepIt) {
    const std::string broken = dir.File("broken.VXM");
    std::string bytes = FileBytes(path);
    bytes.replace(bytes.find("<Version>1.0.2</Version>"), 24, "<Version>7.7.7</Version>");
    { std::ofstream(broken, std::ios::binary) << bytes; }
    const test::ProgramResult run = Cli("texts " + ShellQuote(broken) + " --title '1=New'");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find(" 374: "), std::string::npos) << run.output;
    EXPECT_EQ(FileBytes(broken), bytes);
    EXPECT_FALSE(std::filesystem::exists(broken + ".temp"));
}

}  // namespace
}  // namespace varelo
