#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Paths.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "timeplot/AoaDefinition/AOARootObj.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliAoa : public ::testing::Test {
protected:
    test::TempDir dir;

    test::ProgramResult Cli(const std::string& args) {
        return RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli", args));
    }
    // Standard output alone, for the JSON.
    test::ProgramResult CliOut(const std::string& args) {
        return RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli", args) + " 2>/dev/null");
    }
};

TEST_F(CliAoa, ShowJsonThenWriteGivesTheShippedDefaultsBackByteForByte) {
    for (const char* code : {"ENG", "GER", "CHN"}) {
        const std::string shipped = DataFolder() + "/Default-" + code + ".aoa";
        ASSERT_TRUE(std::filesystem::exists(shipped)) << shipped;
        const test::ProgramResult shown = CliOut("aoa show --json " + ShellQuote(shipped));
        ASSERT_EQ(shown.status, 0) << shown.output;
        dir.Write("def.json", shown.output);
        const test::ProgramResult written = Cli("aoa write " + ShellQuote(dir.File("def.json")) +
                                                " --output " + ShellQuote(dir.File("out.aoa")));
        ASSERT_EQ(written.status, 0) << written.output;
        EXPECT_EQ(FileBytes(dir.File("out.aoa")), FileBytes(shipped)) << code;
    }
    CAOARootObj root;
    ASSERT_EQ(root.Read(DataFolder() + "/Default-ENG.aoa", 0), AoaReadError::None);
    EXPECT_EQ(root.Count(), 2u);  // functions A and P

    const test::ProgramResult text =
        Cli("aoa show " + ShellQuote(DataFolder() + "/Default-ENG.aoa"));
    ASSERT_EQ(text.status, 0) << text.output;
    EXPECT_NE(text.output.find("Function A"), std::string::npos) << text.output;
    EXPECT_NE(text.output.find("Application \"Slow voltage variations\" (All)"), std::string::npos);
    EXPECT_NE(text.output.find("quantity 11: Nominal -15 .. Nominal 15"), std::string::npos);
}

TEST_F(CliAoa, WriteKeepsFloatsJsonCannotCarry) {
    const std::string json = R"({"entries": [{"key": 10, "groups": [{"name": "G",
        "applications": [{"phaseMode": 2, "name": "App", "limitFile": "", "description": "D",
        "channels": [{"phase": 0, "quantity": 11, "frequencyMeasurement": 0,
        "frequencyOrOrder": "0x7FC00001", "principle": 0, "beginType": 3, "beginValue": -10,
        "endType": 3, "endValue": 10, "rounding": 0}]}]}]}]})";
    dir.Write("nan.json", json);
    ASSERT_EQ(Cli("aoa write " + ShellQuote(dir.File("nan.json")) + " --output " +
                  ShellQuote(dir.File("nan.aoa")))
                  .status,
              0);
    EXPECT_EQ(FileBytes(dir.File("nan.aoa")).size(), 235u);
    const test::ProgramResult shown = CliOut("aoa show --json " + ShellQuote(dir.File("nan.aoa")));
    EXPECT_NE(shown.output.find("\"frequencyOrOrder\": \"0x7FC00001\""), std::string::npos)
        << shown.output;
}

TEST_F(CliAoa, RefusesBadInputAndLeavesNoFile) {
    const std::string good = R"({"entries": [{"key": 3, "groups": []}]})";
    const struct {
        std::string json;
        std::string says;
    } cases[] = {
        {"{\"entries\": [", "not JSON"},
        {R"({"entries": [{"key": 3, "groups": [], "colour": 1}]})", "unknown field \"colour\""},
        {R"({"entries": [{"key": -1, "groups": []}]})", "\"key\" out of its range"},
        {R"({"entries": [{"key": 3, "groups": [{"name": "G"}]}]})", "lacks \"applications\""},
        {R"({"entries": [{"key": 1, "groups": []}, {"key": 1, "groups": []}]})", "repeats key 1"},
        {R"({"entries": [{"key": 1, "groups": []}, {"key": 2, "groups": []},
            {"key": 3, "groups": []}, {"key": 4, "groups": []}, {"key": 5, "groups": []}]})",
         "fifth entry"},
    };
    for (const auto& c : cases) {
        dir.Write("bad.json", c.json);
        const test::ProgramResult r = Cli("aoa write " + ShellQuote(dir.File("bad.json")) +
                                          " --output " + ShellQuote(dir.File("bad.aoa")));
        EXPECT_EQ(r.status, 1) << c.json;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_FALSE(std::filesystem::exists(dir.File("bad.aoa"))) << c.json;
    }
    dir.Write("good.json", good);
    ASSERT_EQ(Cli("aoa write " + ShellQuote(dir.File("good.json")) + " --output " +
                  ShellQuote(dir.File("v2.aoa")))
                  .status,
              0);
    std::string file = FileBytes(dir.File("v2.aoa"));
    file[0] = 2;
    dir.Write("v2.aoa", file);
    const test::ProgramResult r = Cli("aoa show " + ShellQuote(dir.File("v2.aoa")));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("61879: " + dir.File("v2.aoa") + " contains an incorrect schema."),
              std::string::npos)
        << r.output;
    EXPECT_EQ(Cli("aoa show " + ShellQuote(dir.File("missing.aoa"))).status, 1);
}

}  // namespace
}  // namespace varelo
