#include <gtest/gtest.h>

#include <regex>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "evaluation/MostCriticalValues.h"
#include "evaluation/StatisticalValues.h"
#include "platform/Paths.h"
#include "support/RecordingUserInterface.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

// One generated week of function A, and the same file opened in process.
class CliReportsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir;
        ASSERT_EQ(RunProgram(test::BuiltProgramLine(dir_->Path(), "logger-sim",
                                                    "generate --function A --intervals 1008 "
                                                    "--output " +
                                                        ShellQuote(File())))
                      .status,
                  0);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static std::string File() { return dir_->File("week.VXM"); }
    static test::ProgramResult Cli(const std::string& arguments) {
        return RunProgram(test::BuiltProgramLine(dir_->Path(), "varelo-cli", arguments));
    }
    static BlockReport InProcess(bool critical) {
        SettingsStore store(dir_->File("own.conf"));
        Settings settings(store);
        settings.Write(setting::LimitFile, DataFolder() + "/En50160-50Hz.gwd");
        test::RecordingUserInterface ui;
        ui.periodAnswer =
            std::pair{CTimeStamp(1980, 1, 1, 0, 0, 0), CTimeStamp(2037, 12, 31, 0, 0, 0)};
        AppOptions options;
        CVamor800Doc doc(settings, ui, options);
        EXPECT_TRUE(doc.OpenFile(File()));
        return critical ? MostCriticalValues::Build(doc.Evaluated(), PhaseLabels::L123)
                        : StatisticalValues::Build(doc.Evaluated(), PhaseLabels::L123);
    }

    static test::TempDir* dir_;
};

test::TempDir* CliReportsTest::dir_ = nullptr;

// Whether the JSON holds a cell {text, mark}, however it is indented.
bool HasCell(const std::string& json, const std::string& text, int mark) {
    const std::string escaped =
        std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
    return std::regex_search(json, std::regex("\"text\": \"" + escaped +
                                              "\",\\s*\"mark\": " + std::to_string(mark) + "\\b"));
}

TEST_F(CliReportsTest, StatisticsPrintsTheBlocksWithTheirMarks) {
    test::ProgramResult json = Cli("statistics --json " + ShellQuote(File()));
    ASSERT_EQ(json.status, 0) << json.output;
    test::ProgramResult text = Cli("statistics " + ShellQuote(File()));
    ASSERT_EQ(text.status, 0) << text.output;
    const BlockReport report = InProcess(false);
    ASSERT_GT(report.blocks.size(), 10u);
    size_t checked = 0, marked = 0;
    for (const ReportBlock& b : report.blocks) {
        EXPECT_NE(json.output.find("\"label\": \"" + b.header[0].label + "\""), std::string::npos)
            << b.header[0].label;
        EXPECT_NE(text.output.find(b.header[0].limit), std::string::npos) << b.header[0].limit;
        for (const StatisticalRow& row : b.statistical) {
            for (int p = 0; p < 3; ++p) {
                if (row.measured[size_t(p)].empty() || (row.merged && p != 1)) continue;
                EXPECT_TRUE(
                    HasCell(json.output, row.measured[size_t(p)], row.measuredMark[size_t(p)]))
                    << b.header[0].label << " " << row.label << " " << row.measured[size_t(p)];
                ++checked;
                marked += row.measuredMark[size_t(p)] != kMarkNone ? 1 : 0;
            }
        }
    }
    EXPECT_GT(checked, 40u);
    EXPECT_GT(marked, 0u);
    EXPECT_NE(text.output.find("Within tolerance"), std::string::npos);
    EXPECT_NE(text.output.find("Statistical values"), std::string::npos);
}

TEST_F(CliReportsTest, CriticalPrintsTimesPhasesAndDurations) {
    test::ProgramResult json = Cli("critical --json " + ShellQuote(File()));
    ASSERT_EQ(json.status, 0) << json.output;
    test::ProgramResult text = Cli("critical " + ShellQuote(File()));
    ASSERT_EQ(text.status, 0) << text.output;
    const BlockReport report = InProcess(true);
    size_t rows = 0;
    for (const ReportBlock& b : report.blocks) {
        for (const CriticalRow& row : b.critical) {
            if (row.time.size() > 1) {
                EXPECT_NE(json.output.find("\"time\": \"" + row.time + "\""), std::string::npos);
                EXPECT_NE(text.output.find(row.time), std::string::npos);
            }
            EXPECT_TRUE(HasCell(json.output, row.value, 0)) << row.value;
            ++rows;
        }
    }
    EXPECT_GT(rows, 40u);
    const std::regex row(R"("rows": \[)");
    EXPECT_EQ(
        size_t(std::distance(std::sregex_iterator(json.output.begin(), json.output.end(), row),
                             std::sregex_iterator())),
        report.blocks.size());
}

TEST_F(CliReportsTest, LimitsOptionAndUsageErrors) {
    CLimitValues limits;
    ASSERT_TRUE(ReadLimitFile(DataFolder() + "/En50160-50Hz.gwd", limits));
    limits.NplusTol95 = 5;
    const std::string changed = dir_->File("Changed.gwd");
    ASSERT_TRUE(WriteLimitFile(changed, limits));
    test::ProgramResult result =
        Cli("statistics --json --limits " + ShellQuote(changed) + " " + ShellQuote(File()));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("230.00V +5.00/-10.00%"), std::string::npos);

    EXPECT_EQ(Cli("critical").status, 2);
    EXPECT_EQ(Cli("statistics --bogus " + ShellQuote(File())).status, 2);
    test::ProgramResult missing = Cli("critical " + ShellQuote(dir_->File("none.VXM")));
    EXPECT_EQ(missing.status, 1);
}

}  // namespace
}  // namespace varelo
