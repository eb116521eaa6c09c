#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "evaluation/TableSummary.h"
#include "platform/Paths.h"
#include "support/RecordingUserInterface.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

// varelo-cli evaluate prints what the document and its table summary hold for the same file.
TEST(CliEvaluate, PrintsTheTableSummaryOfTheDocument) {
    test::TempDir dir;
    std::string file = dir.File("week.VXM");
    ASSERT_EQ(RunProgram(test::BuiltProgramLine(
                             dir.Path(), "logger-sim",
                             "generate --function A --intervals 1008 --output " + ShellQuote(file)))
                  .status,
              0);
    test::ProgramResult json = RunProgram(
        test::BuiltProgramLine(dir.Path(), "varelo-cli", "evaluate --json " + ShellQuote(file)));
    ASSERT_EQ(json.status, 0) << json.output;
    test::ProgramResult text = RunProgram(
        test::BuiltProgramLine(dir.Path(), "varelo-cli", "evaluate " + ShellQuote(file)));
    ASSERT_EQ(text.status, 0) << text.output;

    SettingsStore store(dir.File("Orbant/Varelo.conf"));
    Settings settings(store);
    settings.Write(setting::LimitFile, DataFolder() + "/En50160-50Hz.gwd");
    test::RecordingUserInterface ui;
    ui.periodAnswer = std::pair{CTimeStamp(1980, 1, 1, 0, 0, 0), CTimeStamp(2037, 12, 31, 0, 0, 0)};
    AppOptions options;
    CVamor800Doc doc(settings, ui, options);
    ASSERT_TRUE(doc.OpenFile(file));
    TableSummary summary = TableSummary::Build(doc.Evaluated(), PhaseLabels::L123);
    ASSERT_GT(summary.rows.size(), 10u);
    size_t checked = 0;
    for (const SummaryRow& row : summary.rows) {
        for (const std::string& cell : row.cells) {
            if (cell.empty() || cell == "-") continue;
            EXPECT_NE(json.output.find("\"value\": \"" + cell + "\""), std::string::npos)
                << row.label << " " << cell;
            EXPECT_NE(text.output.find(cell), std::string::npos) << row.label << " " << cell;
            ++checked;
        }
        EXPECT_NE(text.output.find(row.label), std::string::npos) << row.label;
    }
    EXPECT_GT(checked, 20u);
    EXPECT_NE(json.output.find("\"disdip\""), std::string::npos);
    EXPECT_NE(text.output.find("UNIPEDE DISDIP table"), std::string::npos);
}

TEST(CliEvaluate, MissingLimitFileAndUnreadableMeasurementFail) {
    test::TempDir dir;
    dir.Write("bad.VXM", "not a measurement");
    test::ProgramResult bad = RunProgram(test::BuiltProgramLine(
        dir.Path(), "varelo-cli", "evaluate " + ShellQuote(dir.File("bad.VXM"))));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.output.find("374: Unable to read the measurement data file."), std::string::npos)
        << bad.output;
    test::ProgramResult noLimits =
        RunProgram(test::BuiltProgramLine(dir.Path(), "varelo-cli",
                                          "evaluate --limits " + ShellQuote(dir.File("none.gwd")) +
                                              " " + ShellQuote(dir.File("bad.VXM"))));
    EXPECT_EQ(noLimits.status, 1);
    EXPECT_NE(noLimits.output.find("168: Evaluation cannot be started.."), std::string::npos)
        << noLimits.output;
}

}  // namespace
}  // namespace varelo
